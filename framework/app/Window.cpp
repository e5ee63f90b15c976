#include "Window.h"

#include "MessageBoxes.h"
#include "ObjectRegistry.h"

ObjectRegistry<Window>& WindowRegistry() {
    static ObjectRegistry<Window> registry;
    return registry;
}

Window::~Window() {
    Unsubclass();
    WindowRegistry().Remove(this);
    DestroyOwnedWindow();
}

LRESULT Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Window::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (owner != nullptr) {
        return (owner->*ownerHandler)(window, message, wParam, lParam);
    }
    return CallOldProc(window, message, wParam, lParam);
}

LRESULT Window::CallOldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(oldProc, window, message, wParam, lParam);
}

void Window::Subclass(HandleObject* newOwner, OwnerHandler handler) {
    if (oldProc != nullptr) {
        return;
    }
    owner = newOwner;
    ownerHandler = handler;
    WindowRegistry().Add(this);
    oldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle, GWLP_WNDPROC));
    SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProcedure));
}

void Window::Unsubclass() {
    if (oldProc == nullptr) {
        return;
    }
    // A window gone before its object may have left its handle's value to another window:
    // only one that still runs the framework's procedure gets the old one back.
    if (GetWindowLongPtrW(handle, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SubclassProcedure)) {
        SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc));
    }
    WindowRegistry().Remove(this);
    oldProc = nullptr;
    owner = nullptr;
    ownerHandler = nullptr;
}

void Window::ModifyStyle(LONG_PTR remove, LONG_PTR add) {
    const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
    SetWindowLongPtrW(handle, GWL_STYLE, (style & ~remove) | add);
}

LRESULT CALLBACK FrameWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_CREATE) {
            auto* object = static_cast<Window*>(
                reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
            object->handle = window;
            WindowRegistry().Add(object);
        }
        Window* object = WindowRegistry().Find(window);
        if (object == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        const LRESULT result = object->WindowProc(window, message, wParam, lParam);
        if (message == WM_DESTROY) {
            WindowRegistry().Remove(object);
        }
        return result;
    } catch (...) {
        ShowFatal(window, L"WndProc");
        return 0;
    }
}

LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (Window* object = WindowRegistry().Find(window)) {
            const LRESULT result = object->SubclassProc(window, message, wParam, lParam);
            // The window's last message: its entry goes with it, while the window still
            // exists, so that no later window of the same handle finds this object.
            if (message == WM_NCDESTROY) {
                object->Unsubclass();
            }
            return result;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    } catch (...) {
        ShowFatal(window, L"WndSub");
        return 0;
    }
}
