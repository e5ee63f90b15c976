// The real program's Open dialog going between places and folders, its views and its order.
#include "EndToEnd.h"

// A place typed by name, and Back.
TEST_F(EndToEnd, OpenDialogGoesToPlacesAndBack) {
    const std::wstring desktop = Shown(L"Desktop", L"ﾃﾞｽｸﾄｯﾌﾟ");
    const std::wstring myDocuments = Shown(L"My Documents", L"ﾏｲ ﾄﾞｷｭﾒﾝﾄ");
    const std::wstring programFolder = LastComponent(DeviceProgramFolder());
    Program program;
    ASSERT_NE(nullptr, program.window);
    program.Post(IDC_OPEN);
    const FileDialog dialog(program);
    ASSERT_TRUE(dialog.IsOpen());
    EXPECT_EQ(programFolder, dialog.Location());
    EXPECT_FALSE(dialog.ButtonEnabled(IDC_BACK));

    // The location menu's first item: the Desktop, with its two places.
    dialog.Command(IDC_FIRST_ANCESTOR);
    EXPECT_EQ(desktop, dialog.Location());
    EXPECT_EQ((Texts{Shown(L"My Device", L"ﾏｲ ﾃﾞﾊﾞｲｽ"), myDocuments}), dialog.Rows());
    EXPECT_TRUE(dialog.ButtonEnabled(IDC_BACK));
    EXPECT_FALSE(dialog.ButtonEnabled(IDC_UP));

    // A place's name typed on the Desktop goes there.
    dialog.Take(myDocuments);
    EXPECT_TRUE(WaitFor([&] { return dialog.Location() == myDocuments; })) << dialog.Location();
    EXPECT_TRUE(dialog.IsOpen());
    EXPECT_TRUE(dialog.ButtonEnabled(IDC_UP));

    // Back twice: the Desktop, then the program's folder, where Back ends.
    dialog.Command(IDC_BACK);
    EXPECT_EQ(desktop, dialog.Location());
    dialog.Command(IDC_BACK);
    EXPECT_EQ(programFolder, dialog.Location());
    EXPECT_FALSE(dialog.ButtonEnabled(IDC_BACK));
}

// A folder typed by name, sorting by size from the menu and from the header, and Cancel.
TEST_F(EndToEnd, OpenDialogShowsViewsAndSorts) {
    // .ini files of sizes unlike their names' order, a subfolder and a file of another type.
    const TempFolder sortFolder(HostProgramFolder() + L"\\sort check");
    sortFolder.Folder(L"sub");
    const std::pair<const wchar_t*, DWORD> files[] = {{L"alpha.ini", 20},
                                                      {L"beta.ini", 300},
                                                      {L"delta.ini", 4000},
                                                      {L"gamma.ini", 1},
                                                      {L"other.txt", 50}};
    for (const auto& [name, size] : files) {
        sortFolder.File(name, size);
    }
    Program program;
    ASSERT_NE(nullptr, program.window);
    const Texts tabs = program.TabTexts();
    program.Post(IDC_OPEN);
    const FileDialog dialog(program);
    ASSERT_TRUE(dialog.IsOpen());

    // A folder's name goes into it: the subfolder first, then the .ini files by name.
    dialog.Take(L"sort check");
    EXPECT_TRUE(WaitFor([&] { return dialog.Location() == L"sort check"; })) << dialog.Location();
    ASSERT_TRUE(dialog.IsOpen());
    EXPECT_EQ((Texts{L"sub", L"alpha.ini", L"beta.ini", L"delta.ini", L"gamma.ini"}),
              dialog.Rows());

    // The Details view, sorted by Size, ascending, then the other way round; a click on the
    // Size header turns it round again.
    dialog.Command(IDC_VIEW_DETAILS);
    EXPECT_EQ(LVS_REPORT, dialog.View());
    const Texts bySize = {L"sub", L"gamma.ini", L"alpha.ini", L"beta.ini", L"delta.ini"};
    dialog.Command(IDC_SORT_BY_SIZE);
    EXPECT_EQ(bySize, dialog.Rows());
    dialog.Command(IDC_SORT_BY_SIZE);
    EXPECT_EQ(Texts(bySize.rbegin(), bySize.rend()), dialog.Rows());
    EXPECT_EQ(Shown(L"Size", L"ｻｲｽﾞ"), dialog.HeaderText(1));
    dialog.ClickHeader(1);
    EXPECT_TRUE(WaitFor([&] { return dialog.Rows() == bySize; })) << Joined(dialog.Rows());

    // Cancel leaves the pages and the remembered file as they were.
    dialog.Post(IDCANCEL);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(tabs, program.TabTexts());
    EXPECT_EQ(0u, program.Exit());
    EXPECT_EQ(std::wstring(file->Path()), RememberedDefinitionFile());
}
