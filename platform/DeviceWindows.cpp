#include "DeviceWindows.h"

HWND DeviceCreateWindowEx(DWORD extendedStyle, const wchar_t* className, const wchar_t* title,
                          DWORD style, int left, int top, int width, int height, HWND parent,
                          HMENU menu, HINSTANCE instance, void* parameter) {
    const bool topLevel = parent == nullptr || !(style & WS_CHILD);
    if (topLevel && left == CW_USEDEFAULT && width == CW_USEDEFAULT) {
        left = 0;
        top = 0;
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
    }
    return CreateWindowExW(extendedStyle, className, title, style, left, top, width, height, parent,
                           menu, instance, parameter);
}
