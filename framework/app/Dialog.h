// A dialog created from a named template, modeless or modal.
#pragma once

#include "TemplateDialog.h"

class Dialog : public TemplateDialog {
public:
    // Routes initialise-dialog, destroy, command and notify to the handlers below; every
    // other message is not handled.
    INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs when the dialog's controls exist; set them up here.
    virtual INT_PTR OnInitDialog(HWND, UINT, WPARAM, LPARAM) { return 1; }
    // Runs when the dialog window is destroyed.
    virtual INT_PTR OnDestroy(HWND, UINT, WPARAM, LPARAM) { return 1; }
    // Runs on WM_COMMAND from the dialog's controls and menus.
    virtual INT_PTR OnCommand(HWND, UINT, WPARAM, LPARAM) { return 1; }
    // Runs on WM_NOTIFY from the dialog's common controls.
    virtual INT_PTR OnNotify(HWND, UINT, WPARAM, LPARAM) { return 1; }
};
