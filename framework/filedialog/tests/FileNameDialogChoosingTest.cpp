// Choosing a file: names typed into the name field, rows chosen in the list, and the question
// before a save replaces a file.
#include "FileNameDialogTest.h"

TEST_F(FileNameDialogTest, NamesAreLookedForInTheCurrentFolder) {
    folder.File(L"units.ini", 10);
    folder.File(L"plain", 10);
    Open(folder.path);
    // ... and is a name like any other in a folder: nothing of that name, so the dialog
    // says so and stays.
    Take(L"My Documents");
    EXPECT_EQ(FileNamePart(folder.path.c_str()), Location());
    EXPECT_FALSE(Ended());
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(folder.In(L"My Documents.ini") +
                  L"\nThe file does not exist. Check the name and try again.",
              recorder.Boxes()[0].text);
    EXPECT_EQ(L"Open", recorder.Boxes()[0].caption);
    // A name without any "." is looked for with the default extension. A caller whose
    // buffer cannot hold the whole path is given none of it, and the user is told.
    recorder.Clear();
    request.nMaxFile = static_cast<DWORD>(folder.In(L"units.ini").size());
    Take(L"units");
    EXPECT_FALSE(Ended());
    EXPECT_EQ(Texts{L"The path is too long\n" + folder.In(L"units.ini")}, recorder.Texts());
    request.nMaxFile = MAX_PATH;
    Take(L"units");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"units.ini"), chosen);
}

// Cancel, tapped on the menu bar, ends the dialog with nothing chosen.
TEST_F(FileNameDialogTest, CancelEndsWithNothingChosen) {
    folder.File(L"units.ini", 10);
    Open(folder.path);
    SetDlgItemTextW(dialog->handle, IDC_NAME_FIELD, L"units");
    TapButton(IDCANCEL);
    PumpMessages();
    EXPECT_TRUE(Ended());
    EXPECT_EQ(L"", std::wstring(chosen));
}

TEST_F(FileNameDialogTest, TypedNamesMeanWhatTheUserSees) {
    folder.File(L"units.ini", 10);
    folder.File(L"plain", 10);
    // A file that exists as named, without extension, is taken as it is; so is a row
    // chosen in the list, whatever files lie beside it.
    Open(folder.path);
    Take(L"plain");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"plain"), chosen);
    folder.File(L"plain.ini", 10);
    Open(folder.path, OFN_FILEMUSTEXIST, false, L"All Files\0*.*\0");
    Select({L"plain"});
    NMITEMACTIVATE click = {};
    Notify(NM_DBLCLK, click.hdr);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"plain"), chosen);
    // A text that starts with "\" is a path from the device's root, wherever it is typed.
    const std::wstring devicePath = folder.path.substr(2); // without the drive
    folder.Folder(L"sub");
    Open(folder.In(L"sub"));
    Take(devicePath + L"\\units");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(devicePath + L"\\units.ini", chosen);
    // On the Desktop a name is the Desktop folder's, not the working folder's.
    const bool madeDesktop = CreateDirectoryW(L"\\Windows\\Desktop", nullptr) != FALSE;
    const std::wstring onDesktop = L"\\Windows\\Desktop\\mensurio-desk.ini";
    CloseHandle(
        CreateFileW(onDesktop.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Open(folder.path);
    Command(IDC_FIRST_ANCESTOR);
    Take(L"mensurio-desk");
    EXPECT_TRUE(Ended());
    EXPECT_EQ(onDesktop, chosen);
    DeleteFileW(onDesktop.c_str());
    if (madeDesktop) {
        RemoveDirectoryW(L"\\Windows\\Desktop");
    }
    // Saving asks about the file with the default extension, the one it would replace.
    Open(folder.path, OFN_OVERWRITEPROMPT, true);
    recorder.Answer(IDNO);
    Take(L"units");
    EXPECT_FALSE(Ended());
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(folder.In(L"units.ini") + L" is already exists. Do you want to replace it?",
              recorder.Boxes()[0].text);
}

// "." and ".." mean the folder listed and the one above; a path with a drive letter is a
// whole path; a text longer than any path is refused, never cut to another name.
TEST_F(FileNameDialogTest, TypedDotsDrivesAndOverlongPaths) {
    folder.Folder(L"A");
    folder.Folder(L"A\\B");
    folder.File(L"units.ini", 10);
    Open(folder.In(L"A\\B"));
    Take(L".");
    EXPECT_EQ(L"B", Location());
    EXPECT_FALSE(Enabled(IDC_BACK));
    Take(L"..");
    EXPECT_EQ(L"A", Location());
    Command(IDC_UP);
    EXPECT_EQ(FileNamePart(folder.path.c_str()), Location());
    Take(L"A\\B\\..\\.\\..\\units");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"units.ini"), chosen);

    Open(folder.In(L"A"));
    ASSERT_TRUE(HasDriveLetter(folder.path.c_str()));
    Take(folder.In(L"units.ini"));
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"units.ini"), chosen);

    Open(folder.path, 0, true);
    Take(L"\\a.b" + std::wstring(300, L'x'));
    EXPECT_FALSE(Ended());
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(0u, recorder.Boxes()[0].text.find(L"The path is too long\n\\a.bxx"));
}

TEST_F(FileNameDialogTest, ChosenRowsFillTheNameAndOpen) {
    folder.Folder(L"sub");
    folder.File(L"units.ini", 10);
    Open(folder.path);
    Select({L"units.ini"});
    wchar_t name[MAX_PATH] = {};
    GetDlgItemTextW(dialog->handle, IDC_NAME_FIELD, name, MAX_PATH);
    EXPECT_STREQ(L"units.ini", name);
    Select({L"sub"}); // folders leave the name alone
    GetDlgItemTextW(dialog->handle, IDC_NAME_FIELD, name, MAX_PATH);
    EXPECT_STREQ(L"units.ini", name);

    NMITEMACTIVATE click = {};
    Notify(NM_DBLCLK, click.hdr);
    EXPECT_EQ(L"sub", Location());
    Command(IDC_BACK);
    Select({L"units.ini"});
    Notify(NM_DBLCLK, click.hdr);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"units.ini"), chosen);
}

TEST_F(FileNameDialogTest, SaveAsksBeforeReplacing) {
    folder.File(L"exists.ini", 10);
    Open(folder.path, OFN_OVERWRITEPROMPT, true);
    EXPECT_EQ(L"Save as", TextOf(dialog->handle));
    recorder.Answer(IDNO);
    Take(L"exists.ini");
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(folder.In(L"exists.ini") + L" is already exists. Do you want to replace it?",
              recorder.Boxes()[0].text);
    EXPECT_EQ(L"Save", recorder.Boxes()[0].caption);
    EXPECT_FALSE(Ended());
    recorder.Answer(IDYES);
    Take(L"exists.ini");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"exists.ini"), chosen);
}
