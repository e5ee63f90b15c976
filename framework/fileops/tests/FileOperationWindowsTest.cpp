// The windows of an operation: no leak of objects, and their places on a screen larger than a
// device's.
#include "FileOperations.h"

// A frame made and a question shown over it many times hold no more drawing or window
// objects than after the first few: the frame's small icon is the program's shared one,
// and the shell's icons of the two files go with each question.
TEST_F(FileOperations, FramesAndReplaceQuestionsLeakNoObjects) {
    const std::wstring source = folder.File(L"new.txt", 1);
    const std::wstring target = folder.File(L"old.txt", 2);
    StringCchCopyW(Application::className, ARRAYSIZE(Application::className), L"MensurioDevice");
    const auto ask = [&](int times) {
        for (int i = 0; i < times; ++i) {
            DeviceFrame frame;
            EXPECT_TRUE(frame.Create(0, 0, 240, 320, WS_VISIBLE, 0, COLOR_WINDOW));
            answers.answers = {IDNO};
            ConfirmReplaceFile(source.c_str(), target.c_str(), false).Ask(frame.handle);
            DestroyWindow(frame.handle);
        }
        return CountGuiObjects();
    };
    const GuiObjects first = ask(5);
    const GuiObjects later = ask(200);
    EXPECT_EQ(205u, answers.questions.size());
    EXPECT_TRUE(NoMoreObjects(first, later))
        << first.gdi << " " << later.gdi << " " << first.user << " " << later.user;
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(FileOperations, WindowsLieInTheDeviceScreenOnALargerScreen) {
    const RECT screen = DeviceScreenRect();
    ASSERT_GT(GetSystemMetrics(SM_CXSCREEN), ScaleToScreen(240)) << "needs a larger screen";
    EXPECT_EQ(ScaleToScreen(240), screen.right - screen.left);
    EXPECT_EQ(ScaleToScreen(320), screen.bottom - screen.top);
    const auto inside = [&screen](const RECT& place) {
        return place.left >= screen.left && place.top >= screen.top &&
               place.right <= screen.right && place.bottom <= screen.bottom &&
               place.right > place.left && place.bottom > place.top;
    };
    StringCchCopyW(Application::className, ARRAYSIZE(Application::className), L"MensurioDevice");
    DeviceFrame frame;
    ASSERT_TRUE(frame.Create(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             WS_VISIBLE | WS_CLIPCHILDREN, 0, COLOR_WINDOW));
    RECT place;
    GetWindowRect(frame.handle, &place);
    EXPECT_TRUE(EqualRect(&place, &screen));
    // A delete question (full screen) over the progress dialog (centred over its owner).
    const std::wstring file = folder.File(L"a.txt", 1);
    answers.answers = {IDNO};
    EXPECT_TRUE(Run(kDeleteFiles, {file}, L"", 0, frame.handle));
    EXPECT_TRUE(inside(answers.questionPlace));
    EXPECT_TRUE(inside(answers.progressPlace));
    // The input panel, over the bottom of that screen.
    ShowSip();
    GetWindowRect(SipPanelWindow(), &place);
    SIPINFO panel = {};
    panel.cbSize = sizeof panel;
    SipGetInfo(&panel);
    panel.fdwFlags &= ~SIPF_ON;
    SipSetInfo(&panel);
    EXPECT_TRUE(inside(place));
    DestroyWindow(frame.handle);
}
