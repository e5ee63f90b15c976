#include "platform/SoftInputPanel.h"
#include "framework/app/tests/MessagePump.h"
#include "framework/app/tests/PixelCanvas.h"
#include "framework/app/tests/RealInput.h"
#include "platform/MenuBar.h"
#include "platform/Screen.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void SetPanel(bool on) {
    SIPINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(SipGetInfo(&info));
    info.fdwFlags = on ? (info.fdwFlags | SIPF_ON) : (info.fdwFlags & ~SIPF_ON);
    ASSERT_TRUE(SipSetInfo(&info));
}

bool PanelShown() {
    return SipPanelWindow() != nullptr && IsWindowVisible(SipPanelWindow());
}

int settingChanges = 0;

LRESULT CALLBACK CountSettingChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGCHANGE && wParam == SPI_SETSIPINFO) {
        ++settingChanges;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A window over the device's screen, as the device's windows are, with a menu bar.
HWND CreateScreenWindow() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = CountSettingChanges;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SipListener";
    RegisterClassW(&windowClass);
    const RECT screen = DeviceScreenRect();
    const HWND window =
        CreateWindowW(L"SipListener", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, screen.left,
                      screen.top, screen.right - screen.left, screen.bottom - screen.top, nullptr,
                      nullptr, windowClass.hInstance, nullptr);
    SHMENUBARINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.hwndParent = window;
    bar.dwFlags = SHCMBF_EMPTYBAR;
    SHCreateMenuBar(&bar);
    SetForegroundWindow(window);
    PumpMessages();
    return window;
}

POINT SipButtonOf(HWND window) {
    const HWND bar = FindWindowExW(window, nullptr, kMenuBarClassName, nullptr);
    RECT button = SipButtonRect(bar);
    MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    return {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
}

// A point of the panel's client area, as fractions of its width and height.
POINT OnPanel(double x, double y) {
    RECT client;
    GetClientRect(SipPanelWindow(), &client);
    POINT point = {static_cast<LONG>(client.right * x), static_cast<LONG>(client.bottom * y)};
    ClientToScreen(SipPanelWindow(), &point);
    return point;
}

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

TEST(SoftInputPanel, RecordDescribesThePanelAboveTheMenuBar) {
    SIPINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(SipGetInfo(&info));
    EXPECT_FALSE(info.fdwFlags & SIPF_ON);
    const int screenBottom = DeviceScreenRect().bottom;
    EXPECT_EQ(screenBottom - MenuBarHeight(), info.rcSipRect.bottom);
    EXPECT_EQ(ScaleToScreen(80), info.rcSipRect.bottom - info.rcSipRect.top);
    EXPECT_EQ(info.rcSipRect.bottom, info.rcVisibleDesktop.bottom);

    SIPINFO wrongSize = {};
    wrongSize.cbSize = 48;
    EXPECT_FALSE(SipGetInfo(&wrongSize));
    EXPECT_FALSE(SipSetInfo(&wrongSize));
}

// One panel for the program: every menu bar's button raises and lowers it, and it shows in
// whichever window is active.
TEST(SoftInputPanel, EveryMenuBarsButtonRaisesAndLowersTheOnePanel) {
    settingChanges = 0;
    const HWND first = CreateScreenWindow();
    TapAt(SipButtonOf(first));
    SIPINFO info = {};
    info.cbSize = sizeof info;
    SipGetInfo(&info);
    EXPECT_TRUE(info.fdwFlags & SIPF_ON);
    EXPECT_EQ(info.rcSipRect.top, info.rcVisibleDesktop.bottom);
    EXPECT_TRUE(PanelShown());
    EXPECT_EQ(first, GetParent(SipPanelWindow()));
    EXPECT_EQ(1, settingChanges);

    const HWND second = CreateScreenWindow();
    EXPECT_EQ(second, GetParent(SipPanelWindow()));
    EXPECT_TRUE(PanelShown());
    TapAt(SipButtonOf(second));
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(1 + 2, settingChanges); // every window, each time
    DestroyWindow(second);
    DestroyWindow(first);

    // Up again after the window it was shown in has gone, and in the next one.
    SetPanel(true);
    EXPECT_EQ(nullptr, GetParent(SipPanelWindow()));
    const HWND third = CreateScreenWindow();
    EXPECT_EQ(third, GetParent(SipPanelWindow()));
    EXPECT_TRUE(PanelShown());
    SetPanel(false);
    DestroyWindow(third);
}

TEST(SoftInputPanel, KeysSuitTheFocusedFieldAndTypeIntoIt) {
    const HWND window = CreateScreenWindow();
    const HWND text = CreateWindowW(L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, window,
                                    nullptr, nullptr, nullptr);
    const HWND number = CreateWindowW(L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 30, 100, 20, window,
                                      nullptr, nullptr, nullptr);
    SetInputScope(number, IS_NUMBER);
    SetFocus(text);
    SetPanel(true);
    // The third row of the keyboard, the second of the number keys: "a" there, "-" here.
    const POINT firstKey = OnPanel(0.04, 0.55);
    TapAt(firstKey);
    TapAt(OnPanel(0.04, 0.7)); // Shift, for the next key only
    TapAt(firstKey);
    TapAt(firstKey);
    EXPECT_EQ(L"aAa", TextOf(text));
    SetFocus(number);
    TapAt(firstKey);
    TapAt(OnPanel(0.95, 0.75)); // Enter
    TapAt(OnPanel(0.04, 0.25)); // 1
    TapAt(OnPanel(0.75, 0.75)); // backspace
    TapAt(OnPanel(0.95, 0.25)); // 0
    EXPECT_EQ(L"-0", TextOf(number));
    EXPECT_EQ(number, GetFocus());
    SetPanel(false);
    DestroyWindow(window);
}

// A child that the panel lies over may not draw itself over the panel, which takes its taps.
TEST(SoftInputPanel, WhatIsDrawnIsWhatATapHits) {
    const HWND window = CreateScreenWindow();
    RECT client;
    GetClientRect(window, &client);
    const HWND below =
        CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                      client.bottom - MenuBarHeight(), window, nullptr, nullptr, nullptr);
    SetPanel(true);
    PumpMessages();
    // The child below draws on itself after the panel has been drawn, as a tab control does
    // when the pointer passes over it.
    const HDC dc = GetDC(below);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(below, dc);
    EXPECT_EQ(SipPanelWindow(), WindowFromPoint(OnPanel(0.5, 0.5)));
    EXPECT_TRUE(ScreenShows(SipPanelWindow()));
    SetPanel(false);
    DestroyWindow(window);
}

} // namespace
