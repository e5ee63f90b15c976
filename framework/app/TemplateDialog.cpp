#include "TemplateDialog.h"

#include "Application.h"

HWND TemplateDialog::Create(HWND parent, const wchar_t* templateName) {
    CheckDialogTemplate(parent, templateName);
    handle = CreateDialogParamW(Application::instance, templateName, parent, DialogProcedure,
                                reinterpret_cast<LPARAM>(this));
    owned = handle != nullptr;
    return handle;
}

INT_PTR TemplateDialog::DoModal(HWND parent, const wchar_t* templateName) {
    CheckDialogTemplate(parent, templateName);
    return DialogBoxParamW(Application::instance, templateName, parent, DialogProcedure,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        BindDialog(reinterpret_cast<DialogWindow*>(lParam), dialog);
    }
    return DispatchDialogMessage(dialog, message, wParam, lParam, L"DlgProc");
}
