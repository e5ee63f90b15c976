// A top-level window of the framework's own class: the converter's main window is one.
#pragma once

#include "MenuHandle.h"
#include "ScrollingWindow.h"

#include <atomic>

class FrameWindow : public ScrollingWindow {
public:
    FrameWindow() = default;

    // Runs for every message of the frame; map messages to the handlers below.
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override = 0;
    // Runs on WM_CREATE; return 0 to go on creating, -1 to fail.
    virtual LRESULT OnCreate(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs on WM_COMMAND: menu, accelerator and control commands.
    virtual LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Runs on WM_DESTROY; the default ends the message loop with exit code 0.
    virtual LRESULT OnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs on WM_CLOSE. The default destroys the frame, unless work that must not be cut
    // off runs (see workHoldingFramesOpen): then the close is refused with a beep and the
    // window that shows the work comes to the front.
    virtual LRESULT OnClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs on WM_ACTIVATE; the default remembers the focus on deactivation and restores it
    // on activation.
    virtual LRESULT OnActivate(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Registers the class named Application::className once (icon 100, the given system
    // colour as background) and creates the window titled Application::title.
    bool Create(int left, int top, int width, int height, DWORD style, DWORD extendedStyle,
                int backgroundColorIndex);

    // Creates the frame's menu bar from a menu resource and keeps the bar and its menu.
    bool CreateMenuBar(UINT menuId);

    // The client area left for the frame's content: above the menu bar, above the input
    // panel when `leaveRoomForSip` is set and the panel is up, and above the lower and upper
    // bars (moved to their new place when `moveBars` is set). False when the client area
    // cannot be read.
    bool GetLayoutRect(RECT& rect, bool leaveRoomForSip, bool moveBars);

    // The number of pieces of work running that a close of the program would cut off (a
    // file operation half-way); each counts itself while it runs.
    static inline std::atomic<int> workHoldingFramesOpen{0};

    HWND savedFocus = nullptr;
    Window menuBar;
    MenuHandle menu;
    Window lowerBar;
    Window upperBar;
};
