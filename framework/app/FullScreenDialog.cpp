#include "FullScreenDialog.h"

#include "Application.h"
#include "MenuBars.h"
#include "PaintScope.h"
#include "platform/ShellDialogs.h"

namespace {

constexpr int kLastEndingCommand = 20;
constexpr COLORREF kTitleColor = RGB(0, 0, 139);

} // namespace

bool InitFullScreenDialog(HWND dialog, DWORD flags) {
    SHINITDLGINFO info = {SHIDIM_FLAGS, dialog, flags};
    return SHInitDialog(&info) != FALSE;
}

INT_PTR FullScreenDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        return OnPaint(dialog, message, wParam, lParam);
    }
    return Dialog::DialogProc(dialog, message, wParam, lParam);
}

INT_PTR FullScreenDialog::OnInitDialog(HWND dialog, UINT, WPARAM, LPARAM) {
    InitFullScreenDialog(dialog, kFullScreenDialogFlags);
    if (const HWND bar = CreateDialogMenuBar(dialog, IDR_EMPTY_MENU_BAR)) {
        AddDialogMenuBarButtons(bar);
    }
    return 1;
}

INT_PTR FullScreenDialog::OnCommand(HWND dialog, UINT, WPARAM wParam, LPARAM) {
    const int command = LOWORD(wParam);
    if (command < 1 || command > kLastEndingCommand) {
        return 0;
    }
    EndDialog(dialog, static_cast<INT_PTR>(wParam));
    return 1;
}

INT_PTR FullScreenDialog::OnPaint(HWND dialog, UINT, WPARAM, LPARAM) {
    PaintScope paint(dialog);
    RECT client;
    GetClientRect(dialog, &client);
    const int screenWidth = client.right; // the dialog fills the screen's width
    // Note: the device's stock border pen (object 32) does not exist on the desktop; a black
    // pen of the border width is the same line.
    const int border = GetSystemMetrics(SM_CYBORDER);
    const HPEN pen = CreatePen(PS_SOLID, border, RGB(0, 0, 0));
    const HGDIOBJ oldPen = SelectObject(paint.handle, pen);
    const int lineY = ScaleY(23) + border / 2;
    MoveToEx(paint.handle, 0, lineY, nullptr);
    LineTo(paint.handle, screenWidth, lineY);
    SelectObject(paint.handle, oldPen);
    DeleteObject(pen);

    wchar_t title[260];
    GetWindowTextW(dialog, title, 260);
    const HGDIOBJ oldFont = SelectObject(
        paint.handle, reinterpret_cast<HGDIOBJ>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    SetTextColor(paint.handle, kTitleColor);
    SetBkMode(paint.handle, TRANSPARENT);
    RECT strip = {ScaleX(4), ScaleY(6), screenWidth - ScaleX(4), ScaleY(20)};
    DrawTextW(paint.handle, title, -1, &strip, DT_NOPREFIX);
    SelectObject(paint.handle, oldFont);
    return 1;
}
