// The tabs and the Unit menu: one page for each section of the definition file.
#include "ConverterWindowTest.h"

TEST_F(ConverterWindowTest, TabsAndUnitMenuFollowTheDefinitionFile) {
    Open(kThreeSections);
    EXPECT_EQ((Texts{L"Temp", L"Time", L"Length", L"Pressure", L"Empty"}), Tabs());
    EXPECT_EQ((Texts{L"40301 Temparature", L"40302 Time", L"40303 Length", L"40304 Pressure",
                     L"40305 Empty"}),
              UnitMenu());
    EXPECT_EQ(5, window->PageCount());
    EXPECT_EQ(0, window->currentPage);
    EXPECT_TRUE(recorder.Boxes().empty());
    // Each tab is as wide as its text, the file's tabs included.
    RECT time = {}, pressure = {};
    TabCtrl_GetItemRect(window->tabControl.handle, 1, &time);
    TabCtrl_GetItemRect(window->tabControl.handle, 3, &pressure);
    EXPECT_GT(pressure.right - pressure.left, time.right - time.left);

    EXPECT_EQ(0, MarkedUnit());

    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE + 3, 0);
    EXPECT_EQ(3, window->currentPage);
    EXPECT_EQ(3, TabCtrl_GetCurSel(window->tabControl.handle));
    EXPECT_TRUE(GetWindowLongPtrW(Page(3).handle, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongPtrW(Page(0).handle, GWL_STYLE) & WS_VISIBLE);
    // The Unit menu marks the page shown, chosen there or by its tab.
    EXPECT_EQ(3, MarkedUnit());
    SendMessageW(window->tabControl.handle, TCM_SETCURFOCUS, 1, 0);
    EXPECT_EQ(1, window->currentPage);
    EXPECT_EQ(1, MarkedUnit());
    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE + 4, 0);
    EXPECT_EQ(4, MarkedUnit());
}

TEST_F(ConverterWindowTest, AnotherFileLeavesExactlyItsFirstPageShown) {
    Open(kThreeSections);
    const TempDefinitionFile other("[Mass]\r\n\"g\" = 1\r\n\"kg\" = 1000\r\n");
    // From a category tab whose page goes away, and from the Time tab.
    for (const int from : {3, 1}) {
        window->SelectPage(from);
        window->ReplaceCategoryPages(other.Path());
        int shown = 0;
        for (const ConverterWindow::Page& page : window->pages) {
            const HWND dialog = page.object->handle;
            shown += dialog != nullptr && (GetWindowLongPtrW(dialog, GWL_STYLE) & WS_VISIBLE) != 0;
        }
        EXPECT_EQ(1, shown) << "from page " << from;
        EXPECT_TRUE(GetWindowLongPtrW(Page(0).handle, GWL_STYLE) & WS_VISIBLE) << from;
        EXPECT_EQ(0, TabCtrl_GetCurSel(window->tabControl.handle));
        EXPECT_EQ((Texts{L"Temp", L"Time", L"Mass"}), Tabs());
        EXPECT_EQ((Texts{L"40301 Temparature", L"40302 Time", L"40303 Mass"}), UnitMenu());
        EXPECT_EQ(0, MarkedUnit());
    }
}

TEST_F(ConverterWindowTest, CategoryPagesAreMadeWhenFirstShown) {
    Open(kThreeSections);
    EXPECT_EQ(nullptr, window->pages[3].object->handle);
    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE + 3, 0);
    ASSERT_NE(nullptr, window->pages[3].object->handle);
    EXPECT_EQ(window->tabControl.handle, GetParent(window->pages[3].object->handle));
    EXPECT_EQ(2, window->pages[3].object->rowCount);
    // It covers the tab control's display area and leaves the tabs uncovered.
    const HWND tabs = window->tabControl.handle;
    RECT area = {};
    GetClientRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    RECT page = {};
    GetWindowRect(window->pages[3].object->handle, &page);
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&page), 2);
    RECT tab = {};
    TabCtrl_GetItemRect(tabs, 0, &tab);
    EXPECT_LE(page.left, area.left);
    EXPECT_LE(page.top, area.top);
    EXPECT_GE(page.right, area.right);
    EXPECT_GE(page.bottom, area.bottom);
    EXPECT_LE(page.bottom, tab.top);
}

TEST_F(ConverterWindowTest, SectionNamesShowWithoutControlCharactersAndMenusFitTheScreen) {
    const std::string wide(253, 'W');
    Open("[A\r\nB]\r\n[]\r\n[ \t ]\r\n[\xA0\xA0]\r\n[R&D]\r\n[" + wide + "]\r\n[" + wide + "]\r\n");
    const Texts tabs = Tabs();
    EXPECT_EQ((Texts{L"A B", L"(no name)", L"(no name)", L"(no name)", L"R&&D"}),
              Texts(tabs.begin() + 2, tabs.begin() + 7));
    const Texts items = UnitMenu();
    EXPECT_EQ(L"40307 R&&D", items[6]);
    EXPECT_EQ(L"...", items[7].substr(items[7].size() - 3));
    const RECT screen = DeviceScreenRect();
    const int width = UnitMenuWidth();
    EXPECT_GT(width, 0);
    EXPECT_LE(width, screen.right - screen.left);
}

TEST_F(ConverterWindowTest, MoreThanSixtyThreeSectionsKeepTheFirstSixtyThree) {
    std::string bytes;
    for (int section = 0; section < 70; ++section) {
        bytes += "[S" + std::to_string(section) + "]\r\n\"u\" = 1\r\n";
    }
    Open(bytes);
    EXPECT_EQ(65, window->PageCount());
    EXPECT_EQ(L"S62", Tabs().back());
    EXPECT_EQ(L"40365 S62", UnitMenu().back());

    window->RemoveCategoryPages();
    EXPECT_EQ((Texts{L"Temp", L"Time"}), Tabs());
    EXPECT_EQ(2u, UnitMenu().size());
}

TEST_F(ConverterWindowTest, JapaneseTabsAndMenus) {
    Application::japanese = TRUE;
    Open(kThreeSections);
    EXPECT_EQ(L"温度", Tabs()[0]);
    EXPECT_EQ(L"時間", Tabs()[1]);
    EXPECT_EQ(L"40301 温度", UnitMenu()[0]);
    EXPECT_EQ(L"℃(摂氏)", TextOf(Page(0).labels[0]->handle));
}

// A tab tapped, the next one chosen with the arrow key, and a tap on another tab: each tap
// chooses its tab the first time, from whichever tab the key left.
TEST_F(ConverterWindowTest, ATapChoosesItsTabAfterTheArrowKeys) {
    Open(kThreeSections);
    ShowWindow(window->handle, SW_SHOW);
    SetForegroundWindow(window->handle);
    PumpMessages();
    const auto tapTab = [&](int tab) {
        TapAt(TabCentre(tab));
        return window->currentPage;
    };
    EXPECT_EQ(1, tapTab(1));
    PressKeys({VK_RIGHT});
    EXPECT_EQ(2, window->currentPage);
    EXPECT_EQ(0, tapTab(0));
    PressKeys({VK_RIGHT}); // from the first tab
    EXPECT_EQ(1, window->currentPage);
    EXPECT_EQ(2, tapTab(2));
}
