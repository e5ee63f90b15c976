#include "MenuBars.h"

#include "Application.h"
#include "platform/MenuBar.h"
#include "platform/ShellDialogs.h"

#include <commctrl.h>

HWND CreateDialogMenuBar(HWND dialog, UINT resourceId) {
    SHMENUBARINFO info = {};
    info.cbSize = sizeof info;
    info.hwndParent = dialog;
    info.nToolBarId = resourceId;
    info.hInstRes = Application::instance;
    info.nBmpId = (Application::hiRes ? IDB_DIALOG_BAR_HIRES : IDB_DIALOG_BAR);
    info.cBmpImages = kDialogBarImages;
    return SHCreateMenuBar(&info) ? info.hwndMB : nullptr;
}

void AddDialogMenuBarButtons(HWND bar) {
    TBBUTTON buttons[2] = {};
    buttons[0].iBitmap = 0;
    buttons[0].idCommand = IDCANCEL;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[1].iBitmap = 1;
    buttons[1].idCommand = IDOK;
    buttons[1].fsState = TBSTATE_ENABLED;
    SendMessageW(bar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
    const wchar_t* tooltips[] = {LanguageText(L"Cancel", L"ｷｬﾝｾﾙ"), L"OK"};
    SendMessageW(bar, SHCMBM_SETBUTTONTOOLTIPS, 2, reinterpret_cast<LPARAM>(tooltips));
}

bool InitControlClasses(DWORD classes) {
    // The bar and cool-bar classes (0x404) serve the menu and command bars.
    INITCOMMONCONTROLSEX controls = {sizeof controls, classes | ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    const bool common = InitCommonControlsEx(&controls) != FALSE;
    const bool extra = SHInitExtraControls() != FALSE;
    return common && extra;
}
