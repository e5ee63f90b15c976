// The rows of the About box's memory and battery pages: an icon, a label above a percentage
// bar and, for memory, the free and total sizes under it. x and y are design pixels.
#pragma once

#include <windows.h>

// What a battery row shows for a battery's reported percentage and flag. An unknown
// percentage (255) is replaced by one that the flag implies, with a text naming the state;
// a known percentage is shown as it is, without text.
struct BatteryLevel {
    int percentage;
    const wchar_t* text; // null: the bar shows the percentage
};
BatteryLevel BatteryLevelOf(int percentage, int flag);

void DrawBatteryRow(HDC dc, int x, int y, int percentage, int flag, int icon, const wchar_t* label);

// A total of 0 bytes is drawn as an empty bar at 0 %.
void DrawMemoryRow(HDC dc, int x, int y, unsigned long long free, unsigned long long total,
                   int icon, const wchar_t* label);
