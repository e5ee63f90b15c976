#include "ShellDialogs.h"

#include "PrivateMessages.h"
#include "Screen.h"
#include "SoftInputPanel.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kDoneButtonHook = 1;
constexpr UINT_PTR kSipPreferenceHook = 2;

void SetPanel(bool on) {
    SIPINFO info = {};
    info.cbSize = sizeof info;
    SipGetInfo(&info);
    info.fdwFlags = on ? (info.fdwFlags | SIPF_ON) : (info.fdwFlags & ~SIPF_ON);
    SipSetInfo(&info);
}

// Note: desktop captions have no OK button; the close button stands in for it and
// answers OK, as the device's Done button does.
LRESULT CALLBACK CloseMeansDone(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    }
    return DefSubclassProc(dialog, message, wParam, lParam);
}

bool IsEditControl(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpiW(className, L"Edit") == 0;
}

// On an edit control of a dialog with a SIPPREF: the panel follows the focus.
LRESULT CALLBACK PanelFollowsFocus(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR) {
    if (message == WM_SETFOCUS) {
        SetPanel(true);
    } else if (message == WM_KILLFOCUS) {
        const HWND next = reinterpret_cast<HWND>(wParam);
        if (next == nullptr || !IsEditControl(next)) {
            SetPanel(false);
        }
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

BOOL CALLBACK HookEditControl(HWND control, LPARAM) {
    if (IsEditControl(control)) {
        SetWindowSubclass(control, PanelFollowsFocus, kSipPreferenceHook, 0);
    }
    return TRUE;
}

LRESULT CALLBACK SipPreferenceProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        PostMessageW(window, WM_HOOK_EDIT_CONTROLS, 0, 0);
        return 0;
    case WM_HOOK_EDIT_CONTROLS:
        EnumChildWindows(GetParent(window), HookEditControl, 0);
        if (const HWND focus = GetFocus();
            focus != nullptr && GetParent(focus) == GetParent(window)) {
            SetPanel(IsEditControl(focus));
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

BOOL SHInitDialog(SHINITDLGINFO* info) {
    if (info == nullptr || !IsWindow(info->hDlg) || !(info->dwMask & SHIDIM_FLAGS)) {
        return FALSE;
    }
    const HWND dialog = info->hDlg;
    if (info->dwFlags & SHIDIF_DONEBUTTON) {
        const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
        SetWindowLongPtrW(dialog, GWL_STYLE, style | WS_CAPTION | WS_SYSMENU);
        SetWindowSubclass(dialog, CloseMeansDone, kDoneButtonHook, 0);
    }
    if (info->dwFlags & SHIDIF_SIPDOWN) {
        SetPanel(false);
    }
    if (info->dwFlags & (SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIZEDLG)) {
        RECT area = DeviceScreenRect();
        if (info->dwFlags & SHIDIF_SIZEDLG) {
            SIPINFO panel = {};
            panel.cbSize = sizeof panel;
            SipGetInfo(&panel);
            if (panel.fdwFlags & SIPF_ON) {
                area.bottom = panel.rcSipRect.top;
            }
        }
        SetWindowPos(dialog, nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_FRAMECHANGED);
    } else {
        SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                     SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
    }
    return TRUE;
}

BOOL SHInitExtraControls() {
    WNDCLASSW preference = {};
    if (GetClassInfoW(GetModuleHandleW(nullptr), WC_SIPPREF, &preference)) {
        return TRUE;
    }
    preference.lpfnWndProc = SipPreferenceProcedure;
    preference.hInstance = GetModuleHandleW(nullptr);
    preference.lpszClassName = WC_SIPPREF;
    return RegisterClassW(&preference) != 0;
}
