#include "PropertySheets.h"

#include "Screen.h"

#include <initializer_list>

namespace {

// One sheet is shown at a time: the program's callback for the sheet being shown.
PFNPROPSHEETCALLBACK programCallback = nullptr;

void HideDesktopButtons(HWND sheet) {
    for (int button : {IDOK, IDCANCEL, IDHELP, 0x3021 /* Apply Now */}) {
        if (const HWND control = GetDlgItem(sheet, button)) {
            ShowWindow(control, SW_HIDE);
        }
    }
}

void FillScreen(HWND sheet) {
    const RECT screen = DeviceScreenRect();
    SetWindowPos(sheet, nullptr, screen.left, screen.top, screen.right - screen.left,
                 screen.bottom - screen.top, SWP_NOZORDER);
}

// The sheet's tab control keeps its tabs' margins in fixed pixels: they are scaled with the
// DPI, so that a high-resolution sheet is the ordinary one doubled.
void ScaleTabs(HWND sheet) {
    const HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    if (tabs == nullptr) {
        return;
    }
    SendMessageW(tabs, TCM_SETPADDING, 0, MAKELPARAM(ScaleToScreen(6), ScaleToScreen(3)));
    // The tabs are measured again when one of them changes.
    wchar_t text[kSheetTextLength] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = kSheetTextLength;
    if (SendMessageW(tabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
        SendMessageW(tabs, TCM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    InvalidateRect(tabs, nullptr, TRUE);
}

int CALLBACK DeviceCallback(HWND sheet, UINT message, LPARAM parameter) {
    const PFNPROPSHEETCALLBACK callback = programCallback;
    int result = 0;
    if (message == PSCB_INITIALIZED) {
        HideDesktopButtons(sheet);
        FillScreen(sheet);
        ScaleTabs(sheet);
        if (callback != nullptr) {
            callback(sheet, PSCB_GETVERSION, 0);
            wchar_t title[kSheetTextLength] = {};
            callback(sheet, PSCB_GETTITLE, reinterpret_cast<LPARAM>(title));
            title[kSheetTextLength - 1] = L'\0';
            SetWindowTextW(sheet, title);
            wchar_t link[kSheetTextLength] = {};
            callback(sheet, PSCB_GETLINKTEXT, reinterpret_cast<LPARAM>(link));
        }
    }
    if (callback != nullptr) {
        result = callback(sheet, message, parameter);
    }
    return result;
}

} // namespace

INT_PTR DevicePropertySheet(const PROPSHEETHEADERW* header) {
    PROPSHEETHEADERW desktop = *header;
    desktop.dwSize = sizeof desktop;
    desktop.dwFlags = (header->dwFlags & ~PSH_MAXIMIZE) | PSH_USECALLBACK;
    programCallback = (header->dwFlags & PSH_USECALLBACK) ? header->pfnCallback : nullptr;
    desktop.pfnCallback = DeviceCallback;
    return PropertySheetW(&desktop);
}
