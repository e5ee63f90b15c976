// The real program's Open dialog managing files: deleting after a question, and opening a name
// without an extension. Renaming, new folders, places, views and sorting are tested on the
// dialog itself.
#include "EndToEnd.h"

namespace {

// Answers the message boxes the program shows, each a failure.
void ExpectNoMessageBox(const Program& program, const char* when) {
    for (const std::wstring& text : program.AnswerMessageBoxes()) {
        ADD_FAILURE() << "message box " << when << ": " << text;
    }
}

// The Open dialog's file commands, on a folder of the program's folder with an .ini file and a
// file without an extension.
class OpenDialogManagesFiles : public EndToEnd {
protected:
    static constexpr wchar_t kName[] = L"manage check";

    void SetUp() override {
        EndToEnd::SetUp();
        for (const wchar_t* name : {L"free.ini", L"plain"}) {
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

// Delete. The converter asks for a single file, so the list selects one row at a time;
// the operation asks about the file: No keeps it, Yes deletes it and its row goes.
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
    EXPECT_EQ((Texts{L"plain"}), Listing(folder.path));
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
