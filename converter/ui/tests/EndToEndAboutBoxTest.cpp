// The About box of the real program, opened with the help key.
#include "EndToEnd.h"

TEST_F(EndToEnd, HelpKeyOpensTheAboutBox) {
    Program program;
    ASSERT_NE(nullptr, program.window);
    PostMessageW(program.Focus(), WM_KEYDOWN, VK_F1, 1);
    const std::wstring caption = Shown(L"About...", L"ﾊﾞｰｼﾞｮﾝ情報...");
    HWND about = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (about = FindWindowW(nullptr, caption.c_str())) != nullptr; }));
    HWND page = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        page = reinterpret_cast<HWND>(SendMessageW(about, PSM_GETCURRENTPAGEHWND, 0, 0));
        return page != nullptr && TextOf(GetDlgItem(page, IDC_ABOUT_TEXT + 2)) == L"Version 0.80";
    }));
    // The memory and battery pages paint the device's figures.
    SendMessageW(about, PSM_SETCURSEL, 2, 0);
    EXPECT_NE(page, reinterpret_cast<HWND>(SendMessageW(about, PSM_GETCURRENTPAGEHWND, 0, 0)));

    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
    EXPECT_TRUE(program.IsRunning());
}
