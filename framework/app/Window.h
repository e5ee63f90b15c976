// A window or control whose messages may be redirected to a handler of the object that owns
// it. Adopted controls (edit fields, labels, tab controls, list views) are plain Windows.
#pragma once

#include "WindowHandle.h"

class Window : public WindowHandle {
public:
    // A member function of the owner's class that receives the control's messages.
    using OwnerHandler = LRESULT (HandleObject::*)(HWND, UINT, WPARAM, LPARAM);

    explicit Window(HWND handle = nullptr) : WindowHandle(handle) {}
    // Undoes subclassing and forgets the object, then destroys the window it created: the
    // window's last messages go to the platform's default processing.
    ~Window() override;

    // Runs for every message of a window whose class procedure is the framework's; the
    // default is the platform's default processing.
    virtual LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs for every message of a subclassed control; the default hands it to the owner's
    // handler, or to the control's previous procedure when there is no owner.
    virtual LRESULT SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Routes the control's messages through SubclassProc. Does nothing when already
    // subclassed.
    void Subclass(HandleObject* owner = nullptr, OwnerHandler handler = nullptr);
    template <class Owner>
    void Subclass(Owner* owner, LRESULT (Owner::*handler)(HWND, UINT, WPARAM, LPARAM)) {
        Subclass(static_cast<HandleObject*>(owner), static_cast<OwnerHandler>(handler));
    }
    // Puts the previous window procedure back, where the window still runs the framework's
    // (one that is gone, or has another procedure by now, is left alone), and forgets the
    // object. A subclassed window's last message does this by itself.
    void Unsubclass();

    void ModifyStyle(LONG_PTR remove, LONG_PTR add);

    // Hands a message to the procedure that was in place before subclassing.
    LRESULT CallOldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC oldProc = nullptr;
    HandleObject* owner = nullptr;
    OwnerHandler ownerHandler = nullptr;
};

// The framework's procedures, installed as window class and subclass procedures.
LRESULT CALLBACK FrameWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
