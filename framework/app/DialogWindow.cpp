#include "DialogWindow.h"

#include "Application.h"
#include "MessageBoxes.h"
#include "ObjectRegistry.h"

ObjectRegistry<DialogWindow>& DialogRegistry() {
    static ObjectRegistry<DialogWindow> registry;
    return registry;
}

DialogWindow::~DialogWindow() {
    DialogRegistry().Remove(this);
    DestroyOwnedWindow();
}

bool CheckDialogTemplate(HWND owner, const wchar_t* templateName) {
    if (FindResourceW(Application::instance, templateName, RT_DIALOG) == nullptr) {
        ShowFatal(owner, L"DIALOG[%s]", templateName);
        return false;
    }
    return true;
}

bool TranslateDialogMessage(MSG& message) {
    for (HWND dialog : DialogRegistry().Handles()) {
        if (IsDialogMessageW(dialog, &message)) {
            return true;
        }
    }
    return false;
}

void BindDialog(DialogWindow* object, HWND dialog) {
    object->handle = dialog;
    DialogRegistry().Add(object);
}

INT_PTR DispatchDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                              const wchar_t* procedureName) {
    try {
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
        ShowFatal(dialog, procedureName);
        return 0;
    }
}
