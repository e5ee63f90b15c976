// Bitmaps of square images side by side, as the bars' buttons take them.
#pragma once

#include <windows.h>

#include <commctrl.h>

// Pure magenta marks the transparent pixels of every strip.
constexpr COLORREF kStripTransparent = RGB(255, 0, 255);

// Splits bitmap `bitmapId` into `count` images and appends them to `images`, which is made
// with that image size when null. Returns the index of the first image, or -1 when the
// bitmap cannot be loaded.
int AppendImageStrip(HIMAGELIST& images, HINSTANCE instance, UINT bitmapId, int count);
