// The questions before items are deleted or replaced, and what each answer does.
#include "FileOperations.h"

TEST_F(FileOperations, DeleteAsksPerFileWithAllAndNo) {
    folder.Folder(L"tree");
    folder.Folder(L"tree\\sub");
    folder.File(L"tree\\first.txt", 1);
    folder.File(L"tree\\second.txt", 1);
    folder.File(L"tree\\sub\\third.txt", 1);
    // The selection's question first: a folder, Yes or No.
    answers.answers = {IDYES};
    ASSERT_TRUE(ConfirmDeleteSelection(nullptr, List({folder.In(L"tree")}).c_str()));
    EXPECT_EQ((Texts{L"Confirm folder delete"}), answers.titles);
    EXPECT_EQ(L"Are you sure you want to remove the folder 'tree' and all its contents?",
              answers.questions[0]);

    // Then one question per file until All: the first file is kept, the rest go.
    answers.titles.clear();
    answers.questions.clear();
    answers.progress.clear();
    answers.answers = {IDNO, IDC_ALL};
    EXPECT_TRUE(Run(kDeleteFiles, {folder.In(L"tree")}));
    EXPECT_EQ(2u, answers.titles.size());
    EXPECT_EQ(L"Confirm file delete", answers.titles[0]);
    // Behind the question, the progress dialog shows the operation and where it is.
    EXPECT_EQ(L"Delete files in progress...: " + folder.In(L"tree"), answers.progress[0]);
    EXPECT_EQ(1, folder.Exists(L"tree\\first.txt") + folder.Exists(L"tree\\second.txt") +
                     folder.Exists(L"tree\\sub\\third.txt"));
    EXPECT_TRUE(folder.Exists(L"tree")); // it still holds the kept file; no message
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(FileOperations, DeleteOfOneFileAsksYesOrNo) {
    const std::wstring file = folder.File(L"notes.txt", 1);
    answers.answers = {IDNO};
    EXPECT_TRUE(Run(kDeleteFiles, {file}));
    EXPECT_EQ((Texts{L"Are you sure you want to delete 'notes.txt'?"}), answers.questions);
    EXPECT_TRUE(folder.Exists(L"notes.txt"));

    // A read-only program is asked about as read-only; in Japanese too.
    const std::wstring program = folder.File(L"tool.exe", 1);
    SetFileAttributesW(program.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    Application::japanese = TRUE;
    answers.answers = {IDYES};
    EXPECT_TRUE(Run(kDeleteFiles, {program}));
    EXPECT_EQ(L"ﾌｧｲﾙ 'tool.exe' は読み取り専用です。削除してもよろしいですか?",
              answers.questions[1]);
    EXPECT_FALSE(folder.Exists(L"tool.exe"));
}

// Each kind of question shows its own title, icon, text and All button, in both languages;
// a replace whose existing file cannot be read keeps its template's (empty) text.
TEST_F(FileOperations, EachQuestionShowsItsTitleIconTextAndAllButton) {
    const std::wstring file = folder.File(L"notes.txt", 1);
    const std::wstring program = folder.File(L"tool.exe", 1);
    const std::wstring system = folder.File(L"boot.ini", 1);
    SetFileAttributesW(system.c_str(), FILE_ATTRIBUTE_SYSTEM);
    const std::wstring tree = folder.Folder(L"tree");
    const auto icon = [](int id) { return LoadIconW(Application::instance, MAKEINTRESOURCEW(id)); };
    const auto askAll = [&] {
        for (Texts* texts : {&answers.titles, &answers.questions, &answers.allButtons}) {
            texts->clear();
        }
        answers.icons.clear();
        answers.answers = {IDNO, IDNO, IDCANCEL, IDCANCEL, IDCANCEL, IDCANCEL, IDCANCEL};
        ConfirmDeleteItems(3).Ask(nullptr);
        ConfirmDeleteFolder(tree.c_str()).Ask(nullptr);
        ConfirmDeleteFile(file.c_str(), true).Ask(nullptr);
        ConfirmDeleteFile(program.c_str(), true).Ask(nullptr);
        ConfirmDeleteFile(system.c_str(), true).Ask(nullptr);
        ConfirmReplaceFolder(tree.c_str(), true).Ask(nullptr); // named in full
        ConfirmReplaceFile(file.c_str(), folder.In(L"gone.txt").c_str(), true).Ask(nullptr);
    };
    askAll();
    EXPECT_EQ((Texts{L"Confirm multiple file delete", L"Confirm folder delete",
                     L"Confirm file delete", L"Confirm file delete", L"Confirm file delete",
                     L"Confirm Folder Replace", L"Confirm file replace"}),
              answers.titles);
    EXPECT_EQ((Texts{L"Are you sure you want to delete these 3 items?",
                     L"Are you sure you want to remove the folder 'tree' and all its contents?",
                     L"Are you sure you want to delete 'notes.txt'?",
                     L"The file 'tool.exe' is a program.\n\nIf you remove it, you will no longer "
                     L"be able to run this program or edit some documents. Are you sure you want "
                     L"to delete it?",
                     L"The file 'boot.ini' is a system file.\n\nIf you remove it, your computer or "
                     L"one of your programs may no longer work correctly.",
                     L"This folder already contains a folder called '" + tree +
                         L"'.\n\nIf the files in "
                         L"the existing folder have the same name as files in the folder you are "
                         L"moving, do you want to replace the existing files?",
                     L""}),
              answers.questions);
    EXPECT_EQ((Texts{L"", L"", L"All", L"All", L"All", L"All", L"All"}), answers.allButtons);
    EXPECT_EQ(
        (std::vector<HICON>{icon(IDI_DELETE), icon(IDI_DELETE), icon(IDI_DELETE), icon(IDI_DELETE),
                            icon(IDI_DELETE), icon(IDI_REPLACE_FOLDER), icon(IDI_REPLACE_FILE)}),
        answers.icons);

    Application::japanese = TRUE;
    askAll();
    EXPECT_EQ((Texts{L"複数ﾌｧｲﾙ削除の確認", L"ﾌｫﾙﾀﾞ削除の確認", L"ﾌｧｲﾙ削除の確認",
                     L"ﾌｧｲﾙ削除の確認", L"ﾌｧｲﾙ削除の確認", L"ﾌｫﾙﾀﾞ置換の確認", L"ﾌｧｲﾙ置換の確認"}),
              answers.titles);
    EXPECT_EQ(L"これら 3 個のﾌｧｲﾙを削除してもよろしいですか?", answers.questions[0]);
    EXPECT_EQ(L"ﾌｫﾙﾀﾞ'tree'とﾌｫﾙﾀﾞ内のすべてのﾌｧｲﾙを削除してもよろしいですか?",
              answers.questions[1]);
    EXPECT_EQ((Texts{L"", L"", L"全て", L"全て", L"全て", L"全上書", L"全上書"}),
              answers.allButtons);
}

TEST_F(FileOperations, ReplacingAsksAndKeepsWhatIsNotReplaced) {
    folder.Folder(L"to");
    const std::wstring source = folder.File(L"report.txt", "new");
    const std::wstring target = folder.File(L"to\\report.txt", "old");
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    // A move answered No leaves both files as they were.
    answers.answers = {IDNO};
    EXPECT_TRUE(Run(kMoveFiles, {source}, folder.In(L"to")));
    EXPECT_EQ(L"This folder already contains a system file called 'report.txt'.",
              answers.questions[0]);
    EXPECT_EQ("new", folder.Read(L"report.txt"));
    EXPECT_EQ("old", folder.Read(L"to\\report.txt"));
    // A copy answered Yes replaces the read-only file.
    answers.answers = {IDYES};
    EXPECT_TRUE(Run(kCopyFiles, {source}, folder.In(L"to")));
    EXPECT_EQ("new", folder.Read(L"to\\report.txt"));
    // A move answered Yes replaces it and the source goes.
    folder.File(L"report.txt", "newer");
    answers.answers = {IDYES};
    EXPECT_TRUE(Run(kMoveFiles, {source}, folder.In(L"to")));
    EXPECT_EQ("newer", folder.Read(L"to\\report.txt"));
    EXPECT_FALSE(folder.Exists(L"report.txt"));
    EXPECT_EQ(3u, answers.questions.size());
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(FileOperations, ManyItemsAndFoldersThatExistAreAskedAbout) {
    const std::wstring first = folder.File(L"a.txt", 1);
    const std::wstring second = folder.File(L"b.txt", 1);
    answers.answers = {IDNO};
    EXPECT_FALSE(ConfirmDeleteSelection(nullptr, List({first, second}).c_str()));
    EXPECT_EQ((Texts{L"Are you sure you want to delete these 2 items?"}), answers.questions);
    // One file is asked about by the operation, not here.
    EXPECT_TRUE(ConfirmDeleteSelection(nullptr, List({first}).c_str()));
    EXPECT_EQ(1u, answers.questions.size());

    // Copying a folder onto one of the same name asks first; No leaves it alone.
    folder.Folder(L"photos");
    folder.File(L"photos\\new.jpg", "new");
    folder.Folder(L"to");
    folder.Folder(L"to\\photos");
    answers.answers = {IDNO};
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"photos"), first}, folder.In(L"to")));
    EXPECT_EQ(L"Confirm Folder Replace", answers.titles.back());
    EXPECT_EQ(0u, answers.questions.back().find(L"This folder already contains a folder called '" +
                                                folder.In(L"to\\photos") + L"'."));
    EXPECT_FALSE(folder.Exists(L"to\\photos\\new.jpg"));
    EXPECT_TRUE(folder.Exists(L"to\\a.txt")); // the next source still goes
    // Yes merges the folders.
    answers.answers = {IDYES};
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"photos")}, folder.In(L"to")));
    EXPECT_EQ("new", folder.Read(L"to\\photos\\new.jpg"));
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(FileOperations, OnlyYesOrAllGoesAhead) {
    folder.Folder(L"tree");
    folder.File(L"tree\\a.txt", "a");
    folder.File(L"tree\\b.txt", "b");
    // Escape on the folder's question, then on the first file's: nothing goes, and nothing
    // more is asked.
    answers.answers = {IDCANCEL};
    EXPECT_FALSE(ConfirmDeleteSelection(nullptr, List({folder.In(L"tree")}).c_str()));
    answers.answers = {IDCANCEL};
    EXPECT_TRUE(Run(kDeleteFiles, {folder.In(L"tree")}));
    EXPECT_EQ(2u, answers.questions.size());
    // Escape on a single file's question and on a replace question keeps the files.
    answers.answers = {IDCANCEL};
    EXPECT_TRUE(Run(kDeleteFiles, {folder.In(L"tree\\a.txt")}));
    folder.Folder(L"to");
    folder.File(L"to\\a.txt", "old");
    answers.answers = {IDCANCEL};
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"tree\\a.txt")}, folder.In(L"to")));
    EXPECT_EQ(4u, answers.questions.size());
    EXPECT_EQ("a", folder.Read(L"tree\\a.txt"));
    EXPECT_EQ("b", folder.Read(L"tree\\b.txt"));
    EXPECT_EQ("old", folder.Read(L"to\\a.txt"));

    // A question that cannot be shown at all is a No, or a Cancel where Cancel is offered.
    const HINSTANCE program = Application::instance;
    Application::instance = GetModuleHandleW(L"kernel32.dll");
    EXPECT_FALSE(ConfirmDeleteSelection(nullptr, List({folder.In(L"tree")}).c_str()));
    EXPECT_EQ(IDNO, ConfirmDeleteFile(folder.In(L"tree\\a.txt").c_str(), false).Ask(nullptr));
    EXPECT_EQ(IDCANCEL, ConfirmDeleteFile(folder.In(L"tree\\a.txt").c_str(), true).Ask(nullptr));
    EXPECT_EQ(IDCANCEL, ConfirmReplaceFile(folder.In(L"tree\\a.txt").c_str(),
                                           folder.In(L"to\\a.txt").c_str(), true)
                            .Ask(nullptr));
    Application::instance = program;
}
