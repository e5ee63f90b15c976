// The help request and Exit.
#include "ConverterWindowTest.h"

TEST_F(ConverterWindowTest, HelpRequestAsksForTheAboutBox) {
    Open(kThreeSections);
    SetActiveWindow(window->handle);
    if (GetActiveWindow() != window->handle) {
        GTEST_SKIP() << "the window could not be activated";
    }
    HELPINFO help = {};
    help.cbSize = sizeof help;
    SendMessageW(window->handle, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, window->handle, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(IDC_ABOUT), message.wParam);
}

// Exit while a file operation runs would leave its worker going on without a window.
TEST_F(ConverterWindowTest, ExitWaitsForRunningWork) {
    Open(kThreeSections);
    ++FrameWindow::workHoldingFramesOpen;
    SendMessageW(window->handle, WM_COMMAND, IDC_EXIT, 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(window->handle));

    --FrameWindow::workHoldingFramesOpen;
    SendMessageW(window->handle, WM_COMMAND, IDC_EXIT, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(window->handle));
}
