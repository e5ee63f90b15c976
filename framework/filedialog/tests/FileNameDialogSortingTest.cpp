// The order of the list's rows: by name, type, size and date, from the menu and the header.
#include "FileNameDialogTest.h"

TEST_F(FileNameDialogTest, ViewsAndHeaderSorting) {
    folder.File(L"b.ini", 300, 2);
    folder.File(L"a.ini", 200, 3);
    folder.File(L"c.ini", 100, 1);
    Open(folder.path);
    const std::pair<int, int> views[] = {{IDC_VIEW_LARGE_ICONS, FileListView::kLargeIconView},
                                         {IDC_VIEW_SMALL_ICONS, FileListView::kSmallIconView},
                                         {IDC_VIEW_LIST, FileListView::kListView},
                                         {IDC_VIEW_DETAILS, FileListView::kDetailsView}};
    for (const auto& [command, view] : views) {
        PumpMessages();
        Command(command);
        EXPECT_EQ(view, View().View()) << command;
        // All of it is drawn again in the new view.
        RECT client = {};
        RECT update = {};
        GetClientRect(List(), &client);
        GetUpdateRect(List(), &update, FALSE);
        EXPECT_TRUE(EqualRect(&client, &update)) << command;
    }
    EXPECT_EQ((Texts{L"a.ini", L"b.ini", L"c.ini"}), Rows());
    EXPECT_EQ((std::vector<int>{0, -1, -1, -1}), Arrows());
    ClickHeader(1); // Size
    EXPECT_EQ((Texts{L"c.ini", L"a.ini", L"b.ini"}), Rows());
    EXPECT_EQ((std::vector<int>{-1, 0, -1, -1}), Arrows());
    ClickHeader(1);
    EXPECT_EQ((Texts{L"b.ini", L"a.ini", L"c.ini"}), Rows());
    EXPECT_EQ((std::vector<int>{-1, 1, -1, -1}), Arrows());
    Command(IDC_SORT_BY_DATE);
    EXPECT_EQ((Texts{L"c.ini", L"b.ini", L"a.ini"}), Rows());
    EXPECT_EQ((std::vector<int>{-1, -1, -1, 0}), Arrows());
}

TEST_F(FileNameDialogTest, SortingByEachKey) {
    folder.File(L"small.qqa", 1023, 3);
    folder.File(L"Large.qqc", 5000, 1);
    folder.File(L"middle.qqb", 2048, 2);
    folder.Folder(L"zeta");
    folder.Folder(L"Alpha");
    Open(folder.path, OFN_FILEMUSTEXIST, false, L"All Files\0*.*\0");
    const Texts byName = {L"Alpha", L"zeta", L"Large.qqc", L"middle.qqb", L"small.qqa"};
    EXPECT_EQ(byName, Rows());
    // The same key again reverses everything, folders included.
    Command(IDC_SORT_BY_NAME);
    EXPECT_EQ(Texts(byName.rbegin(), byName.rend()), Rows());

    // Rows that compare equal (the folders, by size) keep no particular order.
    const auto fileRows = [this] {
        const Texts rows = Rows();
        return Texts(rows.begin() + 2, rows.end());
    };
    const Texts files = {L"small.qqa", L"middle.qqb", L"Large.qqc"};
    Command(IDC_SORT_BY_SIZE);
    EXPECT_EQ(files, fileRows());
    Command(IDC_SORT_BY_SIZE);
    Command(IDC_SORT_BY_DATE); // a new key starts ascending
    EXPECT_EQ(kSortByDate | kInitialSortWord, View().model.sortWord);
    EXPECT_EQ((Texts{L"Large.qqc", L"middle.qqb", L"small.qqa"}), fileRows());
    Command(IDC_SORT_BY_TYPE); // QQA File, QQB File, QQC File
    EXPECT_EQ(files, fileRows());
}

TEST_F(FileNameDialogTest, NamesSortWithEveryLetterFoldedToItsCase) {
    // Accented and full-width letters sort beside their capitals, not after every small
    // letter: é and É are one letter, as are ａ and Ａ.
    for (const wchar_t* name : {L"Éb.ini", L"éa.ini", L"Ｂ.ini", L"ａ.ini"}) {
        folder.File(name, 1);
    }
    Open(folder.path);
    EXPECT_EQ((Texts{L"éa.ini", L"Éb.ini", L"ａ.ini", L"Ｂ.ini"}), Rows());
}
