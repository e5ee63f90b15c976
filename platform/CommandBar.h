// The Windows CE command bar, simulated with a desktop toolbar: a strip of image buttons
// (and text buttons) with tooltips. Programs create it and talk to it with the device's own
// calls; the bar is a toolbar, so toolbar messages work on it as well.
#pragma once

#include <windows.h>

#include <commctrl.h>

// A command bar across the top of `parent`, with control id `id`; null on failure.
HWND CommandBar_Create(HINSTANCE instance, HWND parent, int id);

// Appends the `count` images of bitmap `bitmapId` (magenta is transparent) to the bar's
// images; returns the index of the first, or -1. The device gives the images' size; here
// the bitmap's own width and count decide it, so high-resolution strips keep their pixels.
int CommandBar_AddBitmap(HWND bar, HINSTANCE instance, int bitmapId, int count, int imageWidth,
                         int imageHeight);

BOOL CommandBar_AddButtons(HWND bar, UINT count, const TBBUTTON* buttons);

// The tooltips of the buttons, in the order of the buttons that are not separators, the
// ones added later included. The texts are copied.
BOOL CommandBar_AddToolTips(HWND bar, UINT count, const wchar_t* const* texts);

int CommandBar_Height(HWND bar);
