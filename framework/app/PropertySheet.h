// A full-screen property sheet of pages, with the Cancel and OK menu-bar buttons; its
// caption comes from the sheet's title callback, as on the device.
#pragma once

#include "WindowHandle.h"

#include <commctrl.h>

// Note: commctrl.h names PropertySheetW "PropertySheet" through a macro; the class takes the
// name back.
#undef PropertySheet

class PropertySheet : public WindowHandle {
public:
    static constexpr int kMaxPages = 100;

    // Adds a page made by PropertyPage::Create; pages past the hundredth are left out.
    void AddPage(HPROPSHEETPAGE page);

    // Shows the sheet with its pages and the given PSH_ flags (PSH_MODELESS for a modeless
    // sheet). Returns the end result of a modal sheet (positive for OK, 0 for Cancel, -1 on
    // failure) or the window of a modeless one.
    INT_PTR Show(HWND parent, DWORD flags, const wchar_t* caption);

    int count = 0;
    HPROPSHEETPAGE pageHandles[kMaxPages] = {};
};

// The callback of every sheet: the menu bar when the sheet is ready, the Pocket PC style,
// and the caption and link text of the sheet being shown.
int CALLBACK PropertySheetCallback(HWND sheet, UINT message, LPARAM parameter);
