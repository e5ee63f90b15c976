#include "platform/SoftInputPanel.h"
#include "platform/MenuBar.h"
#include "platform/Screen.h"

#include <gtest/gtest.h>

namespace {

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void SetPanel(bool on) {
    SIPINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(SipGetInfo(&info));
    info.fdwFlags = on ? (info.fdwFlags | SIPF_ON) : (info.fdwFlags & ~SIPF_ON);
    ASSERT_TRUE(SipSetInfo(&info));
}

int settingChanges = 0;

LRESULT CALLBACK CountSettingChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGCHANGE && wParam == SPI_SETSIPINFO) {
        ++settingChanges;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(SoftInputPanel, RecordDescribesThePanelAboveTheMenuBar) {
    SIPINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(SipGetInfo(&info));
    EXPECT_FALSE(info.fdwFlags & SIPF_ON);
    const int screenHeight = DeviceScreenRect().bottom;
    const int dpi = 96; // the test display
    EXPECT_EQ(screenHeight - MulDiv(kMenuBarDesignHeight, dpi, 96), info.rcSipRect.bottom);
    EXPECT_EQ(MulDiv(80, dpi, 96), info.rcSipRect.bottom - info.rcSipRect.top);
    EXPECT_EQ(info.rcSipRect.bottom, info.rcVisibleDesktop.bottom);

    SIPINFO wrongSize = {};
    wrongSize.cbSize = 48;
    EXPECT_FALSE(SipGetInfo(&wrongSize));
    EXPECT_FALSE(SipSetInfo(&wrongSize));
}

TEST(SoftInputPanel, GoingUpAndDownShowsThePanelAndTellsTheWindows) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = CountSettingChanges;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SipListener";
    RegisterClassW(&windowClass);
    const HWND listener = CreateWindowW(L"SipListener", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                        nullptr, windowClass.hInstance, nullptr);

    SetPanel(true);
    SIPINFO info = {};
    info.cbSize = sizeof info;
    SipGetInfo(&info);
    EXPECT_TRUE(info.fdwFlags & SIPF_ON);
    EXPECT_EQ(info.rcSipRect.top, info.rcVisibleDesktop.bottom);
    const HWND panel = SipPanelWindow();
    ASSERT_NE(nullptr, panel);
    EXPECT_TRUE(IsWindowVisible(panel));
    EXPECT_EQ(1, settingChanges);

    SetPanel(true); // no change, no notice
    EXPECT_EQ(1, settingChanges);

    SetPanel(false);
    EXPECT_FALSE(IsWindowVisible(panel));
    EXPECT_EQ(2, settingChanges);
    DestroyWindow(listener);
}

TEST(SoftInputPanel, TappedKeysReachTheFocusedControl) {
    const HWND edit = CreateWindowW(L"EDIT", L"", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 20,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(edit);
    SetFocus(edit);
    SetPanel(true);
    const HWND panel = SipPanelWindow();
    RECT client;
    GetClientRect(panel, &client);
    const int rowHeight = client.bottom / 2;
    auto tap = [&](int row, int column, int keys) {
        const int x = client.right * column / keys + client.right / keys / 2;
        const int y = row * rowHeight + rowHeight / 2;
        SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        Pump();
    };
    tap(0, 0, 10); // 1
    tap(1, 1, 6);  // .
    tap(0, 4, 10); // 5
    wchar_t text[16];
    GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(L"1.5", text);
    tap(1, 4, 6); // backspace
    GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(L"1.", text);
    EXPECT_EQ(edit, GetFocus());
    SetPanel(false);
    DestroyWindow(edit);
}

} // namespace
