// What every framework dialog shares, whatever its kind (dialog, full-screen dialog, property
// page): a dialog procedure through which the framework's procedures reach it once bound.
#pragma once

#include "WindowHandle.h"

class DialogWindow : public WindowHandle {
public:
    // Forgets the object, then destroys the dialog it created: the dialog's last messages
    // find no object.
    ~DialogWindow() override;

    // Runs for every message of the dialog; returns the dialog procedure's result (0 for a
    // message it does not handle).
    virtual INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// Binds the object to its window and enters it in the dialog registry; for the first
// message of a dialog or page.
void BindDialog(DialogWindow* object, HWND dialog);

// Hands a message to the bound object's DialogProc, unbinding it on destroy. An exception is
// reported with `procedureName` and the message yields 0.
INT_PTR DispatchDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                              const wchar_t* procedureName);

// The message loop's dialog pass: offers the message to every registered dialog, in order,
// for its keyboard navigation; true when one took it.
bool TranslateDialogMessage(MSG& message);

// Reports a missing dialog template with the Fatal box; false when it is missing.
bool CheckDialogTemplate(HWND owner, const wchar_t* templateName);
