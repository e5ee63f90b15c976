// The dialog in Japanese: its texts, and file names in the device's own script.
#include "FileNameDialogTest.h"

TEST_F(FileNameDialogTest, JapaneseTexts) {
    Application::japanese = TRUE;
    folder.File(L"units.ini", 10);
    Open(folder.path, OFN_FILEMUSTEXIST, false, L"定義ﾌｧｲﾙ(*.ini)\0*.ini\0");
    EXPECT_EQ(L"開く", TextOf(dialog->handle));
    Command(IDC_VIEW_DETAILS);
    wchar_t text[32] = {};
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 32;
    ListView_GetColumn(List(), 3, &column);
    EXPECT_STREQ(L"更新日時", text);
    Command(IDC_FIRST_ANCESTOR);
    EXPECT_EQ(L"ﾃﾞｽｸﾄｯﾌﾟ", Location());
}

// Names in the device's own script are listed, renamed, made and opened. Run again on a
// Japanese device, where Wine needs the host's Japanese locale to make such names at all.
TEST_F(FileNameDialogTest, JapaneseFileNames) {
    Application::japanese = TRUE;
    folder.File(L"長さ.ini", 10);
    Open(folder.path);
    EXPECT_EQ(Texts{L"長さ.ini"}, Rows());
    EXPECT_EQ(0, EditLabel(LVN_ENDLABELEDITW, 0, L"単位.ini"));
    EXPECT_TRUE(folder.Exists(L"単位.ini"));
    EXPECT_EQ(L"単位.ini", RowText(0));
    Command(IDC_NEW_FOLDER);
    ListView_CancelEditLabel(List());
    EXPECT_TRUE(folder.Exists(L"新しいフォルダ"));
    EXPECT_TRUE(recorder.Boxes().empty());
    Take(L"単位");
    EXPECT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"単位.ini"), chosen);
}
