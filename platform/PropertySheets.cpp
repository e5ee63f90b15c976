#include "PropertySheets.h"

#include "MenuBar.h"
#include "Screen.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr UINT_PTR kPagesFollowSheet = 1;
constexpr UINT_PTR kPageKeepsItsPlace = 2;
constexpr wchar_t kDialogClassName[] = L"#32770";
// Between the sheet's edges, or the menu bar, and its tab control, in 96-DPI pixels.
constexpr int kSheetDesignMargin = 4;

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

// The sheet's tab control spans the sheet above its menu bar: the desktop sizes it for its
// largest page template, which in a face wider than the device's, or at a higher DPI, is
// wider than the screen.
void FitTabControl(HWND sheet) {
    const HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    if (tabs == nullptr) {
        return;
    }
    RECT client = {};
    GetClientRect(sheet, &client);
    const int margin = ScaleToScreen(kSheetDesignMargin);
    const int bottom = client.bottom - MenuBarHeight() - margin;
    SetWindowPos(tabs, nullptr, margin, margin, client.right - 2 * margin, bottom - margin,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Where every page of the sheet lies: its tab control's display area, in the sheet's client
// coordinates.
RECT PageArea(HWND sheet) {
    RECT area = {};
    const HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    if (tabs != nullptr) {
        GetWindowRect(tabs, &area);
        MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&area), 2);
        TabCtrl_AdjustRect(tabs, FALSE, &area);
    }
    return area;
}

// A page's controls end where its margin begins, the margin its leftmost control keeps on
// the left: a template laid out in a face wider than the device's reaches past the page.
void FitControls(HWND page) {
    RECT client = {};
    GetClientRect(page, &client);
    int margin = client.right;
    for (HWND control = GetWindow(page, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        RECT rect = {};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
        margin = std::min<int>(margin, std::max<LONG>(rect.left, 0));
    }
    const int end = client.right - margin;
    for (HWND control = GetWindow(page, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        RECT rect = {};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
        if (rect.right > end && rect.left < end) {
            SetWindowPos(control, nullptr, 0, 0, end - rect.left, rect.bottom - rect.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

// On each page: it covers the tab control's display area, wherever the desktop's sheet
// places it, as the device's pages fill the screen above the tabs.
LRESULT CALLBACK PageKeepsItsPlace(HWND page, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR) {
    if (message == WM_WINDOWPOSCHANGING) {
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        const RECT area = PageArea(GetParent(page));
        position->x = area.left;
        position->y = area.top;
        position->cx = area.right - area.left;
        position->cy = area.bottom - area.top;
        position->flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
    }
    const LRESULT result = DefSubclassProc(page, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
        FitControls(page);
    }
    return result;
}

// On the sheet: each page is put in its place as it is made, before its controls exist.
LRESULT CALLBACK PagesFollowSheet(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
    // Every window made below the sheet tells it: only its own pages are placed.
    if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE &&
        GetParent(reinterpret_cast<HWND>(lParam)) == sheet) {
        const HWND child = reinterpret_cast<HWND>(lParam);
        wchar_t className[8] = {};
        GetClassNameW(child, className, 8);
        if (lstrcmpW(className, kDialogClassName) == 0) {
            SetWindowSubclass(child, PageKeepsItsPlace, kPageKeepsItsPlace, 0);
            SetWindowPos(child, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return DefSubclassProc(sheet, message, wParam, lParam);
}

int CALLBACK DeviceCallback(HWND sheet, UINT message, LPARAM parameter) {
    const PFNPROPSHEETCALLBACK callback = programCallback;
    int result = 0;
    if (message == PSCB_INITIALIZED) {
        HideDesktopButtons(sheet);
        FillScreen(sheet);
        ScaleTabs(sheet);
        FitTabControl(sheet);
        SetWindowSubclass(sheet, PagesFollowSheet, kPagesFollowSheet, 0);
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
