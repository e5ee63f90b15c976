// A window whose contents scroll with its scroll bars.
#pragma once

#include "Window.h"

class ScrollingWindow : public Window {
public:
    using Window::Window;

    // Runs on a horizontal scroll request; scrolls the contents by the distance moved.
    virtual LRESULT OnHScroll(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs on a vertical scroll request; scrolls the contents by the distance moved.
    virtual LRESULT OnVScroll(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Moves the bar (SB_HORZ or SB_VERT) as `request` (SB_LINEUP, SB_PAGEDOWN, ...) asks;
    // returns the old position minus the new one, as the platform clamped it.
    int Scroll(int bar, int request);

private:
    void ScrollContents(int bar, WPARAM wParam);
};
