// Window creation as the device does it.
#pragma once

#include <windows.h>

// The device's common controls version (2.12): a sheet's callback returns it, and a control
// told it with CCM_SETVERSION draws in the device's style.
constexpr int COMCTL32_VERSION_POCKETPC = 0x20C;

// CreateWindowExW, except that a top-level window whose position and size are CW_USEDEFAULT
// fills the device's screen (DeviceScreenRect), as every such window does on the device (the
// desktop would give it a cascaded default size). Its menu bar then runs along the screen's
// bottom edge.
HWND DeviceCreateWindowEx(DWORD extendedStyle, const wchar_t* className, const wchar_t* title,
                          DWORD style, int left, int top, int width, int height, HWND parent,
                          HMENU menu, HINSTANCE instance, void* parameter);

// Registers a window class of the platform's own controls (the menu bar, the input panel)
// in the program's module, with the arrow cursor; true when the class is there, also when
// it already was.
bool RegisterPlatformClass(const wchar_t* name, WNDPROC procedure);
