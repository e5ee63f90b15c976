// Property pages and sheets on real windows: the device-style caption, the menu bar, the
// notification results and the exception guard.
#include "framework/app/Application.h"
#include "framework/app/ObjectRegistry.h"
#include "framework/app/PropertyPage.h"
#include "platform/MenuBar.h"
#include "platform/Screen.h"
#include "test_support/MessageBoxRecorder.h"
#include "test_support/TestApplication.h"
#include "test_support/Texts.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

class TestPage : public PropertyPage {
public:
    INT_PTR OnCommand(HWND, UINT, WPARAM wParam, LPARAM) override {
        if (LOWORD(wParam) == 999) {
            throw std::runtime_error("page failed");
        }
        return 0;
    }
    LRESULT OnSetActive(HWND, UINT, WPARAM, LPARAM) override { return Called("set active", 0); }
    LRESULT OnKillActive(HWND, UINT, WPARAM, LPARAM) override { return Called("kill active", 11); }
    LRESULT OnApply(HWND, UINT, WPARAM, LPARAM) override { return Called("apply", 12); }
    LRESULT OnQueryCancel(HWND, UINT, WPARAM, LPARAM) override {
        return Called("query cancel", 13);
    }
    LRESULT OnWizBack(HWND, UINT, WPARAM, LPARAM) override { return Called("back", 14); }
    LRESULT OnWizNext(HWND, UINT, WPARAM, LPARAM) override { return Called("next", 15); }
    LRESULT OnWizFinish(HWND, UINT, WPARAM, LPARAM) override { return Called("finish", 16); }
    void OnReset(HWND, UINT, WPARAM, LPARAM) override { Called("reset", 0); }
    void OnHelp(HWND, UINT, WPARAM, LPARAM) override { Called("help", 0); }

    std::vector<std::string> calls;

private:
    LRESULT Called(const char* name, LRESULT result) {
        calls.push_back(name);
        return result;
    }
};

class PropertySheets : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitTestApplication(); }

    // Sends a sheet notification to the page; returns the page's message result.
    LRESULT Notify(HWND page, UINT code) {
        NMHDR header = {GetParent(page), 0, code};
        return SendMessageW(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    }

    MessageBoxRecorder recorder;
};

TEST_F(PropertySheets, CaptionComesFromTheTitleCallbackAndTheBarHasCancelAndOk) {
    PropertySheet sheet;
    TestPage first;
    TestPage second;
    ASSERT_NE(nullptr, first.Create(sheet, L"TestPage_E"));
    ASSERT_NE(nullptr, second.Create(sheet, L"TestPage_E"));
    EXPECT_EQ(2, sheet.count);
    EXPECT_EQ(&sheet, first.sheet);

    const HWND window = reinterpret_cast<HWND>(sheet.Show(nullptr, PSH_MODELESS, L"About..."));
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, sheet.handle);
    EXPECT_TRUE(sheet.owned);
    EXPECT_EQ(L"About...", TextOf(window));
    // Full screen, without the desktop's buttons.
    RECT placed;
    GetWindowRect(window, &placed);
    EXPECT_EQ(DeviceScreenRect().right - DeviceScreenRect().left, placed.right - placed.left);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDOK)));
    const HWND bar = FindWindowExW(window, nullptr, kMenuBarClassName, nullptr);
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(2, SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));

    // The first page is bound once shown.
    EXPECT_EQ(&first, DialogRegistry().Find(first.handle));
    EXPECT_EQ(window, GetParent(first.handle));
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(PropertySheets, NotificationResultsBecomeThePageResult) {
    PropertySheet sheet;
    TestPage page;
    page.Create(sheet, L"TestPage_E");
    sheet.Show(nullptr, PSH_MODELESS, L"Sheet");
    page.calls.clear();

    EXPECT_EQ(0, Notify(page.handle, PSN_SETACTIVE));
    EXPECT_EQ(11, Notify(page.handle, PSN_KILLACTIVE));
    EXPECT_EQ(12, Notify(page.handle, PSN_APPLY));
    EXPECT_EQ(13, Notify(page.handle, PSN_QUERYCANCEL));
    EXPECT_EQ(14, Notify(page.handle, PSN_WIZBACK));
    EXPECT_EQ(15, Notify(page.handle, PSN_WIZNEXT));
    EXPECT_EQ(16, Notify(page.handle, PSN_WIZFINISH));
    // Reset and help are handled, but have no result to write.
    EXPECT_EQ(0, Notify(page.handle, PSN_RESET));
    EXPECT_EQ(0, Notify(page.handle, PSN_HELP));
    EXPECT_EQ((std::vector<std::string>{"set active", "kill active", "apply", "query cancel",
                                        "back", "next", "finish", "reset", "help"}),
              page.calls);

    // -204 is not the page's: not handled, nothing called.
    NMHDR header = {sheet.handle, 0, static_cast<UINT>(-204)};
    EXPECT_EQ(0, page.OnNotify(page.handle, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(9u, page.calls.size());
}

TEST_F(PropertySheets, ExceptionInAPageIsReported) {
    PropertySheet sheet;
    TestPage page;
    page.Create(sheet, L"TestPage_E");
    sheet.Show(nullptr, PSH_MODELESS, L"Sheet");
    EXPECT_EQ(0, SendMessageW(page.handle, WM_COMMAND, 999, 0));
    EXPECT_EQ((std::vector<std::wstring>{L"FPropPage"}), recorder.Texts());
    EXPECT_EQ(page.handle, recorder.Boxes()[0].owner);
}

TEST_F(PropertySheets, ModalSheetEndsWithTheMenuBarButtons) {
    PropertySheet sheet;
    PropertyPage page; // lets the sheet be cancelled
    page.Create(sheet, L"TestPage_E");
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        const HWND open = FindWindowW(nullptr, L"Modal");
        PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(0, sheet.Show(nullptr, PSH_NOAPPLYNOW, L"Modal"));
    EXPECT_FALSE(sheet.owned);
}

TEST_F(PropertySheets, PagesPastTheHundredthAndMissingTemplates) {
    PropertySheet sheet;
    std::vector<TestPage> pages(101);
    for (TestPage& page : pages) {
        page.Create(sheet, L"TestPage_E");
    }
    EXPECT_EQ(100, sheet.count);
    EXPECT_EQ(pages[99].pageHandle, sheet.pageHandles[99]);

    TestPage missing;
    PropertySheet other;
    missing.Create(other, L"NoSuchPage_E");
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(L"DIALOG[NoSuchPage_E]", recorder.Boxes()[0].text);
    EXPECT_EQ(nullptr, recorder.Boxes()[0].owner);
    for (TestPage& page : pages) {
        DestroyPropertySheetPage(page.pageHandle);
    }
}

} // namespace
