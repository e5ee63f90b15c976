#include "ShellDialogs.h"

#include "DeviceWindows.h"
#include "PrivateMessages.h"
#include "Screen.h"
#include "SoftInputPanel.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kDoneButtonHook = 1;
constexpr UINT_PTR kSipPreferenceHook = 2;

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

// On an edit control of a dialog with a SIPPREF: the panel follows the focus where the
// shell lets it.
LRESULT CALLBACK PanelFollowsFocus(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR) {
    if (message == WM_SETFOCUS) {
        SHSipPreference(edit, SIP_UP);
    } else if (message == WM_KILLFOCUS) {
        const HWND next = reinterpret_cast<HWND>(wParam);
        if (next == nullptr || !IsEditControl(next)) {
            SHSipPreference(edit, SIP_DOWN);
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
            SHSipPreference(focus, IsEditControl(focus) ? SIP_UP : SIP_DOWN);
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
        SHSipPreference(dialog, SIP_FORCEDOWN);
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
    return RegisterPlatformClass(WC_SIPPREF, SipPreferenceProcedure);
}
