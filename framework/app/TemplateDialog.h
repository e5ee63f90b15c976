// A dialog made from a named dialog template, modeless or modal: the base of Dialog and
// FullScreenDialog. The caller picks the template with LocalizedResourceName.
#pragma once

#include "DialogWindow.h"

class TemplateDialog : public DialogWindow {
public:
    // Creates the dialog modeless; returns its window or null. The message loop's dialog
    // pass gives it keyboard navigation.
    HWND Create(HWND parent, const wchar_t* templateName);
    // Runs the dialog modally; returns its end result, or -1 when it could not be created.
    INT_PTR DoModal(HWND parent, const wchar_t* templateName);
};

// The dialog procedure of every template dialog.
INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
