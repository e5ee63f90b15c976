// The focus: Tab between the rows and the tabs, and the input panel that comes with a row.
#include "ConverterWindowTest.h"

TEST_F(ConverterWindowTest, TabMovesBetweenRowsAndBackToTheTabs) {
    Open(kThreeSections);
    Type(1, 3, L"\t");
    EXPECT_EQ(Page(1).edits[4]->handle, GetFocus());
    Type(1, 4, L"\t");
    EXPECT_EQ(window->tabControl.handle, GetFocus());

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Type(1, 2, L"\t");
    EXPECT_EQ(Page(1).edits[1]->handle, GetFocus());
    Type(1, 0, L"\t");
    EXPECT_EQ(window->tabControl.handle, GetFocus());
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);

    // Tab on the tab control goes into the current page's first row, its text selected.
    window->SelectPage(1);
    SendMessageW(Page(1).edits[0]->handle, EM_SETSEL, 0, 0);
    SendMessageW(window->tabControl.handle, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(Page(1).edits[0]->handle, GetFocus());
    const LRESULT length = GetWindowTextLengthW(Page(1).edits[0]->handle);
    EXPECT_GT(length, 0);
    EXPECT_EQ(MAKELONG(0, length), SendMessageW(Page(1).edits[0]->handle, EM_GETSEL, 0, 0));
    // A page without rows leaves the focus on the tabs.
    window->SelectPage(4);
    SendMessageW(window->tabControl.handle, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(window->tabControl.handle, GetFocus());

    // A real Tab key, which passes the dialog's keyboard handling before any character
    // exists, reaches the row too: from the last row back to the tabs.
    window->SelectPage(0);
    SetFocus(Page(0).edits[2]->handle);
    PostMessageW(Page(0).edits[2]->handle, WM_KEYDOWN, VK_TAB, 0x000F0001);
    PumpMessages();
    EXPECT_EQ(window->tabControl.handle, GetFocus());
}

// A tap into a row, then on the tab strip, which the panel covers; the panel's button on the
// menu bar lowers it, and the tab takes the tap.
TEST_F(ConverterWindowTest, InputPanelComesWithARowAndGoesWithItsButton) {
    Open(kThreeSections);
    ShowWindow(window->handle, SW_SHOW);
    SetForegroundWindow(window->handle);
    PumpMessages();
    // Another file's pages come while the tab strip has the focus and the panel is up; the
    // strip holds their tabs back until a key on it makes them all, which leaves it drawing
    // around the panel, not over it.
    std::string sections;
    for (int section = 0; section < 30; ++section) {
        sections += "[Section " + std::to_string(section) + "]\r\n\"u\" = 1\r\n";
    }
    const TempDefinitionFile many(sections);
    SetFocus(window->tabControl.handle);
    ShowSip();
    window->ReplaceCategoryPages(many.Path());
    PressKeys({VK_RIGHT});
    EXPECT_EQ(30 + 2, TabCtrl_GetItemCount(window->tabControl.handle));
    EXPECT_TRUE(GetWindowLongPtrW(window->tabControl.handle, GWL_STYLE) & WS_CLIPSIBLINGS);
    SHSipPreference(nullptr, SIP_FORCEDOWN);
    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE, 0);

    const HWND fahrenheit = Page(0).edits[1]->handle;
    TapOn(fahrenheit);
    EXPECT_EQ(fahrenheit, GetFocus());
    // On a device's screen the row's focus raises the panel; where a keyboard is at hand, the
    // panel stays down until its button raises it.
    const auto panelShown = [] { return SipPanelWindow() && IsWindowVisible(SipPanelWindow()); };
    EXPECT_EQ(!IsDesktopScreen(), panelShown());
    RECT button = SipButtonRect(window->menuBar.handle);
    MapWindowPoints(window->menuBar.handle, nullptr, reinterpret_cast<POINT*>(&button), 2);
    const POINT sipButton = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    if (!panelShown()) {
        TapAt(sipButton);
    }
    ASSERT_TRUE(panelShown());

    // What shows on the tab strip is the panel, also once the strip draws itself again, and
    // the panel takes the taps there: its 5 key.
    const POINT timeTab = TabCentre(1);
    EXPECT_EQ(SipPanelWindow(), WindowFromPoint(timeTab));
    const HDC dc = GetDC(window->tabControl.handle);
    SendMessageW(window->tabControl.handle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT);
    ReleaseDC(window->tabControl.handle, dc);
    // The button's tooltip, which the tap brought up, is not what is looked at.
    SendMessageW(reinterpret_cast<HWND>(SendMessageW(window->menuBar.handle, TB_GETTOOLTIPS, 0, 0)),
                 TTM_POP, 0, 0);
    EXPECT_TRUE(ScreenShows(SipPanelWindow()));
    SendMessageW(fahrenheit, EM_SETSEL, 0, -1);
    RECT keys;
    GetWindowRect(SipPanelWindow(), &keys);
    TapAt({keys.left + (keys.right - keys.left) * 9 / 20, keys.top + (keys.bottom - keys.top) / 4});
    EXPECT_EQ(L"5", TextOf(fahrenheit));

    TapAt(sipButton);
    EXPECT_FALSE(panelShown());
    TapAt(timeTab);
    EXPECT_EQ(1, window->currentPage);
}
