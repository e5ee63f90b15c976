#include "DeviceWindows.h"

#include "Screen.h"

HWND DeviceCreateWindowEx(DWORD extendedStyle, const wchar_t* className, const wchar_t* title,
                          DWORD style, int left, int top, int width, int height, HWND parent,
                          HMENU menu, HINSTANCE instance, void* parameter) {
    const bool topLevel = parent == nullptr || !(style & WS_CHILD);
    if (topLevel && left == CW_USEDEFAULT && width == CW_USEDEFAULT) {
        const RECT screen = DeviceScreenRect();
        left = screen.left;
        top = screen.top;
        width = screen.right - screen.left;
        height = screen.bottom - screen.top;
    }
    return CreateWindowExW(extendedStyle, className, title, style, left, top, width, height, parent,
                           menu, instance, parameter);
}

bool RegisterPlatformClass(const wchar_t* name, WNDPROC procedure) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    WNDCLASSW platformClass = {};
    if (GetClassInfoW(module, name, &platformClass)) {
        return true;
    }
    platformClass.lpfnWndProc = procedure;
    platformClass.hInstance = module;
    platformClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<const wchar_t*>(IDC_ARROW));
    platformClass.lpszClassName = name;
    return RegisterClassW(&platformClass) != 0;
}
