// A framework object that holds a window.
#pragma once

#include "HandleObject.h"

#include <windows.h>

class WindowHandle : public HandleObject {
public:
    WindowHandle() = default;
    explicit WindowHandle(HWND handle) : handle(handle) {}
    // Destroys the window when this object created it and it still exists.
    ~WindowHandle() override;

    // Null until bound; keeps its last value after the window is destroyed.
    HWND handle = nullptr;
    // The object created the window and must destroy it.
    BOOL owned = FALSE;

protected:
    // Destroys the window if this object created it and it still exists. A class whose
    // objects receive the window's messages calls this from its own destructor, after
    // taking the object out of its registry: the messages of the destruction then never
    // reach an object whose derived parts are already gone.
    void DestroyOwnedWindow();
};
