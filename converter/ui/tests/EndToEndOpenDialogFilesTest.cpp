// The real program's Open dialog managing files: typed paths, renaming, new folders, deleting
// and opening a name without an extension.
#include "EndToEnd.h"

namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether a folder of that name can be made (and it is removed again).
bool CanMakeFolder(const std::wstring& path) {
    if (!CreateDirectoryW(path.c_str(), nullptr)) {
        return false;
    }
    RemoveDirectoryW(path.c_str());
    return true;
}

// Answers the message boxes the program shows, each a failure.
void ExpectNoMessageBox(const Program& program, const char* when) {
    for (const std::wstring& text : program.AnswerMessageBoxes()) {
        ADD_FAILURE() << "message box " << when << ": " << text;
    }
}

// The Open dialog's file commands, on a folder of the program's folder with an empty
// subfolder, .ini files to rename and delete and a file without an extension.
class OpenDialogManagesFiles : public EndToEnd {
protected:
    static constexpr wchar_t kName[] = L"manage check";

    void SetUp() override {
        EndToEnd::SetUp();
        folder.Folder(L"inner");
        for (const wchar_t* name : {L"free.ini", L"held.ini", L"old.ini", L"plain"}) {
            folder.File(name, "[Nothing]\r\n");
        }
        program = std::make_unique<Program>();
        ASSERT_NE(nullptr, program->window);
        program->Post(IDC_OPEN);
        dialog = std::make_unique<FileDialog>(*program);
        ASSERT_TRUE(dialog->IsOpen());
    }

    // Types a folder's path, relative to the one shown, and waits until the dialog shows
    // `location`.
    bool GoTo(const std::wstring& typed, const std::wstring& location) const {
        dialog->Take(typed);
        return WaitFor([&] { return dialog->Location() == location; });
    }

    const TempFolder folder{HostProgramFolder() + L"\\" + kName};
    std::unique_ptr<Program> program;
    std::unique_ptr<FileDialog> dialog;
};

// A path below the current folder, typed, goes there; the location menu drops down, and
// its next to last item (the folder above) goes there. What the menu lists is checked on
// the dialog in its own process.
TEST_F(OpenDialogManagesFiles, TypedPathAndLocationMenu) {
    ASSERT_TRUE(GoTo(std::wstring(kName) + L"\\inner", L"inner")) << dialog->Location();
    EXPECT_TRUE(dialog->Rows().empty()) << Joined(dialog->Rows());

    dialog->Post(IDC_LOCATION);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = program->PopupMenuWindow()) != nullptr; }));
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!WaitFor([&] { return program->PopupMenuWindow() == nullptr; }, 5000)) {
        ADD_FAILURE() << "Escape did not close the location menu";
        PostMessageW(dialog->handle, WM_CANCELMODE, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return program->PopupMenuWindow() == nullptr; }, 5000));
    }
    EXPECT_EQ(L"inner", dialog->Location());

    // The Desktop, My Device, then one item for each folder of the path.
    const std::wstring innerPath = DeviceProgramFolder() + L"\\" + kName + L"\\inner";
    const auto folders = std::count(innerPath.begin(), innerPath.end(), L'\\');
    dialog->Command(IDC_FIRST_ANCESTOR + static_cast<int>(folders));
    EXPECT_EQ(kName, dialog->Location());
    EXPECT_EQ((Texts{L"inner", L"free.ini", L"held.ini", L"old.ini"}), dialog->Rows());
    EXPECT_TRUE(dialog->ButtonEnabled(IDC_BACK));
}

// Renaming in place, in the Details view: a name with a character that file names cannot
// have gets a message that lists them all, and the file keeps its name; a good name renames
// the file and its row.
TEST_F(OpenDialogManagesFiles, RenamesInPlace) {
    ASSERT_TRUE(GoTo(kName, kName)) << dialog->Location();
    dialog->Command(IDC_VIEW_DETAILS);
    ASSERT_EQ(LVS_REPORT, dialog->View());
    const int oldRow = dialog->RowOf(L"old.ini");
    ASSERT_LE(0, oldRow);
    ASSERT_TRUE(dialog->Rename(oldRow, L"a:b.ini")) << "no edit of the name in place";
    EXPECT_TRUE(WaitFor([&] { return program->MessageBoxWindow() != nullptr; }))
        << "no message about the colon";
    const Texts refusals = program->AnswerMessageBoxes();
    EXPECT_EQ(1u, refusals.size()) << Joined(refusals);
    const std::wstring refusal = Joined(refusals);
    EXPECT_NE(std::wstring::npos, refusal.find(L"\\/:,;*?\"<>|")) << refusal;
    EXPECT_NE(std::wstring::npos,
              refusal.find(Shown(L"Invalid chars", L"ﾌｧｲﾙ名には次の文字は使えません。")))
        << refusal;
    EXPECT_TRUE(WaitFor([&] { return dialog->LabelEdit() == nullptr; }));
    EXPECT_EQ(L"old.ini", dialog->Rows().at(oldRow));
    EXPECT_TRUE(folder.Exists(L"old.ini"));

    ASSERT_TRUE(dialog->Rename(oldRow, L"new.ini")) << "no edit of the name in place";
    EXPECT_TRUE(WaitFor(
        [&] { return dialog->LabelEdit() == nullptr || program->MessageBoxWindow() != nullptr; }));
    ExpectNoMessageBox(*program, "after the rename");
    EXPECT_EQ(L"new.ini", dialog->Rows().at(oldRow));
    EXPECT_EQ((Texts{L"free.ini", L"held.ini", L"inner", L"new.ini", L"plain"}),
              Listing(folder.path));
}

// New Folder: the folder is made, its row is the last, and its name is open for editing;
// Enter keeps the name. The next new folder is numbered; Escape keeps its name too.
// Wine keeps file names in the host's character set: without the Japanese locale on the
// host the Japanese name cannot be made, and the program must say so and add no row.
TEST_F(OpenDialogManagesFiles, MakesNewFolders) {
    ASSERT_TRUE(GoTo(kName, kName)) << dialog->Location();
    const std::wstring newFolder = Shown(L"New Folder", L"新しいフォルダ");
    const std::wstring secondNewFolder = newFolder + L" (2)";
    const size_t rowCount = dialog->Rows().size();
    ASSERT_TRUE(dialog->ButtonEnabled(IDC_NEW_FOLDER));
    if (!CanMakeFolder(folder.In(newFolder))) {
        std::printf("note: the host cannot store the Japanese new folder name; New Folder "
                    "is checked to fail with a message\n");
        dialog->Post(IDC_NEW_FOLDER);
        EXPECT_TRUE(WaitFor([&] { return program->MessageBoxWindow() != nullptr; }));
        const Texts boxes = program->AnswerMessageBoxes();
        EXPECT_EQ(1u, boxes.size()) << Joined(boxes);
        EXPECT_EQ(rowCount, dialog->Rows().size());
        EXPECT_EQ(nullptr, dialog->LabelEdit());
        return;
    }
    dialog->Command(IDC_NEW_FOLDER);
    Texts rows = dialog->Rows();
    ASSERT_EQ(rowCount + 1, rows.size());
    EXPECT_EQ(newFolder, rows.back());
    EXPECT_TRUE(IsFolder(folder.In(newFolder)));
    HWND edit = dialog->LabelEdit();
    ASSERT_NE(nullptr, edit) << "the new folder's name is not open for editing";
    EXPECT_EQ(newFolder, TextOf(edit));
    FileDialog::PressEnter(edit);
    EXPECT_TRUE(WaitFor(
        [&] { return dialog->LabelEdit() == nullptr || program->MessageBoxWindow() != nullptr; }));
    ExpectNoMessageBox(*program, "after Enter on the new folder's name");
    EXPECT_EQ(newFolder, dialog->Rows().back());

    dialog->Command(IDC_NEW_FOLDER);
    rows = dialog->Rows();
    ASSERT_EQ(rowCount + 2, rows.size());
    EXPECT_EQ(secondNewFolder, rows.back());
    edit = dialog->LabelEdit();
    ASSERT_NE(nullptr, edit) << "the new folder's name is not open for editing";
    PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(WaitFor([&] { return dialog->LabelEdit() == nullptr; }));
    EXPECT_EQ(secondNewFolder, dialog->Rows().back());
    EXPECT_TRUE(IsFolder(folder.In(secondNewFolder)));
    EXPECT_EQ(Sorted({L"free.ini", L"held.ini", L"inner", L"old.ini", L"plain", newFolder,
                      secondNewFolder}),
              Listing(folder.path));
}

// Delete. The converter asks for a single file, so the list selects one row at a time;
// the operation asks about the file: No keeps it, Yes deletes it and its row goes. A file
// in use: Yes, then a message says it could not be deleted; file and row stay.
TEST_F(OpenDialogManagesFiles, DeletesAfterAsking) {
    ASSERT_TRUE(GoTo(kName, kName)) << dialog->Location();
    EXPECT_TRUE(GetWindowLongPtrW(dialog->List(), GWL_STYLE) & LVS_SINGLESEL);
    const auto deleteChosen = [&](const std::wstring& name, int answer) {
        const int row = dialog->RowOf(name);
        if (row < 0) {
            ADD_FAILURE() << "no row " << name;
            return false;
        }
        dialog->ChooseRow(row);
        EXPECT_TRUE(WaitFor([&] { return TextOf(dialog->Control(IDC_NAME_FIELD)) == name; }))
            << "the chosen row's name is not in the name field";
        dialog->Post(IDC_DELETE);
        HWND question = nullptr;
        if (!WaitFor([&] { return (question = program->QuestionWindow()) != nullptr; })) {
            ADD_FAILURE() << "no question before deleting " << name;
            return false;
        }
        EXPECT_EQ(Shown(L"Confirm file delete", L"ﾌｧｲﾙ削除の確認"), TextOf(question));
        EXPECT_EQ(japanese ? L"'" + name + L"' を削除してもよろしいですか?"
                           : L"Are you sure you want to delete '" + name + L"'?",
                  TextOf(GetDlgItem(question, IDC_QUESTION_TEXT)));
        PostMessageW(question, WM_COMMAND, answer, 0);
        return WaitFor([&] { return !IsWindow(question); }, 5000);
    };
    const auto operationEnded = [&] {
        return program->QuestionWindow() == nullptr && program->ProgressWindow() == nullptr;
    };
    Texts rows = dialog->Rows();
    ASSERT_TRUE(deleteChosen(L"free.ini", IDNO));
    EXPECT_TRUE(WaitFor(operationEnded));
    ExpectNoMessageBox(*program, "after No");
    EXPECT_TRUE(folder.Exists(L"free.ini")) << "No deleted the file";
    EXPECT_EQ(rows, dialog->Rows());
    ASSERT_TRUE(deleteChosen(L"free.ini", IDYES));
    EXPECT_TRUE(WaitFor(operationEnded));
    ExpectNoMessageBox(*program, "after Yes");
    EXPECT_FALSE(folder.Exists(L"free.ini")) << "Yes left the file";
    rows.erase(std::find(rows.begin(), rows.end(), L"free.ini"));
    EXPECT_EQ(rows, dialog->Rows());

    const std::unique_ptr<void, decltype(&CloseHandle)> held(
        CreateFileW(folder.In(L"held.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                    nullptr),
        CloseHandle);
    ASSERT_NE(INVALID_HANDLE_VALUE, held.get());
    ASSERT_TRUE(deleteChosen(L"held.ini", IDYES));
    EXPECT_TRUE(WaitFor([&] { return program->MessageBoxWindow() != nullptr; }))
        << "no message about the file in use";
    const Texts failures = program->AnswerMessageBoxes();
    ASSERT_EQ(1u, failures.size()) << Joined(failures);
    EXPECT_EQ(0u, failures[0].find(Shown(L"Error:", L"ｴﾗｰ:"))) << failures[0];
    EXPECT_TRUE(WaitFor(operationEnded));
    EXPECT_EQ(rows, dialog->Rows());
    EXPECT_EQ((Texts{L"held.ini", L"inner", L"old.ini", L"plain"}), Listing(folder.path));
}

// A name without an extension that exists as typed, with no such name with the default
// extension beside it, is the file the user means: the program loads plain itself.
TEST_F(OpenDialogManagesFiles, OpensANameWithoutExtensionThatExists) {
    ASSERT_TRUE(GoTo(kName, kName)) << dialog->Location();
    dialog->Take(L"plain");
    ASSERT_TRUE(dialog->WaitUntilClosed());
    EXPECT_TRUE(WaitFor([&] { return program->TabCount() == 3; }));
    EXPECT_EQ(TabsWith({L"Nothing"}), program->TabTexts());
    EXPECT_EQ(0u, program->Exit());
    EXPECT_EQ(HostProgramFolder() + L"\\" + kName + L"\\plain", RememberedDefinitionFile());
}

} // namespace
