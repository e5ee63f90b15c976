// Tabs past the strip's visible end, which go in only when something needs them.
#include "ConverterWindowTest.h"

namespace {

// Tabs past the strip's visible end go in only when something needs them; whoever asks
// must never see the strip short of a tab.
class DeferredTabsTest : public ConverterWindowTest {
protected:
    void SetUp() override {
        ConverterWindowTest::SetUp();
        std::string bytes;
        for (int section = 0; section < 40; ++section) {
            bytes += "[Section " + std::to_string(section) + "]\r\n\"u\" = 1\r\n";
            expected.push_back(L"Section " + std::to_wstring(section));
        }
        Open(bytes);
    }

    HWND ScrollArrows() const {
        return FindWindowExW(window->tabControl.handle, nullptr, UPDOWN_CLASSW, nullptr);
    }

    Texts expected = {L"Temp", L"Time"};
};

TEST_F(DeferredTabsTest, ScrollArrowsShowAtOnceAndBringTheRest) {
    const HWND arrows = ScrollArrows();
    ASSERT_NE(nullptr, arrows);
    EXPECT_TRUE(GetWindowLongPtrW(arrows, GWL_STYLE) & WS_VISIBLE);
    RECT arrowsRect = {};
    GetClientRect(arrows, &arrowsRect);
    const LPARAM rightArrow = MAKELPARAM(arrowsRect.right - 3, arrowsRect.bottom / 2);
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, rightArrow);
    SendMessageW(arrows, WM_LBUTTONUP, 0, rightArrow);
    PumpMessages();
    // The arrows reach the last tab: their range spans all but the few that fit.
    int last = 0;
    SendMessageW(arrows, UDM_GETRANGE32, 0, reinterpret_cast<LPARAM>(&last));
    EXPECT_GT(last, 30);
    RECT first = {};
    EXPECT_FALSE(TabCtrl_GetItemRect(window->tabControl.handle, 0, &first)) << "not scrolled";
    EXPECT_EQ(expected, Tabs());
}

TEST_F(DeferredTabsTest, QueriesAndChoicesSeeEveryTab) {
    EXPECT_EQ(42, TabCtrl_GetItemCount(window->tabControl.handle));
    EXPECT_EQ(expected, Tabs());
    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE + 41, 0);
    EXPECT_EQ(41, TabCtrl_GetCurSel(window->tabControl.handle));
    EXPECT_EQ(41, window->currentPage);
}

TEST_F(DeferredTabsTest, LastTabReachedFromTheUnitMenuAndByKeys) {
    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE + 41, 0);
    EXPECT_EQ(41, TabCtrl_GetCurSel(window->tabControl.handle));
    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE + 5, 0);
    EXPECT_EQ(5, TabCtrl_GetCurSel(window->tabControl.handle));
    SendMessageW(window->tabControl.handle, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(6, window->currentPage);
}

TEST_F(DeferredTabsTest, TapOnThePartlyShownTabBringsTheTabsAfterIt) {
    // The last tab in sight runs under the scroll arrows; a tap on its visible part selects
    // it and scrolls the strip, and the next tab then stands where the tap was.
    RECT arrows = {};
    GetWindowRect(ScrollArrows(), &arrows);
    MapWindowPoints(nullptr, window->tabControl.handle, reinterpret_cast<POINT*>(&arrows), 2);
    const LPARAM where = MAKELPARAM(arrows.left - 1, (arrows.top + arrows.bottom) / 2);
    for (int tap = 0; tap < 2; ++tap) {
        SendMessageW(window->tabControl.handle, WM_LBUTTONDOWN, MK_LBUTTON, where);
        SendMessageW(window->tabControl.handle, WM_LBUTTONUP, 0, where);
        PumpMessages();
    }
    EXPECT_EQ(5, window->currentPage);
}

TEST_F(DeferredTabsTest, RemovingPagesLeavesOnlyTheFixedTabs) {
    window->RemoveCategoryPages();
    EXPECT_EQ((Texts{L"Temp", L"Time"}), Tabs());
}

} // namespace
