#include "framework/app/Application.h"
#include "framework/app/MessageLoop.h"
#include "framework/app/RegistryKey.h"
#include "test_support/TestApplication.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace {

// Restores the process values that a test changes.
class ApplicationValues : public ::testing::Test {
protected:
    void TearDown() override {
        Application::japanese = FALSE;
        Application::hiRes = FALSE;
        Application::dpiX = 0;
        Application::dpiY = 0;
    }
};

TEST_F(ApplicationValues, ScalingRoundsHalfAwayFromZeroSymmetrically) {
    Application::dpiX = 192;
    Application::dpiY = 96;
    EXPECT_EQ(20, ScaleX(10));
    EXPECT_EQ(-20, ScaleX(-10));
    EXPECT_EQ(10, ScaleY(10));

    Application::dpiX = 131;
    EXPECT_EQ(14, ScaleX(10)); // (1310 + 48) / 96
    EXPECT_EQ(-14, ScaleX(-10));
    EXPECT_EQ(0, ScaleX(0));
    EXPECT_EQ(50, ScaleX(37)); // 50.49 rounds down

    // 1 * 144 / 96 = 1.5 rounds away from zero in both directions.
    Application::dpiY = 144;
    EXPECT_EQ(2, ScaleY(1));
    EXPECT_EQ(-2, ScaleY(-1));
}

// Start-up: the device's language, turned round by a LangToggle other than 0; the screen's
// resolution; the names in the program's resources.
TEST_F(ApplicationValues, StartUpReadsTheLanguageToggleTheResolutionAndTheNames) {
    const bool device = GetUserDefaultLangID() == 0x0411;
    RegistryKey maker(HKEY_CURRENT_USER);
    ASSERT_EQ(ERROR_SUCCESS, maker.Create(L"Software\\Orvintek"));
    DWORD saved = 0;
    const bool hadToggle = ReadRegistryNumber(HKEY_CURRENT_USER, L"Software\\Orvintek",
                                              L"LangToggle", saved) == ERROR_SUCCESS;
    for (const DWORD toggle : {0, 1, 2}) {
        RegSetValueExW(maker.Handle(), L"LangToggle", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&toggle), sizeof toggle);
        InitApplicationValues(GetModuleHandleW(nullptr));
        EXPECT_EQ(device != (toggle != 0), Application::japanese != FALSE) << toggle;
    }
    RegDeleteValueW(maker.Handle(), L"LangToggle");
    InitApplicationValues(GetModuleHandleW(nullptr));
    EXPECT_EQ(device, Application::japanese != FALSE);

    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), Application::dpiX);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), Application::dpiY);
    ReleaseDC(nullptr, screen);
    EXPECT_STREQ(L"Test title", Application::title);
    EXPECT_STREQ(L"TestClassName", Application::className);
    if (hadToggle) {
        RegSetValueExW(maker.Handle(), L"LangToggle", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&saved), sizeof saved);
    }
    InitTestApplication();
}

TEST_F(ApplicationValues, ValuesBeforeStartUpAreEnglishAndOrdinaryResolution) {
    EXPECT_FALSE(Application::japanese);
    EXPECT_FALSE(Application::hiRes);
    EXPECT_EQ(L"DlgUnit_E", LocalizedResourceName(L"DlgUnit"));
}

TEST_F(ApplicationValues, LanguageChoosesResourceSuffixAndText) {
    Application::japanese = TRUE;
    EXPECT_EQ(L"DlgUnit_J", LocalizedResourceName(L"DlgUnit"));
    EXPECT_STREQ(L"ｴﾗｰ", LanguageText(L"Error", L"ｴﾗｰ"));
    Application::japanese = FALSE;
    EXPECT_STREQ(L"Error", LanguageText(L"Error", L"ｴﾗｰ"));
}

TEST(SingleInstance, ASecondStartWaitsForTheFirstOnesWindowAndBringsItForward) {
    const wchar_t* const className = L"MensurioSingleInstanceTest";
    ASSERT_EQ(nullptr, ActivatePreviousInstance(className)); // the first start
    // The first instance has its mutex but shows its window only a moment later.
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    std::atomic<HWND> made{nullptr};
    std::atomic<bool> done{false};
    std::thread first([&] {
        Sleep(300);
        const HWND window = CreateWindowW(className, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                          windowClass.hInstance, nullptr);
        ShowWindow(window, SW_SHOWNOACTIVATE);
        made = window;
        for (MSG message; !done; Sleep(5)) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            }
        }
        DestroyWindow(made);
    });
    // Another window is in front when the second start finds the first: the first comes
    // forward.
    const HWND other = CreateWindowW(L"STATIC", L"", WS_POPUP | WS_VISIBLE, 20, 20, 10, 10, nullptr,
                                     nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    const HWND found = ActivatePreviousInstance(className);
    // The first instance's thread takes the activation when it next looks at its messages.
    HWND front = GetForegroundWindow();
    for (int wait = 0; front != found && wait < 100; ++wait, front = GetForegroundWindow()) {
        Sleep(20);
    }
    done = true;
    first.join();
    DestroyWindow(other);
    EXPECT_NE(nullptr, found);
    EXPECT_EQ(made.load(), found);
    EXPECT_EQ(found, front);
}

// An instance that holds the mutex but never shows a window is not waited for without end.
TEST(SingleInstance, ASecondStartGivesUpOnAFirstWithoutAWindow) {
    const wchar_t* const className = L"MensurioSingleInstanceWithoutWindow";
    ASSERT_EQ(nullptr, ActivatePreviousInstance(className));
    // Left to itself if it never returns, so that the failure is told rather than hung on.
    auto answer = std::make_shared<std::promise<HWND>>();
    std::future<HWND> second = answer->get_future();
    std::thread([answer, className] {
        answer->set_value(ActivatePreviousInstance(className));
    }).detach();
    ASSERT_EQ(std::future_status::ready, second.wait_for(std::chrono::seconds(30)))
        << "the second start waits on";
    EXPECT_EQ(nullptr, second.get());
}

} // namespace
