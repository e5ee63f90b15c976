#include "framework/app/MessageBoxes.h"
#include "framework/app/Application.h"
#include "platform/Screen.h"
#include "test_support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MessageBoxes : public ::testing::Test {
protected:
    void TearDown() override { Application::japanese = FALSE; }

    MessageBoxRecorder recorder{IDCANCEL};
};

TEST_F(MessageBoxes, EachBoxHasItsCaptionStopIconAndOkButton) {
    HWND owner = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(IDCANCEL, ShowError(owner, L"Error CopyFile %d", 5));
    ShowFatal(nullptr, L"DIALOG[%s]", L"FAboutApp_E");
    ShowDebug(L"string too long");

    const std::vector<RecordedMessageBox>& boxes = recorder.Boxes();
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ(owner, boxes[0].owner);
    EXPECT_EQ(L"Error", boxes[0].caption);
    EXPECT_EQ(L"Error CopyFile 5", boxes[0].text);
    EXPECT_EQ(nullptr, boxes[1].owner);
    EXPECT_EQ(L"Fatal", boxes[1].caption);
    EXPECT_EQ(L"DIALOG[FAboutApp_E]", boxes[1].text);
    EXPECT_EQ(L"Debug", boxes[2].caption);
    EXPECT_TRUE(boxes[2].type & MB_SETFOREGROUND);
    for (const RecordedMessageBox& box : boxes) {
        EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), box.type & MB_ICONMASK);
        EXPECT_EQ(static_cast<UINT>(MB_OK), box.type & MB_TYPEMASK);
    }
}

TEST_F(MessageBoxes, JapaneseCaptionsExceptDebug) {
    Application::japanese = TRUE;
    ShowError(nullptr, L"syntax error");
    ShowFatal(nullptr, L"WndProc");
    ShowDebug(L"IDR_ACCELERATOR_MAIN");
    ASSERT_EQ(3u, recorder.Boxes().size());
    EXPECT_EQ(L"ｴﾗｰ", recorder.Boxes()[0].caption);
    EXPECT_EQ(L"致命的なｴﾗｰ", recorder.Boxes()[1].caption);
    EXPECT_EQ(L"Debug", recorder.Boxes()[2].caption);
}

TEST_F(MessageBoxes, PercentSignsAndLongArgumentsAreFormattedWithinTheLimit) {
    ShowError(nullptr, L"100%% done");
    const std::wstring longName(2000, L'x');
    ShowError(nullptr, L"DIALOG[%s]", longName.c_str());
    const std::wstring exact(519, L'y');
    ShowError(nullptr, L"%s", exact.c_str());

    ASSERT_EQ(3u, recorder.Boxes().size());
    EXPECT_EQ(L"100% done", recorder.Boxes()[0].text);
    // Cut at 519 characters, never beyond the buffer.
    EXPECT_EQ(L"DIALOG[" + std::wstring(512, L'x'), recorder.Boxes()[1].text);
    EXPECT_EQ(exact, recorder.Boxes()[2].text);
}

TEST(OutOfMemory, ShowsTheBoxAndEndsWithExitCodeOne) {
    EXPECT_EXIT(
        {
            // The child reports the box on the standard error stream instead of showing it.
            SetMessageBoxHandler([](HWND, const wchar_t* text, const wchar_t* caption, UINT) {
                fprintf(stderr, "box '%ls' caption %s\n", text, caption ? "set" : "none");
                return IDOK;
            });
            InstallOutOfMemoryHandler();
            std::vector<char> huge;
            huge.reserve(huge.max_size());
        },
        ::testing::ExitedWithCode(1), "box 'out of memory' caption none");
}

// A box about a long path is wrapped to the device's screen and shown inside it, caption and
// buttons included, however long the text: the platform's box breaks lines only at blanks.
TEST(ShownMessageBoxes, FitTheDeviceScreen) {
    static RECT placed;
    static RECT button;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND box = FindWindowW(L"#32770", L"Error");
        if (box != nullptr && IsWindowVisible(box)) {
            GetWindowRect(box, &placed);
            GetWindowRect(GetDlgItem(box, IDOK), &button);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    });
    const std::wstring inUse = L"\\My Documents\\" + std::wstring(150, L'n') + L"\\units.ini";
    // The longest path a message names, in characters as wide as Japanese ones.
    const std::wstring tooLong = L"\\My Documents\\" + std::wstring(490, L'\u5358') + L"\\a.ini";
    const RECT screen = DeviceScreenRect();
    for (const std::wstring& path : {inUse, tooLong}) {
        placed = button = {};
        ShowError(nullptr, L"The path is too long\n%s", path.c_str());
        RECT inside;
        EXPECT_TRUE(IntersectRect(&inside, &placed, &screen) && EqualRect(&inside, &placed))
            << path.size();
        EXPECT_TRUE(IntersectRect(&inside, &button, &screen) && EqualRect(&inside, &button))
            << path.size();
    }
    KillTimer(nullptr, timer);
}

} // namespace
