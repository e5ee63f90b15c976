// How the real program ends, what it writes then, and a second start.
#include "EndToEnd.h"

// Exit writes the path back, the empty one too when the first start's question was cancelled.
TEST_F(EndToEnd, ExitEndsWithZeroAndWritesTheRememberedPath) {
    {
        Program program;
        ASSERT_NE(nullptr, program.window);
        RememberDefinitionFile(L"overwritten at exit");
        EXPECT_EQ(0u, program.Exit());
        EXPECT_EQ(std::wstring(file->Path()), RememberedDefinitionFile());
    }
    ASSERT_TRUE(ForgetDefinitionFile());
    Program program;
    ASSERT_NE(nullptr, program.window);
    const FileDialog dialog(program);
    ASSERT_TRUE(dialog.IsOpen());
    dialog.Post(IDCANCEL);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    RememberDefinitionFile(L"overwritten at exit");
    EXPECT_EQ(0u, program.Exit());
    EXPECT_EQ(L"", RememberedDefinitionFile());
}

TEST_F(EndToEnd, SecondInstanceBringsTheFirstToTheFrontAndEnds) {
    Program first;
    ASSERT_NE(nullptr, first.window);
    Program second;
    EXPECT_EQ(0u, second.WaitForExit());
    EXPECT_EQ(nullptr, second.window);
    EXPECT_EQ(first.window, FindWindowW(L"Mensurio", nullptr));
    EXPECT_TRUE(first.IsRunning());
}
