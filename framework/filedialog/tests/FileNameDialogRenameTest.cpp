// Renaming rows in place, names being typed when another command comes, and rows whose paths
// pass the limit.
#include "FileNameDialogTest.h"

// Names are given as typed, told in words when they cannot be, and the row shows the name
// the item has on the disk. The list view is answered no: the row's text is the view's.
TEST_F(FileNameDialogTest, RenameInPlace) {
    folder.File(L"old.ini", 10);
    folder.File(L"taken.ini", 10);
    Open(folder.path);
    const int row = RowOf(L"old.ini");
    EXPECT_EQ(0, EditLabel(LVN_BEGINLABELEDITW, row, nullptr)); // allowed
    EXPECT_EQ(0, EditLabel(LVN_ENDLABELEDITW, row, nullptr));   // cancelled
    for (const wchar_t* refused :
         {L"a:b.ini", L"", L" . ", L"TAKEN.INI", L"taken.ini.", L"nul.ini"}) {
        EXPECT_EQ(0, EditLabel(LVN_ENDLABELEDITW, row, refused));
    }
    EXPECT_EQ((Texts{L"Invalid chars\n\\/:,;*?\"<>|", L"A name is needed: type one.",
                     L"A name is needed: type one.",
                     L"'taken.ini' is already taken in this folder: choose another name.",
                     L"'taken.ini' is already taken in this folder: choose another name.",
                     L"'nul.ini' is a name the system keeps for a device: choose another."}),
              recorder.Texts());
    EXPECT_EQ(L"old.ini", RowText(row));
    EXPECT_TRUE(folder.Exists(L"old.ini"));

    EXPECT_EQ(0, EditLabel(LVN_ENDLABELEDITW, row, L"new.ini"));
    EXPECT_FALSE(folder.Exists(L"old.ini"));
    EXPECT_TRUE(folder.Exists(L"new.ini"));
    EXPECT_EQ(L"new.ini", RowText(row));
    wchar_t path[MAX_PATH];
    View().PathOfRow(row, path);
    EXPECT_EQ(folder.In(L"new.ini"), path);

    // Typed into the row's field as a user types: a change of case alone renames, and a
    // trailing dot, which the system drops, is not shown.
    const auto typeName = [&](const std::wstring& name) {
        SetForegroundWindow(dialog->handle);
        ListView_EditLabel(List(), row);
        Type(name);
        PressKeys({VK_RETURN});
        PumpMessages();
    };
    const auto onDisk = [&] {
        WIN32_FIND_DATAW found;
        const HANDLE find = FindFirstFileW(folder.In(L"*").c_str(), &found);
        Texts names;
        do {
            if (found.cFileName[0] != L'.') {
                names.push_back(found.cFileName);
            }
        } while (FindNextFileW(find, &found));
        FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    };
    typeName(L"NEW.INI");
    EXPECT_EQ((Texts{L"NEW.INI", L"taken.ini"}), onDisk());
    EXPECT_EQ(L"NEW.INI", RowText(row));
    typeName(L"c.");
    EXPECT_EQ((Texts{L"c", L"taken.ini"}), onDisk());
    EXPECT_EQ(L"c", RowText(row));
    View().PathOfRow(row, path);
    EXPECT_EQ(folder.In(L"c"), path);
    EXPECT_EQ(6u, recorder.Boxes().size());

    // A file in ROM cannot be renamed: the box says so and the row keeps its name.
    const std::vector<std::wstring> rom = {folder.In(L"c")};
    SetRomFilesForTesting(&rom);
    EXPECT_EQ(0, EditLabel(LVN_ENDLABELEDITW, row, L"other.ini"));
    EXPECT_EQ(L"Error Move file 5", recorder.Boxes().back().text);
    EXPECT_EQ(L"c", RowText(row));

    // Places are not renamed.
    Command(IDC_FIRST_ANCESTOR);
    EXPECT_EQ(1, EditLabel(LVN_BEGINLABELEDITW, RowOf(L"My Device"), nullptr));
}

// A name being typed into a row is given before the dialog goes on: Back and Up leave with
// the folder or file named as typed, and OK names it and then opens it.
TEST_F(FileNameDialogTest, NamesBeingTypedAreGivenFirst) {
    folder.Folder(L"sub");
    folder.File(L"old.ini", 10);
    Open(folder.In(L"sub"));
    SetForegroundWindow(dialog->handle);
    Command(IDC_UP);
    TapButton(IDC_NEW_FOLDER);
    Type(L"a");
    TapButton(IDC_BACK);
    EXPECT_EQ(L"sub", Location());
    EXPECT_TRUE(folder.Exists(L"a"));
    EXPECT_FALSE(folder.Exists(L"New Folder"));

    Command(IDC_UP);
    ListView_EditLabel(List(), RowOf(L"old.ini"));
    Type(L"b.ini");
    TapButton(IDC_UP);
    EXPECT_TRUE(folder.Exists(L"b.ini"));
    EXPECT_NE(FileNamePart(folder.path.c_str()), Location());

    Command(IDC_BACK);
    TapButton(IDC_NEW_FOLDER);
    Type(L"c");
    TapButton(IDOK);
    EXPECT_TRUE(folder.Exists(L"c"));
    EXPECT_EQ(L"c", Location());

    // A refused name stops the command: the user has been told why.
    TapButton(IDC_NEW_FOLDER);
    Type(L"nul");
    TapButton(IDC_BACK);
    EXPECT_EQ(L"c", Location());
    EXPECT_EQ((Texts{L"'nul' is a name the system keeps for a device: choose another."}),
              recorder.Texts());

    Command(IDC_BACK);
    Select({L"b.ini"});
    ListView_EditLabel(List(), RowOf(L"b.ini"));
    Type(L"d.ini");
    TapButton(IDOK);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"d.ini"), chosen);
}

TEST_F(FileNameDialogTest, RowsBeyondThePathLimitAreListedAndExplained) {
    // A folder of 247 characters: the paths of most names in it pass the limit of 259.
    std::wstring deep = folder.path;
    while (deep.size() + 11 < 247) {
        deep += L"\\" + std::wstring(10, L'd');
        CreateDirectoryW(deep.c_str(), nullptr);
    }
    deep += L"\\" + std::wstring(247 - deep.size() - 1, L'e');
    ASSERT_EQ(247u, deep.size());
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    const std::wstring longName = L"a name past the limit.ini";
    const HANDLE file = CreateFileW((L"\\\\?\\" + deep + L"\\" + longName).c_str(), GENERIC_WRITE,
                                    0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);

    Open(deep);
    const int row = RowOf(longName);
    ASSERT_NE(-1, row);
    // What cannot be opened, renamed or made says why.
    Select({longName});
    NMITEMACTIVATE click = {};
    Notify(NM_DBLCLK, click.hdr);
    EXPECT_FALSE(Ended());
    EXPECT_EQ(0, EditLabel(LVN_ENDLABELEDITW, row, L"short.ini"));
    Command(IDC_NEW_FOLDER); // "New Folder" still fits
    ListView_CancelEditLabel(List());
    Command(IDC_NEW_FOLDER);
    EXPECT_EQ((Texts{longName, L"New Folder"}), Rows());
    ASSERT_EQ(3u, recorder.Boxes().size());
    for (const std::wstring& text : recorder.Texts()) {
        EXPECT_EQ(0u, text.find(L"The path is too long")) << text;
    }
    DeleteFileW((L"\\\\?\\" + deep + L"\\" + longName).c_str());
}
