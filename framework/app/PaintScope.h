// Paints a window between construction and destruction.
#pragma once

#include "HandleObject.h"

#include <windows.h>

// `handle` is the paint context.
class PaintScope : public HandleObject {
public:
    explicit PaintScope(HWND window) : window(window) { handle = BeginPaint(window, &paint); }
    ~PaintScope() override { EndPaint(window, &paint); }

    HDC handle;
    PAINTSTRUCT paint;

private:
    HWND window;
};
