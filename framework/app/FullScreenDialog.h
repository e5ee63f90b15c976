// The Pocket PC style modal dialog: full screen with the caption's Done button, a menu bar
// with Cancel and OK, and a title strip painted across its top.
#pragma once

#include "TemplateDialog.h"

class FullScreenDialog : public TemplateDialog {
public:
    // Routes initialise-dialog, destroy, command, notify and paint to the handlers below;
    // every other message is not handled.
    INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs when the controls exist; the default makes the dialog full screen and gives it
    // its menu bar. Overrides call it first, then set up their controls.
    virtual INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs when the dialog window is destroyed.
    virtual INT_PTR OnDestroy(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs on WM_COMMAND; the default ends the dialog for commands 1 to 20 (OK, Cancel,
    // Yes, No, All) with the whole wParam as its result.
    virtual INT_PTR OnCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs on WM_NOTIFY from the dialog's common controls.
    virtual INT_PTR OnNotify(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs on WM_PAINT; the default paints the title strip: the dialog's text over a line.
    virtual INT_PTR OnPaint(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

// Full screen, Done button, input panel down: what FullScreenDialog passes to the shell.
constexpr DWORD kFullScreenDialogFlags = 13;

// Sets the dialog up through the shell with the given SHIDIF_ flags.
bool InitFullScreenDialog(HWND dialog, DWORD flags);
