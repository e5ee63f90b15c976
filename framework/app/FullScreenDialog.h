// The Pocket PC style modal dialog: full screen with the caption's Done button, a menu bar
// with Cancel and OK, and a title strip painted across its top.
#pragma once

#include "Dialog.h"
#include "platform/ShellDialogs.h"

class FullScreenDialog : public Dialog {
public:
    // Routes paint to OnPaint and everything else as a Dialog does.
    INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs when the controls exist; the default makes the dialog full screen and gives it
    // its menu bar. Overrides call it first, then set up their controls.
    INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs on WM_COMMAND; the default ends the dialog for commands 1 to 20 (OK, Cancel,
    // Yes, No, All) with the whole wParam as its result, and leaves other commands alone.
    INT_PTR OnCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs on WM_PAINT; the default paints the title strip: the dialog's text over a line.
    virtual INT_PTR OnPaint(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

// Full screen, Done button, input panel down: what FullScreenDialog passes to the shell.
constexpr DWORD kFullScreenDialogFlags =
    SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN;

// Sets the dialog up through the shell with the given SHIDIF_ flags.
bool InitFullScreenDialog(HWND dialog, DWORD flags);
