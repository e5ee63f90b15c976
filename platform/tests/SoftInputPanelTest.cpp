#include "platform/SoftInputPanel.h"
#include "platform/MenuBar.h"
#include "platform/Screen.h"
#include "test_support/MessagePump.h"
#include "test_support/PixelCanvas.h"
#include "test_support/RealInput.h"
#include "test_support/Texts.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    SetFocus(number);
    SetPanel(true);
    // The second row of the number keys, the third of the keyboard: "-" here, "a" there.
    const POINT firstKey = OnPanel(0.04, 0.55);
    TapAt(firstKey);
    TapAt(OnPanel(0.95, 0.75)); // Enter
    TapAt(OnPanel(0.04, 0.25)); // 1
    TapAt(OnPanel(0.75, 0.75)); // backspace
    TapAt(OnPanel(0.95, 0.25)); // 0
    EXPECT_EQ(L"-0", TextOf(number));
    SetFocus(text);
    const POINT shift = OnPanel(0.04, 0.7);
    TapAt(shift); // for the next key only
    TapAt(firstKey);
    TapAt(firstKey);
    EXPECT_EQ(L"Aa", TextOf(text));
    // A Shift pressed before the field changed counts no more, and the keys shown are those
    // of the field.
    TapAt(shift);
    SetFocus(number);
    SetFocus(text);
    PumpMessages();
    EXPECT_TRUE(ScreenShows(SipPanelWindow()));
    TapAt(firstKey);
    EXPECT_EQ(L"Aaa", TextOf(text));
    EXPECT_EQ(text, GetFocus());
    SHSipPreference(nullptr, SIP_FORCEDOWN);
    EXPECT_FALSE(PanelShown());
    DestroyWindow(window);
}

// The bounds of the pixels in the text colour within an area of the screen.
RECT InkBounds(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    PixelCanvas shown(width, height);
    const HDC screen = GetDC(nullptr);
    BitBlt(shown.dc, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    const DWORD ink = (GetRValue(text) << 16) | (GetGValue(text) << 8) | GetBValue(text);
    RECT bounds = {width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (shown.Pixel(x, y) == ink) {
                bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                          std::max<LONG>(bounds.right, x + 1),
                          std::max<LONG>(bounds.bottom, y + 1)};
            }
        }
    }
    OffsetRect(&bounds, area.left, area.top);
    return bounds;
}

// The shell's pictures, to the screen's resolution: a keyboard in the middle of the panel's
// button, which is drawn pressed while the panel is up, and an arrow on the Shift key.
TEST(SoftInputPanel, ButtonAndShiftKeyShowTheirPictures) {
    const HWND window = CreateScreenWindow();
    const HWND bar = FindWindowExW(window, nullptr, kMenuBarClassName, nullptr);
    RECT button = SipButtonRect(bar);
    MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    const RECT keyboard = InkBounds(button);
    EXPECT_EQ(ScaleToScreen(16), keyboard.right - keyboard.left);
    EXPECT_EQ(ScaleToScreen(10), keyboard.bottom - keyboard.top);
    EXPECT_NEAR(keyboard.left - button.left, button.right - keyboard.right, 1);
    EXPECT_NEAR(keyboard.top - button.top, button.bottom - keyboard.bottom, 1);
    const auto leftEdge = [&] {
        const HDC screen = GetDC(nullptr);
        const COLORREF color = GetPixel(screen, button.left, (button.top + button.bottom) / 2);
        ReleaseDC(nullptr, screen);
        return color;
    };
    EXPECT_NE(GetSysColor(COLOR_BTNSHADOW), leftEdge());
    TapAt(SipButtonOf(window));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), leftEdge());

    const POINT topLeft = OnPanel(0, 0.6);
    const POINT bottomRight = OnPanel(1.0 / 11, 0.8);
    const RECT shiftKey = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    const RECT arrow = InkBounds(shiftKey);
    EXPECT_NEAR(ScaleToScreen(7), arrow.right - arrow.left, 1);
    EXPECT_NEAR(ScaleToScreen(7), arrow.bottom - arrow.top, 1);
    EXPECT_NEAR(arrow.left - shiftKey.left, shiftKey.right - arrow.right, 2);
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
