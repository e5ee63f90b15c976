#include "Dialog.h"

INT_PTR Dialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, message, wParam, lParam);
    case WM_DESTROY:
        return OnDestroy(dialog, message, wParam, lParam);
    case WM_COMMAND:
        return OnCommand(dialog, message, wParam, lParam);
    case WM_NOTIFY:
        return OnNotify(dialog, message, wParam, lParam);
    default:
        return 0;
    }
}

INT_PTR Dialog::OnInitDialog(HWND, UINT, WPARAM, LPARAM) {
    return 1;
}

INT_PTR Dialog::OnDestroy(HWND, UINT, WPARAM, LPARAM) {
    return 1;
}

INT_PTR Dialog::OnCommand(HWND, UINT, WPARAM, LPARAM) {
    return 1;
}

INT_PTR Dialog::OnNotify(HWND, UINT, WPARAM, LPARAM) {
    return 1;
}
