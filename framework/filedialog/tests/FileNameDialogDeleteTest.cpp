// The Delete command: what goes, what stays, and the places that never go.
#include "FileNameDialogTest.h"

TEST_F(FileNameDialogTest, DeleteKeepsTheRowsOfWhatCouldNotGo) {
    folder.File(L"free.ini", 100);
    folder.File(L"held.ini", 30);
    folder.File(L"other.ini", 5);
    Open(folder.path, OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT);
    EXPECT_EQ(135u, View().totalSize);
    const HANDLE held = CreateFileW(folder.In(L"held.ini").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    Select({L"free.ini", L"held.ini"});
    {
        QuestionAnswerer answers; // Yes to the two files, then to each of them
        Command(IDC_DELETE);
        EXPECT_EQ((Texts{L"Confirm multiple file delete", L"Confirm file delete",
                         L"Confirm file delete"}),
                  answers.titles);
    }
    CloseHandle(held);
    EXPECT_FALSE(folder.Exists(L"free.ini"));
    EXPECT_TRUE(folder.Exists(L"held.ini"));
    EXPECT_EQ((Texts{L"held.ini", L"other.ini"}), Rows());
    EXPECT_EQ(2, View().rowCount);
    EXPECT_EQ(35u, View().totalSize);
    ASSERT_EQ(1u, recorder.Boxes().size()); // the file in use
    EXPECT_EQ(L"Error DeleteFile 32", recorder.Boxes()[0].text);

    // No to the question keeps everything.
    Select({L"held.ini", L"other.ini"});
    {
        QuestionAnswerer answers;
        answers.answers = {IDNO};
        Command(IDC_DELETE);
    }
    EXPECT_EQ((Texts{L"held.ini", L"other.ini"}), Rows());
    EXPECT_TRUE(folder.Exists(L"other.ini"));
}

TEST_F(FileNameDialogTest, PlaceRowsAreNeverDeleted) {
    Open(folder.path);
    Command(IDC_FIRST_ANCESTOR);
    Select({L"My Documents"});
    QuestionAnswerer answers;
    Command(IDC_DELETE);
    EXPECT_TRUE(answers.titles.empty());
    EXPECT_EQ((Texts{L"My Device", L"My Documents"}), Rows());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(L"\\My Documents"));
}
