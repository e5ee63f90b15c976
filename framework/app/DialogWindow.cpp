#include "DialogWindow.h"

#include "Application.h"
#include "MessageBoxes.h"
#include "ObjectRegistry.h"

ObjectRegistry<DialogWindow>& DialogRegistry() {
    static ObjectRegistry<DialogWindow> registry;
    return registry;
}

LPCDLGTEMPLATEW LoadDialogTemplate(HWND owner, const wchar_t* templateName) {
    const HRSRC resource = FindResourceW(Application::instance, templateName, RT_DIALOG);
    if (resource == nullptr) {
        ShowFatal(owner, L"DIALOG[%s]", templateName);
        return nullptr;
    }
    return static_cast<LPCDLGTEMPLATEW>(
        LockResource(LoadResource(Application::instance, resource)));
}

bool TranslateDialogMessage(MSG& message) {
    for (HWND dialog : DialogRegistry().Handles()) {
        if (IsDialogMessageW(dialog, &message)) {
            return true;
        }
    }
    return false;
}

HWND DialogWindow::Create(HWND parent, const wchar_t* templateName) {
    const LPCDLGTEMPLATEW dialogTemplate = LoadDialogTemplate(parent, templateName);
    if (dialogTemplate == nullptr) {
        return nullptr;
    }
    handle = CreateDialogIndirectParamW(Application::instance, dialogTemplate, parent,
                                        DialogProcedure, reinterpret_cast<LPARAM>(this));
    owned = handle != nullptr;
    return handle;
}

INT_PTR DialogWindow::DoModal(HWND parent, const wchar_t* templateName) {
    const LPCDLGTEMPLATEW dialogTemplate = LoadDialogTemplate(parent, templateName);
    if (dialogTemplate == nullptr) {
        return -1;
    }
    return DialogBoxIndirectParamW(Application::instance, dialogTemplate, parent, DialogProcedure,
                                   reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* object = reinterpret_cast<DialogWindow*>(lParam);
            object->handle = dialog;
            DialogRegistry().Add(object);
        }
        DialogWindow* object = DialogRegistry().Find(dialog);
        if (object == nullptr) {
            return 0;
        }
        const INT_PTR result = object->DialogProc(dialog, message, wParam, lParam);
        if (message == WM_DESTROY) {
            DialogRegistry().Remove(object);
        }
        return result;
    } catch (...) {
        ShowFatal(dialog, L"DlgProc");
        return 0;
    }
}
