// What every framework dialog shares, whatever its kind (dialog, full-screen dialog, property
// page): a dialog procedure, binding through the dialog registry, and creation from a named
// template, modeless or modal.
#pragma once

#include "WindowHandle.h"

class DialogWindow : public WindowHandle {
public:
    // Runs for every message of the dialog; returns the dialog procedure's result (0 for a
    // message it does not handle).
    virtual INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Creates the dialog modeless from the template; returns its window or null. The message
    // loop's dialog pass gives it keyboard navigation.
    HWND Create(HWND parent, const wchar_t* templateName);
    // Runs the dialog modally; returns its end result, or -1 when it could not be created.
    INT_PTR DoModal(HWND parent, const wchar_t* templateName);
};

// The dialog procedure of every framework dialog.
INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The message loop's dialog pass: offers the message to every registered dialog, in order,
// for its keyboard navigation; true when one took it.
bool TranslateDialogMessage(MSG& message);

// Reports a missing dialog template; returns it, or null.
LPCDLGTEMPLATEW LoadDialogTemplate(HWND owner, const wchar_t* templateName);
