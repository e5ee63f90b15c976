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

namespace {

// At a subclassed window's last message every object bound to it lets go while the window
// still exists, so that no later window of the same handle value finds one of them. Looked
// up afresh: a handler may have ended its object meanwhile.
void ForgetSubclassedWindow(HWND window) {
    for (Window* object = WindowRegistry().Find(window);
         object != nullptr && object->oldProc != nullptr; object = WindowRegistry().Find(window)) {
        object->Unsubclass();
    }
}

} // namespace

LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    try {
        if (Window* object = WindowRegistry().Find(window)) {
            result = object->SubclassProc(window, message, wParam, lParam);
        } else {
            result = DefWindowProcW(window, message, wParam, lParam);
        }
    } catch (...) {
        ShowFatal(window, L"WndSub");
    }
    if (message == WM_NCDESTROY) {
        ForgetSubclassedWindow(window);
    }
    return result;
}
