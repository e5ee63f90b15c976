// Input as a user's pointer and keys give it: events queued by the system for whatever
// window lies under the point or has the focus, not messages sent to a chosen window. Each
// call returns once this thread has handled what the input brought.
#pragma once

#include <windows.h>

#include <initializer_list>

// A tap (press and release of the left button) at a point of the screen.
void TapAt(POINT screen);
// A tap at the middle of a window's rectangle on the screen.
void TapOn(HWND window);
// Keys pressed in the order given and released in the reverse order: {VK_CONTROL, VK_INSERT}
// is Ctrl+Insert.
void PressKeys(std::initializer_list<WORD> keys);
