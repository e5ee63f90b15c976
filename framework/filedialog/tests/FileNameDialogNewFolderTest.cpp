// The New Folder command.
#include "FileNameDialogTest.h"

TEST_F(FileNameDialogTest, NewFoldersComeLastInEditMode) {
    folder.File(L"z.ini", 10);
    Open(folder.path);
    const int shortNames = ListView_GetColumnWidth(List(), 0);
    Command(IDC_NEW_FOLDER);
    EXPECT_TRUE(folder.Exists(L"New Folder"));
    EXPECT_EQ(L"New Folder", RowText(ListView_GetItemCount(List()) - 1));
    EXPECT_NE(nullptr, ListView_GetEditControl(List()));
    ListView_CancelEditLabel(List());
    Command(IDC_NEW_FOLDER);
    EXPECT_TRUE(folder.Exists(L"New Folder (2)"));
    EXPECT_EQ((Texts{L"z.ini", L"New Folder", L"New Folder (2)"}), Rows());
    EXPECT_EQ(3, View().rowCount);
    // The Name column grows with a new folder's name, and with a longer name given it.
    EXPECT_GT(ListView_GetColumnWidth(List(), 0), shortNames);
    ListView_CancelEditLabel(List());
    const std::wstring longer = L"A much longer folder name";
    EditLabel(LVN_ENDLABELEDITW, RowOf(L"New Folder"), longer.c_str());
    EXPECT_NE(-1, RowOf(longer));
    EXPECT_GE(ListView_GetColumnWidth(List(), 0), ListView_GetStringWidth(List(), longer.c_str()));
}
