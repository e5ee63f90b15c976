#include "PropertySheet.h"

#include "Application.h"
#include "MenuBars.h"
#include "platform/DeviceWindows.h"
#include "platform/PropertySheets.h"

#include <strsafe.h>

namespace {

// The texts of the sheet being shown; only one is shown at a time.
const wchar_t* sheetTitle = nullptr;
const wchar_t* sheetLinkText = nullptr;

// Copies a text into a callback's buffer, cut to its length.
void CopySheetText(const wchar_t* text, LPARAM buffer) {
    if (text != nullptr && buffer != 0) {
        StringCchCopyW(reinterpret_cast<wchar_t*>(buffer), kSheetTextLength, text);
    }
}

} // namespace

void PropertySheet::AddPage(HPROPSHEETPAGE page) {
    if (count < kMaxPages) {
        pageHandles[count++] = page;
    }
}

INT_PTR PropertySheet::Show(HWND parent, DWORD flags, const wchar_t* caption) {
    sheetTitle = caption;
    sheetLinkText = nullptr;
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = flags | PSH_USECALLBACK | PSH_MAXIMIZE;
    header.hwndParent = parent;
    header.hInstance = Application::instance;
    header.pszCaption = caption;
    header.nPages = static_cast<UINT>(count);
    header.nStartPage = 0;
    header.phpage = pageHandles;
    header.pfnCallback = PropertySheetCallback;
    const INT_PTR result = DevicePropertySheet(&header);
    if (flags & PSH_MODELESS) {
        handle = reinterpret_cast<HWND>(result);
        owned = handle != nullptr;
    }
    return result;
}

int CALLBACK PropertySheetCallback(HWND sheet, UINT message, LPARAM parameter) {
    switch (message) {
    case PSCB_INITIALIZED:
        if (const HWND bar = CreateDialogMenuBar(sheet, IDR_EMPTY_MENU_BAR)) {
            AddDialogMenuBarButtons(bar);
        }
        return 0;
    case PSCB_GETVERSION:
        return COMCTL32_VERSION_POCKETPC;
    case PSCB_GETTITLE:
        CopySheetText(sheetTitle, parameter);
        return 0;
    case PSCB_GETLINKTEXT:
        CopySheetText(sheetLinkText, parameter);
        return 0;
    default:
        return 0;
    }
}
