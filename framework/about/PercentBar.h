// A bar filled to a percentage with a text centred on it, in the colours of bitmap 103: one
// one-pixel column of the bitmap, a vertical gradient, is stretched over the bar.
#pragma once

#include <windows.h>

constexpr int kEmptyBarColumn = 8; // grey
constexpr int kBlueBarColumn = 0;
constexpr int kGreenBarColumn = 1;
constexpr int kOrangeBarColumn = 3;
constexpr int kRedBarColumn = 4;

// The fill colour for a level: red below 25 %, orange below 50 %, green below 75 %, blue
// from there to 100 %. A percentage above 100 counts as the lowest level.
int LevelColumn(int percentage);

// Draws the empty bar, fills `percentage` of it (nothing above 100) with `column`, and
// writes `text` on it, or "<percentage>%" when text is null, in black over a white shadow.
void DrawPercentBar(HDC dc, int left, int top, int width, int height, int column, int percentage,
                    const wchar_t* text);
