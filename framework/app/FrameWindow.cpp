#include "FrameWindow.h"

#include "Application.h"
#include "InputPanel.h"
#include "MessageBoxes.h"
#include "platform/DeviceWindows.h"
#include "platform/MenuBar.h"
#include "resources/app_ids.h"

namespace {

// Takes a bar's height off the bottom of the layout and, when asked, moves the bar there.
void StackBar(const Window& bar, RECT& rect, bool moveBar) {
    RECT barRect;
    GetWindowRect(bar.handle, &barRect);
    rect.bottom -= barRect.bottom - barRect.top;
    if (moveBar) {
        SetWindowPos(bar.handle, nullptr, rect.left, rect.bottom, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool RegisterFrameClass(int backgroundColorIndex) {
    WNDCLASSW existing;
    if (GetClassInfoW(Application::instance, Application::className, &existing)) {
        return true;
    }
    WNDCLASSW frameClass = {};
    frameClass.style = CS_HREDRAW | CS_VREDRAW;
    frameClass.lpfnWndProc = FrameWindowProcedure;
    frameClass.hInstance = Application::instance;
    frameClass.hIcon = LoadIconW(Application::instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    // The platform's convention for a system colour as class brush: the index plus 1.
    frameClass.hbrBackground =
        reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(backgroundColorIndex) + 1);
    frameClass.lpszClassName = Application::className;
    return RegisterClassW(&frameClass) != 0;
}

} // namespace

LRESULT FrameWindow::OnCreate(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

LRESULT FrameWindow::OnDestroy(HWND, UINT, WPARAM, LPARAM) {
    PostQuitMessage(0);
    return 0;
}

LRESULT FrameWindow::OnClose(HWND window, UINT, WPARAM, LPARAM) {
    if (workHoldingFramesOpen > 0) {
        MessageBeep(MB_ICONWARNING);
        const HWND work = GetLastActivePopup(window);
        if (work != window) {
            SetForegroundWindow(work);
        }
        return 0;
    }
    DestroyWindow(window);
    return 0;
}

LRESULT FrameWindow::OnActivate(HWND, UINT, WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        savedFocus = GetFocus();
    } else if (savedFocus != nullptr) {
        SetFocus(savedFocus);
    }
    return 0;
}

bool FrameWindow::Create(int left, int top, int width, int height, DWORD style, DWORD extendedStyle,
                         int backgroundColorIndex) {
    if (FindResourceW(Application::instance, MAKEINTRESOURCEW(IDI_PROGRAM), RT_GROUP_ICON) ==
        nullptr) {
        ShowFatal(nullptr, L"RT_GROUP_ICON[%d]", IDI_PROGRAM);
    }
    if (!RegisterFrameClass(backgroundColorIndex)) {
        return false;
    }
    handle =
        DeviceCreateWindowEx(extendedStyle, Application::className, Application::title, style, left,
                             top, width, height, nullptr, nullptr, Application::instance, this);
    owned = handle != nullptr;
    if (handle == nullptr) {
        return false;
    }
    // Shared: the system keeps one copy of it for every frame and frees it with the module.
    const HICON smallIcon = static_cast<HICON>(
        LoadImageW(Application::instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageW(handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    return true;
}

bool FrameWindow::GetLayoutRect(RECT& rect, bool leaveRoomForSip, bool moveBars) {
    if (!GetClientRect(handle, &rect)) {
        return false;
    }
    rect.bottom -= ScaleY(kMenuBarDesignHeight);
    if (leaveRoomForSip) {
        rect.bottom -= GetSipHeight();
    }
    // The lower bar counts whenever it exists; the upper bar only while it is visible.
    if (lowerBar.handle != nullptr) {
        StackBar(lowerBar, rect, moveBars);
    }
    if (upperBar.handle != nullptr &&
        (GetWindowLongPtrW(upperBar.handle, GWL_STYLE) & WS_VISIBLE)) {
        StackBar(upperBar, rect, moveBars);
    }
    return true;
}

bool FrameWindow::CreateMenuBar(UINT menuId) {
    SHMENUBARINFO info = {};
    info.cbSize = sizeof info;
    info.hwndParent = handle;
    info.dwFlags = SHCMBF_HMENU;
    info.nToolBarId = menuId;
    info.hInstRes = Application::instance;
    if (!SHCreateMenuBar(&info)) {
        return false;
    }
    menuBar.handle = info.hwndMB;
    menu.handle = reinterpret_cast<HMENU>(SendMessageW(info.hwndMB, SHCMBM_GETMENU, 0, 0));
    return true;
}
