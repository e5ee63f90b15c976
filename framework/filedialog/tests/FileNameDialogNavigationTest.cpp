// Where the dialog starts, and moving between places and folders: Back, Up and the location
// menu.
#include "FileNameDialogTest.h"

TEST_F(FileNameDialogTest, StartsInItsFolderWithTheFirstFilter) {
    folder.Folder(L"sub");
    folder.File(L"units.ini", 10);
    folder.File(L"notes.txt", 10);
    Open(folder.path);
    EXPECT_EQ(L"Open", TextOf(dialog->handle));
    EXPECT_EQ((Texts{L"sub", L"units.ini"}), Rows());
    wchar_t type[64] = {};
    GetDlgItemTextW(dialog->handle, IDC_TYPE_LIST, type, 64);
    EXPECT_STREQ(L"INI Files(*.ini)", type);
    EXPECT_EQ(FileNamePart(folder.path.c_str()), Location());
    EXPECT_EQ(10, locationImage);
    EXPECT_FALSE(Enabled(IDC_BACK));
    EXPECT_TRUE(Enabled(IDC_UP));
    EXPECT_EQ(FileListView::kListView, View().View());
    EXPECT_TRUE(GetWindowLongPtrW(List(), GWL_STYLE) & LVS_SINGLESEL);

    // Another type lists every file and keeps the location.
    const HWND types = GetDlgItem(dialog->handle, IDC_TYPE_LIST);
    SendMessageW(types, CB_SETCURSEL, 1, 0);
    SendMessageW(dialog->handle, WM_COMMAND, MAKEWPARAM(IDC_TYPE_LIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(types));
    EXPECT_EQ((Texts{L"sub", L"notes.txt", L"units.ini"}), Rows());
    EXPECT_EQ(FileNamePart(folder.path.c_str()), Location());
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(FileNameDialogTest, MissingStartFolderShowsAnEmptyDesktopButton) {
    Open(folder.In(L"gone"));
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(L"Desktop", Location());
    EXPECT_EQ(11, locationImage);
    // The buttons follow the start location as they follow every later one.
    EXPECT_FALSE(Enabled(IDC_UP));
    EXPECT_FALSE(Enabled(IDC_NEW_FOLDER));
}

TEST_F(FileNameDialogTest, BackReturnsThroughTheVisitedChain) {
    folder.Folder(L"A");
    folder.Folder(L"A\\B");
    folder.Folder(L"A\\B\\C");
    Open(folder.In(L"A"));
    Take(L"B");
    Take(L"C");
    EXPECT_EQ(L"C", Location());
    EXPECT_TRUE(Enabled(IDC_BACK));
    // Up is a step of the chain too.
    Command(IDC_UP);
    EXPECT_EQ(L"B", Location());
    Command(IDC_BACK);
    EXPECT_EQ(L"C", Location());
    Command(IDC_BACK);
    EXPECT_EQ(L"B", Location());
    Command(IDC_BACK);
    EXPECT_EQ(L"A", Location());
    EXPECT_FALSE(Enabled(IDC_BACK));
    EXPECT_TRUE(dialog->history.empty());
}

TEST_F(FileNameDialogTest, UpClimbsToTheDesktop) {
    Open(L"\\Windows");
    Command(IDC_UP);
    EXPECT_EQ(L"My Device", Location());
    EXPECT_EQ(12, locationImage);
    EXPECT_TRUE(Enabled(IDC_NEW_FOLDER));
    Command(IDC_UP);
    EXPECT_EQ(L"Desktop", Location());
    EXPECT_FALSE(Enabled(IDC_UP));
    EXPECT_FALSE(Enabled(IDC_NEW_FOLDER));
    EXPECT_EQ((Texts{L"My Device", L"My Documents"}), Rows());

    // A typed place name opens the place on the Desktop ...
    Take(L"My Documents");
    EXPECT_EQ(L"My Documents", Location());
    EXPECT_TRUE(Enabled(IDC_UP));
    EXPECT_FALSE(Ended());
}

TEST_F(FileNameDialogTest, LocationMenuListsTheAncestors) {
    CreateDirectoryW(L"\\My Documents\\Letters", nullptr);
    Open(L"\\My Documents\\Letters");
    EXPECT_EQ((Texts{L"38000:Desktop", L"38001: My Device", L"38002:  My Documents",
                     L"38003:   Letters*"}),
              ShownMenu::Of([this] { Command(IDC_LOCATION); }));

    Command(IDC_FIRST_ANCESTOR + 2);
    EXPECT_EQ(L"My Documents", Location());
    ASSERT_FALSE(dialog->history.empty());
    EXPECT_EQ(L"\\My Documents\\Letters", dialog->history.front());
    Command(IDC_FIRST_ANCESTOR);
    EXPECT_EQ(L"Desktop", Location());
}
