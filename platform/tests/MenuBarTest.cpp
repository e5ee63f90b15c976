#include "platform/MenuBar.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<UINT> commands;
int menusOpened = 0;

LRESULT CALLBACK RecordCommands(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        commands.push_back(LOWORD(wParam));
    } else if (message == WM_INITMENUPOPUP) {
        ++menusOpened;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class MenuBar : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = RecordCommands;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"MenuBarParent";
        RegisterClassW(&windowClass);
        parent = CreateWindowW(L"MenuBarParent", L"", WS_POPUP, 0, 0, 240, 300, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
        commands.clear();
        menusOpened = 0;
    }
    void TearDown() override { DestroyWindow(parent); }

    HWND Create(DWORD flags, UINT id) {
        SHMENUBARINFO info = {};
        info.cbSize = sizeof info;
        info.hwndParent = parent;
        info.dwFlags = flags;
        info.nToolBarId = id;
        info.hInstRes = GetModuleHandleW(nullptr);
        return SHCreateMenuBar(&info) ? info.hwndMB : nullptr;
    }

    // Clicks the middle of the bar's item that starts at x.
    static void ClickAt(HWND bar, int x) {
        SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, MenuBarHeight() / 2));
    }

    HWND parent = nullptr;
};

TEST_F(MenuBar, SitsAtTheBottomOfItsWindowAndFollowsItsSize) {
    const HWND bar = Create(SHCMBF_HMENU, 200);
    ASSERT_NE(nullptr, bar);
    RECT rect;
    GetWindowRect(bar, &rect);
    EXPECT_EQ(300, rect.bottom);
    EXPECT_EQ(MenuBarHeight(), rect.bottom - rect.top);
    EXPECT_EQ(240, rect.right - rect.left);

    SetWindowPos(parent, nullptr, 0, 0, 200, 250, SWP_NOZORDER);
    GetWindowRect(bar, &rect);
    EXPECT_EQ(250, rect.bottom);
    EXPECT_EQ(200, rect.right - rect.left);
}

TEST_F(MenuBar, MenuTitlesDropDownTheirMenus) {
    const HWND bar = Create(SHCMBF_HMENU, 200);
    const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(bar, SHCMBM_GETMENU, 0, 0));
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(2, GetMenuItemCount(menu));
    EXPECT_EQ(40201u, GetMenuItemID(GetSubMenu(menu, 1), 0));

    // The menu's modal loop is ended from a timer inside it.
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        EndMenu();
    });
    ClickAt(bar, 5);
    EXPECT_EQ(1, menusOpened);
}

TEST_F(MenuBar, ButtonListButtonsSendTheirCommandsWhenEnabled) {
    const HWND bar = Create(0, 201);
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(2, SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    EXPECT_EQ(nullptr, reinterpret_cast<HMENU>(SendMessageW(bar, SHCMBM_GETMENU, 0, 0)));

    const int buttonWidth = 10; // no images: the padding alone
    ClickAt(bar, buttonWidth / 2);
    ClickAt(bar, buttonWidth + buttonWidth / 2); // disabled
    EXPECT_EQ(std::vector<UINT>{2}, commands);

    EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONENABLED, 1, 0));
    SendMessageW(bar, TB_ENABLEBUTTON, 1, TRUE);
    EXPECT_TRUE(SendMessageW(bar, TB_ISBUTTONENABLED, 1, 0));
    ClickAt(bar, buttonWidth + buttonWidth / 2);
    EXPECT_EQ((std::vector<UINT>{2, 1}), commands);
    // A button is found by its command, at its place on the bar; a command of none is not.
    EXPECT_EQ(0, SendMessageW(bar, TB_COMMANDTOINDEX, 2, 0));
    EXPECT_EQ(1, SendMessageW(bar, TB_COMMANDTOINDEX, 1, 0));
    EXPECT_EQ(-1, SendMessageW(bar, TB_COMMANDTOINDEX, 99, 0));
    EXPECT_FALSE(SendMessageW(bar, TB_ENABLEBUTTON, 99, FALSE));
    SendMessageW(bar, TB_ENABLEBUTTON, 2, FALSE);
    EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONENABLED, 2, 0));
}

TEST_F(MenuBar, AddedButtonsGetTheirTooltips) {
    const HWND bar = Create(SHCMBF_HMENU, 200);
    // A separator between the buttons takes no text.
    TBBUTTON buttons[3] = {};
    buttons[0].idCommand = 40201;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[1].fsStyle = BTNS_SEP;
    buttons[2].iBitmap = 1;
    buttons[2].idCommand = 40202;
    buttons[2].fsState = TBSTATE_ENABLED;
    SendMessageW(bar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons));
    const wchar_t* texts[] = {L"Copy", L"Paste"};
    SendMessageW(bar, SHCMBM_SETBUTTONTOOLTIPS, 2, reinterpret_cast<LPARAM>(texts));
    EXPECT_EQ(0, SendMessageW(bar, TB_GETTOOLTIPS, 0, 0));

    // The tooltips come with the pointer's first move over the bar.
    SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    const auto tooltip = reinterpret_cast<HWND>(SendMessageW(bar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(nullptr, tooltip);
    // Then the input panel's button, the shell's own.
    EXPECT_EQ(3, SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    wchar_t text[32] = {};
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_ENUMTOOLSW, 1, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(L"Paste", text);
    SendMessageW(tooltip, TTM_ENUMTOOLSW, 2, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(L"Input Panel", text);
    // The separator counts for the places but is no button of its command (0).
    EXPECT_EQ(2, SendMessageW(bar, TB_COMMANDTOINDEX, 40202, 0));
    EXPECT_EQ(-1, SendMessageW(bar, TB_COMMANDTOINDEX, 0, 0));
}

TEST_F(MenuBar, MissingResourceCreatesNoBar) {
    EXPECT_EQ(nullptr, Create(SHCMBF_HMENU, 999));
    EXPECT_EQ(nullptr, Create(0, 999));
    EXPECT_EQ(nullptr, FindWindowExW(parent, nullptr, kMenuBarClassName, nullptr));
    EXPECT_NE(nullptr, Create(SHCMBF_EMPTYBAR, 999));
}

TEST_F(MenuBar, ButtonRectanglesFollowTheMenuTitles) {
    const HWND bar = Create(SHCMBF_HMENU, 200);
    TBBUTTON button = {};
    button.idCommand = 40201;
    button.fsState = TBSTATE_ENABLED;
    SendMessageW(bar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    RECT rect = {};
    ASSERT_TRUE(SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_GT(rect.left, 0);               // after "File" and "Edit"
    EXPECT_EQ(10, rect.right - rect.left); // no images: the padding alone
    EXPECT_FALSE(SendMessageW(bar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect)));
}

} // namespace
