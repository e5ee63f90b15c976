// Delete, copy and move of real files and folders behind the progress dialog, with the
// questions answered as a user would, Cancel, failures part-way, and nothing lost.
#include "framework/fileops/FileOperation.h"
#include "framework/app/Application.h"
#include "framework/app/FrameWindow.h"
#include "framework/app/InputPanel.h"
#include "framework/fileops/ConfirmDialog.h"
#include "framework/fileops/FileReporting.h"
#include "platform/DeviceFiles.h"
#include "platform/Screen.h"
#include "platform/SoftInputPanel.h"
#include "resources/fileops_ids.h"
#include "test_support/GuiObjects.h"
#include "test_support/MessageBoxRecorder.h"
#include "test_support/QuestionAnswerer.h"
#include "test_support/TempFolder.h"
#include "test_support/TestApplication.h"
#include "test_support/Texts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

// A double-terminated list of paths.
std::wstring List(const Texts& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path;
        list += L'\0';
    }
    return list + L'\0';
}

class FileOperations : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitTestApplication(); }
    void TearDown() override {
        Application::japanese = FALSE;
        SetRomFilesForTesting(nullptr);
        SetWriteFaultForTesting(nullptr, 0, 0);
        SetFileCallFaultForTesting(-1, 0);
    }

    bool Run(UINT operation, const Texts& sources, const std::wstring& destination = L"",
             WORD flags = 0) {
        const std::wstring list = List(sources);
        FileOpRequest request = {};
        request.operation = operation;
        request.sources = list.c_str();
        request.destination = destination.empty() ? nullptr : destination.c_str();
        request.flags = flags;
        return RunFileOperation(request);
    }

    QuestionAnswerer answers;
    MessageBoxRecorder recorder;
    TempFolder folder;
};

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

// A file in ROM stays, and the delete says so and goes on; a source that is gone is passed
// over without a word.
TEST_F(FileOperations, RomFilesAreToldAndMissingSourcesPassedOver) {
    const std::wstring rom = folder.File(L"rom.txt", 1);
    const std::vector<std::wstring> romFiles = {rom};
    SetRomFilesForTesting(&romFiles);
    folder.File(L"z.txt", 1);
    EXPECT_TRUE(Run(kDeleteFiles, {rom, folder.In(L"missing.txt"), folder.In(L"z.txt")}, L"",
                    kNoConfirmation));
    EXPECT_TRUE(folder.Exists(L"rom.txt"));
    EXPECT_FALSE(folder.Exists(L"z.txt"));
    EXPECT_EQ(Texts{L"'" + rom + L"' is in ROM and cannot be deleted."}, recorder.Texts());
    recorder.Clear();
    folder.Folder(L"to");
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"missing.txt")}, folder.In(L"to"), kNoConfirmation));
    EXPECT_TRUE(recorder.Boxes().empty());
}

// Several sources go into a folder: one that does not exist is made, a file is refused
// before anything moves. One file goes into a folder too when the destination ends with
// a backslash.
TEST_F(FileOperations, SeveralSourcesGoIntoAFolderMadeForThem) {
    const std::wstring first = folder.File(L"first.txt", "FIRST");
    const std::wstring second = folder.File(L"second.txt", "SECOND");
    EXPECT_TRUE(Run(kCopyFiles, {first}, folder.In(L"single\\"), kNoConfirmation));
    EXPECT_EQ("FIRST", folder.Read(L"single\\first.txt"));
    EXPECT_TRUE(Run(kCopyFiles, {first}, folder.In(L"single.txt"), kNoConfirmation));
    EXPECT_EQ("FIRST", folder.Read(L"single.txt"));
    EXPECT_TRUE(Run(kCopyFiles, {first, second}, folder.In(L"copies\\new"), kNoConfirmation));
    EXPECT_EQ("FIRST", folder.Read(L"copies\\new\\first.txt"));
    EXPECT_EQ("SECOND", folder.Read(L"copies\\new\\second.txt"));
    EXPECT_TRUE(Run(kMoveFiles, {first, second}, folder.In(L"newdir")));
    EXPECT_EQ("FIRST", folder.Read(L"newdir\\first.txt"));
    EXPECT_EQ("SECOND", folder.Read(L"newdir\\second.txt"));
    EXPECT_TRUE(recorder.Boxes().empty());
    EXPECT_TRUE(answers.questions.empty());

    const std::wstring file = folder.File(L"a file", "kept");
    EXPECT_TRUE(Run(kMoveFiles, {folder.In(L"newdir\\first.txt"), folder.In(L"newdir\\second.txt")},
                    file, kNoConfirmation));
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"newdir\\first.txt")}, file + L"\\", kNoConfirmation));
    EXPECT_EQ((Texts{L"'" + file + L"' is a file: several items cannot go into it.",
                     L"'" + file + L"' is a file, not a folder: nothing can go into it."}),
              recorder.Texts());
    EXPECT_EQ("kept", folder.Read(L"a file"));
    EXPECT_EQ("FIRST", folder.Read(L"newdir\\first.txt"));
}

TEST_F(FileOperations, RecursiveCopiesAreRefused) {
    folder.Folder(L"a");
    folder.Folder(L"a\\b");
    folder.Folder(L"ab");
    folder.File(L"ab\\x.txt", "x");
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"a")}, folder.path, kNoConfirmation));
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"a")}, folder.In(L"a\\b"), kNoConfirmation));
    EXPECT_TRUE(Run(kMoveFiles, {folder.In(L"A")}, folder.In(L"a\\b"), kNoConfirmation));
    // Paths compared without the backslash that may end them.
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"a\\")}, folder.In(L"a\\b"), kNoConfirmation));
    EXPECT_TRUE(Run(kMoveFiles, {folder.In(L"a\\b")}, folder.In(L"a\\"), kNoConfirmation));
    // A drive's root is its folder with the backslash ("C:" alone is its current folder).
    const std::wstring atRoot = folder.path.substr(0, 3) + L"mensurio-at-root";
    CreateDirectoryW(atRoot.c_str(), nullptr);
    EXPECT_TRUE(Run(kCopyFiles, {atRoot}, folder.path.substr(0, 3), kNoConfirmation));
    RemoveDirectoryW(atRoot.c_str());
    // Several sources: nothing is made when one would go into itself.
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"ab"), folder.In(L"a")}, folder.In(L"a\\new"),
                    kNoConfirmation));
    EXPECT_FALSE(folder.Exists(L"a\\new"));
    EXPECT_EQ((Texts(7, L"Source to destination is recursive")), recorder.Texts());
    EXPECT_TRUE(folder.Exists(L"a\\b"));
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"ab")}, folder.In(L"a\\"), kNoConfirmation));
    EXPECT_EQ("x", folder.Read(L"a\\ab\\x.txt"));
    EXPECT_EQ(7u, recorder.Boxes().size());
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

TEST_F(FileOperations, CopiedTreesAreIdenticalByContent) {
    std::mt19937 random(2026);
    std::vector<std::wstring> names;
    folder.Folder(L"tree");
    for (int sub = 0; sub < 20; ++sub) {
        const std::wstring subFolder = L"tree\\folder " + std::to_wstring(sub);
        folder.Folder(subFolder);
        for (int file = 0; file < 50; ++file) {
            std::string bytes(random() % 20000, '\0');
            for (char& byte : bytes) {
                byte = static_cast<char>(random());
            }
            names.push_back(subFolder + L"\\file " + std::to_wstring(file) + L".bin");
            folder.File(names.back(), bytes);
        }
    }
    folder.Folder(L"copy");
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"tree")}, folder.In(L"copy"), kNoConfirmation));
    EXPECT_TRUE(recorder.Boxes().empty());
    int differing = 0;
    for (const std::wstring& name : names) {
        differing += folder.Read(name) != folder.Read(L"copy\\" + name);
    }
    EXPECT_EQ(0, differing);
    EXPECT_EQ(1000u, names.size());

    // Moving the copy elsewhere keeps every byte too, and leaves no copy behind.
    EXPECT_TRUE(Run(kMoveFiles, {folder.In(L"copy\\tree")}, folder.In(L"moved"), kNoConfirmation));
    for (const std::wstring& name : names) {
        differing += folder.Read(name) != folder.Read(L"moved\\" + name);
    }
    EXPECT_EQ(0, differing);
    EXPECT_FALSE(folder.Exists(L"copy\\tree"));
}

TEST_F(FileOperations, AFileInUseStopsTheCopyAndKeepsTheSources) {
    folder.Folder(L"tree");
    folder.File(L"tree\\a.txt", "a");
    const std::wstring held = folder.File(L"tree\\b.txt", "b");
    folder.File(L"tree\\c.txt", "c");
    const HANDLE handle =
        CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    folder.Folder(L"to");
    EXPECT_TRUE(Run(kMoveFiles, {folder.In(L"tree")}, folder.In(L"to"), kNoConfirmation));
    CloseHandle(handle);
    EXPECT_EQ((Texts{held + L" is in use"}), recorder.Texts());
    // Everything not yet moved is still in place; nothing is lost either way.
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) {
        const std::wstring file = name;
        EXPECT_NE(folder.Exists(L"tree\\" + file), folder.Exists(L"to\\tree\\" + file)) << name;
    }
    EXPECT_TRUE(folder.Exists(L"tree\\b.txt"));
}

TEST_F(FileOperations, AFullDiskOrAReadOnlyFolderStopsPartWay) {
    folder.Folder(L"tree");
    for (int file = 0; file < 5; ++file) {
        folder.File(L"tree\\" + std::to_wstring(file) + L".txt", std::to_string(file));
    }
    folder.Folder(L"card");
    // The third file finds the card full: two are copied, then the operation stops.
    SetWriteFaultForTesting(folder.In(L"card").c_str(), ERROR_DISK_FULL, 2);
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"tree")}, folder.In(L"card"), kNoConfirmation));
    int copied = 0;
    for (int file = 0; file < 5; ++file) {
        const std::wstring name = std::to_wstring(file) + L".txt";
        EXPECT_EQ(std::to_string(file), folder.Read(L"tree\\" + name));
        copied += folder.Exists(L"card\\tree\\" + name);
    }
    EXPECT_EQ(2, copied);
    // A folder that may not be written: the move stops at once and every source stays.
    SetWriteFaultForTesting(folder.In(L"card").c_str(), ERROR_ACCESS_DENIED, 0);
    Application::japanese = TRUE;
    EXPECT_TRUE(Run(kMoveFiles, {folder.In(L"tree")}, folder.In(L"card"), kNoConfirmation));
    SetWriteFaultForTesting(nullptr, 0, 0);
    for (int file = 0; file < 5; ++file) {
        EXPECT_TRUE(folder.Exists(L"tree\\" + std::to_wstring(file) + L".txt"));
    }
    EXPECT_EQ((Texts{L"The disk is full", L"Error Move file 5"}), recorder.Texts());
}

TEST_F(FileOperations, CancelChangesNothingOrStopsBetweenEntries) {
    folder.Folder(L"tree");
    for (int file = 0; file < 5; ++file) {
        folder.File(L"tree\\" + std::to_wstring(file) + L".txt", 1);
    }
    // Cancel before the preparation has counted anything.
    const std::wstring list = List({folder.In(L"tree")});
    FileOpRequest request = {};
    request.operation = kDeleteFiles;
    request.sources = list.c_str();
    request.flags = kNoConfirmation;
    FileOpDialog dialog(request);
    dialog.cancelRequested = true;
    EXPECT_EQ(1, dialog.DoModal(nullptr, L"FDlgFileOp_E"));
    EXPECT_EQ(0, dialog.filesCounted);
    EXPECT_EQ(0, dialog.filesDone);
    EXPECT_TRUE(folder.Exists(L"tree\\4.txt"));

    // Cancel pressed while the first file's question is up: that file goes, then it stops.
    answers.atFirstQuestion = QuestionAnswerer::PressCancel;
    answers.answers = {IDYES};
    EXPECT_TRUE(Run(kDeleteFiles, {folder.In(L"tree")}));
    int left = 0;
    for (int file = 0; file < 5; ++file) {
        left += folder.Exists(L"tree\\" + std::to_wstring(file) + L".txt");
    }
    EXPECT_EQ(4, left);
    EXPECT_EQ(1u, answers.questions.size());
}

TEST_F(FileOperations, PathsTooLongAreRefusedWithoutHarm) {
    // A destination so deep that the file's name no longer fits behind it.
    std::wstring deep = L"deep";
    while (folder.path.size() + deep.size() < 220) {
        deep += L"\\" + std::wstring(10, L'd');
    }
    ASSERT_TRUE(MakeFolderPath(nullptr, folder.In(deep).c_str()));
    const std::wstring longName(60, L'n');
    folder.File(longName, "kept");
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(longName)}, folder.In(deep), kNoConfirmation));
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(0u, recorder.Texts()[0].find(L"The path is too long"));
    EXPECT_EQ("kept", folder.Read(longName));
}

TEST_F(FileOperations, LinksAreItemsOfTheirOwnNeverFollowed) {
    folder.Folder(L"elsewhere");
    folder.File(L"elsewhere\\kept.txt", "kept");
    folder.Folder(L"chosen");
    folder.File(L"chosen\\own.txt", "own");
    if (!folder.Link(L"chosen\\folder link", folder.In(L"elsewhere")) ||
        !folder.Link(L"chosen\\file link", folder.In(L"elsewhere\\kept.txt")) ||
        !folder.Link(L"chosen\\loop", folder.In(L"chosen"))) {
        GTEST_SKIP() << "this host makes no links";
    }
    folder.Folder(L"to");
    // Copy never enters a link, nor writes through one it finds in the target: it ends (the
    // loop would not), brings nothing of elsewhere and changes nothing there, and copies
    // everything else. A link to a file is told and left, as any link.
    folder.Folder(L"into");
    folder.Folder(L"into\\chosen");
    folder.File(L"elsewhere\\own.txt", "precious");
    ASSERT_TRUE(folder.Link(L"into\\chosen\\own.txt", folder.In(L"elsewhere")));
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"chosen")}, folder.In(L"to"), kNoConfirmation));
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"chosen")}, folder.In(L"into"), kNoConfirmation));
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"chosen\\own.txt")}, folder.In(L"into\\chosen"),
                    kNoConfirmation));
    EXPECT_FALSE(folder.Exists(L"to\\chosen\\folder link"));
    EXPECT_FALSE(folder.Exists(L"to\\chosen\\loop"));
    EXPECT_EQ("own", folder.Read(L"to\\chosen\\own.txt"));
    EXPECT_FALSE(folder.Exists(L"to\\chosen\\file link"));
    EXPECT_EQ("precious", folder.Read(L"elsewhere\\own.txt"));
    // Delete and move leave what the links point to where it is, a link to a file too, and
    // go on with everything else: a folder that holds a link stays, without a further word.
    EXPECT_TRUE(Run(kDeleteFiles, {folder.In(L"chosen\\file link")}, L"", kNoConfirmation));
    EXPECT_TRUE(
        Run(kMoveFiles, {folder.In(L"chosen\\file link")}, folder.In(L"to"), kNoConfirmation));
    EXPECT_TRUE(
        Run(kMoveFiles, {folder.In(L"chosen\\folder link")}, folder.In(L"to"), kNoConfirmation));
    folder.File(L"chosen\\z.txt", "moves");
    EXPECT_TRUE(Run(kMoveFiles, {folder.In(L"chosen")}, folder.In(L"into"), kNoConfirmation));
    EXPECT_EQ("moves", folder.Read(L"into\\chosen\\z.txt"));
    EXPECT_FALSE(folder.Exists(L"chosen\\z.txt"));
    folder.File(L"chosen\\z.txt", "goes");
    EXPECT_TRUE(Run(kDeleteFiles, {folder.In(L"chosen")}, L"", kNoConfirmation));
    EXPECT_FALSE(folder.Exists(L"chosen\\z.txt"));
    EXPECT_TRUE(folder.Exists(L"chosen\\file link"));
    EXPECT_EQ("kept", folder.Read(L"elsewhere\\kept.txt"));
    EXPECT_TRUE(folder.Exists(L"elsewhere"));
    // Every link met is named, and nothing else went wrong.
    ASSERT_LE(9u, recorder.Boxes().size());
    for (const std::wstring& text : recorder.Texts()) {
        EXPECT_NE(std::wstring::npos, text.find(L"is a link to another place")) << text;
    }
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

TEST_F(FileOperations, CancelStopsBetweenSourcesAndInsideACopy) {
    const std::wstring first = folder.File(L"1.txt", 1);
    const std::wstring second = folder.File(L"2.txt", 1);
    const std::wstring third = folder.File(L"3.txt", 1);
    // All to the first question, with Cancel pressed while it was up: the first goes, and
    // the sources after it are not touched.
    answers.atFirstQuestion = QuestionAnswerer::PressCancel;
    answers.answers = {IDC_ALL};
    EXPECT_TRUE(Run(kDeleteFiles, {first, second, third}));
    EXPECT_FALSE(folder.Exists(L"1.txt"));
    EXPECT_TRUE(folder.Exists(L"2.txt"));
    EXPECT_TRUE(folder.Exists(L"3.txt"));

    // Yes to replacing a large file, with Cancel pressed meanwhile: the copy stops before it
    // is done, and the old file stays whole, with nothing half-written beside it.
    const std::string large(3 * 1024 * 1024 + 17, 'n');
    const std::wstring source = folder.File(L"large.bin", large);
    folder.Folder(L"to");
    folder.File(L"to\\large.bin", "old");
    answers.atFirstQuestion = QuestionAnswerer::PressCancel;
    answers.answers = {IDYES};
    EXPECT_TRUE(Run(kCopyFiles, {source}, folder.In(L"to")));
    EXPECT_EQ("old", folder.Read(L"to\\large.bin"));
    EXPECT_EQ(large, folder.Read(L"large.bin"));

    // Cancel pressed in the middle of a copy, here and by a move to another volume: it
    // stops there, without a message, and leaves the source whole and no part of the copy.
    const auto cancelPartWay = [](const std::function<bool(const std::atomic<bool>*)>& copy) {
        std::atomic<bool> cancel{false};
        std::atomic<bool> done{false};
        bool copied = true;
        SetFileCallFaultForTesting(-1, 0); // counts the calls from here
        std::thread copying([&] {
            copied = copy(&cancel);
            done = true;
        });
        while (!done && FileCallsForTesting() < 8) { // three blocks in, of 32
        }
        cancel = true;
        copying.join();
        return copied;
    };
    const std::string big(32 * 1024 * 1024, 'b');
    const std::wstring bigFile = folder.File(L"big.bin", big);
    EXPECT_FALSE(cancelPartWay([&](const std::atomic<bool>* cancel) {
        return CopyFileReporting(nullptr, bigFile.c_str(), folder.In(L"to\\large.bin").c_str(),
                                 cancel);
    }));
    EXPECT_EQ("old", folder.Read(L"to\\large.bin"));
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(folder.In(L"to\\*").c_str(), &found);
    int entries = 0;
    do {
        entries += found.cFileName[0] != L'.';
    } while (FindNextFileW(find, &found));
    FindClose(find);
    EXPECT_EQ(1, entries); // large.bin alone
    const std::wstring otherVolume = L"Z:\\dev\\shm\\mensurio-cancelled-move.bin";
    if (GetFileAttributesW(L"Z:\\dev\\shm") != INVALID_FILE_ATTRIBUTES) {
        EXPECT_FALSE(cancelPartWay([&](const std::atomic<bool>* cancel) {
            return MoveFileReporting(nullptr, bigFile.c_str(), otherVolume.c_str(), false, cancel);
        }));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(otherVolume.c_str()));
        DeleteFileW(otherVolume.c_str());
    }
    EXPECT_TRUE(big == folder.Read(L"big.bin"));
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(FileOperations, ADestinationBeyondThePathLimitIsRefused) {
    const std::wstring file = folder.File(L"a.txt", "a");
    const std::wstring destination = L"C:\\" + std::wstring(297, L'd');
    EXPECT_TRUE(Run(kCopyFiles, {file}, destination, kNoConfirmation));
    EXPECT_TRUE(Run(kMoveFiles, {file}, destination, kNoConfirmation));
    ASSERT_EQ(2u, recorder.Boxes().size());
    EXPECT_EQ(0u, recorder.Texts()[1].find(L"The path is too long"));
    EXPECT_EQ("a", folder.Read(L"a.txt"));
}

// For every file call of a copy, a move and a delete of a tree of random files, in turn:
// the operation with that call failing. Whatever fails, every file is whole somewhere, no
// file is half-written, and the failure is told.
TEST_F(FileOperations, AFaultAtAnyCallLosesNothingAndIsTold) {
    std::mt19937 random(1208);
    const auto bytes = [&](size_t size) {
        std::string text(size, '\0');
        for (char& byte : text) {
            byte = static_cast<char>(random());
        }
        return text;
    };
    const Texts folders = {L"tree", L"tree\\a", L"tree\\a\\b", L"tree\\c"};
    std::map<std::wstring, std::string> files; // under tree
    for (int file = 0; file < 8; ++file) {
        files[folders[random() % 4].substr(4) + L"\\" + std::to_wstring(file) + L".bin"] =
            bytes(random() % 6000);
    }
    files[L"\\a\\large.bin"] = bytes(2 * 1024 * 1024 + 999); // three blocks of a copy
    // Targets already there, one of them read-only, and a folder to merge into.
    std::map<std::wstring, std::string> old = {{files.begin()->first, "old one"},
                                               {L"\\a\\large.bin", "old large"}};
    const std::wstring readOnlySource = std::next(files.begin())->first;
    const std::wstring readOnlyTarget = L"\\a\\large.bin";

    const auto reset = [&] {
        TempFolder::RemoveTree(folder.In(L"tree"));
        TempFolder::RemoveTree(folder.In(L"to"));
        for (const std::wstring& name : folders) {
            folder.Folder(name);
        }
        for (const auto& [name, content] : files) {
            folder.File(L"tree" + name, content);
        }
        SetFileAttributesW(folder.In(L"tree" + readOnlySource).c_str(), FILE_ATTRIBUTE_READONLY);
        folder.Folder(L"to");
        folder.Folder(L"to\\tree");
        folder.Folder(L"to\\tree\\a");
        for (const auto& [name, content] : old) {
            folder.File(L"to\\tree" + name, content);
        }
        SetFileAttributesW(folder.In(L"to\\tree" + readOnlyTarget).c_str(),
                           FILE_ATTRIBUTE_READONLY);
        recorder.Clear();
    };
    const auto leftovers = [&] {
        int count = 0;
        for (const std::wstring& name : folders) {
            for (const std::wstring root : {L"", L"to\\"}) {
                WIN32_FIND_DATAW found;
                const HANDLE find = FindFirstFileW(
                    folder.In(root + name + L"\\~mensurio-partial-*").c_str(), &found);
                if (find != INVALID_HANDLE_VALUE) {
                    ++count;
                    FindClose(find);
                }
            }
        }
        return count;
    };

    int faults = 0;
    int lost = 0;
    for (const UINT operation : {kCopyFiles, kMoveFiles, kDeleteFiles}) {
        const std::wstring destination = operation == kDeleteFiles ? L"" : folder.In(L"to");
        reset();
        SetFileCallFaultForTesting(-1, 0);
        ASSERT_TRUE(Run(operation, {folder.In(L"tree")}, destination, kNoConfirmation));
        const long calls = FileCallsForTesting();
        ASSERT_TRUE(recorder.Boxes().empty());
        for (long call = 0; call < calls; ++call) {
            reset();
            SetFileCallFaultForTesting(call, ERROR_GEN_FAILURE);
            ASSERT_TRUE(Run(operation, {folder.In(L"tree")}, destination, kNoConfirmation));
            SetFileCallFaultForTesting(-1, 0);
            ++faults;
            bool complete = true;
            for (const auto& [name, content] : files) {
                const std::string source = folder.Read(L"tree" + name);
                const std::string target = folder.Read(L"to\\tree" + name);
                const auto known = old.find(name);
                const std::string before = known != old.end() ? known->second : "(missing)";
                const bool sourceWhole = source == content;
                const bool targetWhole = target == content;
                // No file anywhere holds anything but what it held or what it was to hold.
                const bool sane =
                    (sourceWhole || source == "(missing)") && (targetWhole || target == before);
                bool kept = true;
                switch (operation) {
                case kCopyFiles:
                    kept = sourceWhole;
                    complete = complete && targetWhole;
                    break;
                case kMoveFiles:
                    kept = sourceWhole || targetWhole;
                    complete = complete && targetWhole && !sourceWhole;
                    break;
                default:
                    complete = complete && source == "(missing)";
                    break;
                }
                if (!sane || !kept) {
                    ++lost;
                    ADD_FAILURE() << "operation " << operation << ", call " << call << ": "
                                  << std::string(name.begin(), name.end());
                }
            }
            if (operation == kDeleteFiles) {
                complete = complete && !folder.Exists(L"tree");
            }
            const bool readOnlyKept =
                folder.Read(L"to\\tree" + readOnlyTarget) != "old large" ||
                (GetFileAttributesW(folder.In(L"to\\tree" + readOnlyTarget).c_str()) &
                 FILE_ATTRIBUTE_READONLY);
            EXPECT_TRUE(readOnlyKept) << "operation " << operation << ", call " << call;
            EXPECT_EQ(0, leftovers()) << "operation " << operation << ", call " << call;
            EXPECT_TRUE(complete || !recorder.Boxes().empty())
                << "silence after operation " << operation << ", call " << call;
        }
    }
    EXPECT_EQ(0, lost);
    EXPECT_LT(100, faults);
    std::cout << faults << " faults injected, " << lost << " files lost\n";
}

// The copy that KillsNeverLeaveAHalfFileUnderItsName kills: run as a process of its own,
// with what to copy in the environment.
TEST(KilledCopy, DISABLED_CopiesForTheTestThatKillsIt) {
    InitTestApplication();
    wchar_t source[MAX_PATH] = {};
    wchar_t target[MAX_PATH] = {};
    wchar_t started[MAX_PATH] = {};
    GetEnvironmentVariableW(L"MENSURIO_KILLED_COPY_SOURCE", source, MAX_PATH);
    GetEnvironmentVariableW(L"MENSURIO_KILLED_COPY_TARGET", target, MAX_PATH);
    GetEnvironmentVariableW(L"MENSURIO_KILLED_COPY_STARTED", started, MAX_PATH);
    const std::wstring list = List({source});
    FileOpRequest request = {};
    request.operation = kCopyFiles;
    request.sources = list.c_str();
    request.destination = target;
    request.flags = kNoConfirmation;
    SetEvent(OpenEventW(EVENT_MODIFY_STATE, FALSE, started));
    RunFileOperation(request);
}

// A copy of a tree killed at random points, as by a power loss: every file under its final
// name is whole, and the next copy into a folder removes what the killed one left there.
TEST_F(FileOperations, KillsNeverLeaveAHalfFileUnderItsName) {
    std::mt19937 random(20261208);
    std::map<std::wstring, std::string> files;
    folder.Folder(L"tree");
    folder.Folder(L"tree\\inner");
    for (int file = 0; file < 40; ++file) {
        std::string bytes(random() % (file % 8 == 0 ? 3000000 : 200000), '\0');
        for (char& byte : bytes) {
            byte = static_cast<char>(random());
        }
        const std::wstring name =
            (file % 2 ? L"tree\\" : L"tree\\inner\\") + std::to_wstring(file) + L".bin";
        folder.File(name, bytes);
        files[name] = std::move(bytes);
    }
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(program) +
                               L"\" --gtest_also_run_disabled_tests "
                               L"--gtest_filter=KilledCopy.DISABLED_CopiesForTheTestThatKillsIt";
    const HANDLE started = CreateEventW(nullptr, TRUE, FALSE, L"MensurioKilledCopyStarted");
    SetEnvironmentVariableW(L"MENSURIO_KILLED_COPY_SOURCE", folder.In(L"tree").c_str());
    SetEnvironmentVariableW(L"MENSURIO_KILLED_COPY_TARGET", folder.In(L"to").c_str());
    SetEnvironmentVariableW(L"MENSURIO_KILLED_COPY_STARTED", L"MensurioKilledCopyStarted");
    // Copies in a process of its own, killed `after` milliseconds into the copy or left to
    // end; how long it ran.
    const auto copy = [&](DWORD after) {
        ResetEvent(started);
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            ADD_FAILURE() << "cannot start the copy";
            return DWORD{0};
        }
        WaitForSingleObject(started, 20000);
        const ULONGLONG begun = GetTickCount64();
        if (WaitForSingleObject(process.hProcess, after) == WAIT_TIMEOUT) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, INFINITE);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return static_cast<DWORD>(GetTickCount64() - begun);
    };
    folder.Folder(L"to");
    const DWORD whole = copy(INFINITE);
    for (const auto& [name, content] : files) {
        ASSERT_TRUE(folder.Read(L"to\\" + name) == content);
    }
    int leftBehind = 0;
    for (int kill = 0; kill < 20; ++kill) {
        TempFolder::RemoveTree(folder.In(L"to"));
        folder.Folder(L"to");
        copy(random() % (whole + 1));
        for (const auto& [name, content] : files) {
            const std::string copied = folder.Read(L"to\\" + name);
            EXPECT_TRUE(copied == "(missing)" || copied == content)
                << "kill " << kill << ": " << std::string(name.begin(), name.end());
        }
        for (const std::wstring inside : {L"to\\tree", L"to\\tree\\inner"}) {
            WIN32_FIND_DATAW found;
            const HANDLE find =
                FindFirstFileW(folder.In(inside + L"\\~mensurio-partial-*.tmp").c_str(), &found);
            if (find != INVALID_HANDLE_VALUE) {
                ++leftBehind;
                FindClose(find);
            }
        }
    }
    // What the last kill left goes with the next copy.
    EXPECT_TRUE(Run(kCopyFiles, {folder.In(L"tree")}, folder.In(L"to"), kNoConfirmation));
    for (const std::wstring inside : {L"to\\tree", L"to\\tree\\inner"}) {
        WIN32_FIND_DATAW found;
        const HANDLE find =
            FindFirstFileW(folder.In(inside + L"\\~mensurio-partial-*.tmp").c_str(), &found);
        EXPECT_EQ(INVALID_HANDLE_VALUE, find);
        FindClose(find);
    }
    EXPECT_LT(0, leftBehind); // some kills came in the middle of a file
    CloseHandle(started);
}

// On a screen larger than a device's, every window the device shows full screen, and the
// question and progress dialogs, lie in the device-sized screen; the scripts also run this
// without Wine's desktop, each window an X window of its own.
// A top-level window as the converter's main window makes it.
class DeviceFrame : public FrameWindow {
public:
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) {
            return OnClose(window, message, wParam, lParam);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

// A frame made and a question shown over it many times hold no more drawing or window
// objects than after the first few: the frame's small icon is the program's shared one,
// and the shell's icons of the two files go with each question.
TEST_F(FileOperations, FramesAndReplaceQuestionsLeakNoObjects) {
    const std::wstring source = folder.File(L"new.txt", 1);
    const std::wstring target = folder.File(L"old.txt", 2);
    StringCchCopyW(Application::className, ARRAYSIZE(Application::className), L"MensurioDevice");
    const auto ask = [&](int times) {
        for (int i = 0; i < times; ++i) {
            DeviceFrame frame;
            EXPECT_TRUE(frame.Create(0, 0, 240, 320, WS_VISIBLE, 0, COLOR_WINDOW));
            answers.answers = {IDNO};
            ConfirmReplaceFile(source.c_str(), target.c_str(), false).Ask(frame.handle);
            DestroyWindow(frame.handle);
        }
        return CountGuiObjects();
    };
    const GuiObjects first = ask(5);
    const GuiObjects later = ask(200);
    EXPECT_EQ(205u, answers.questions.size());
    EXPECT_TRUE(NoMoreObjects(first, later))
        << first.gdi << " " << later.gdi << " " << first.user << " " << later.user;
    EXPECT_TRUE(recorder.Boxes().empty());
}

// A request to close the program while an operation runs is refused, and the operation goes
// on to its end; the quit message ends the dialog, cancels the work (its open question
// answered as Cancel) and returns only once the work has stopped.
TEST_F(FileOperations, ClosingOrQuittingWaitsForTheWork) {
    StringCchCopyW(Application::className, ARRAYSIZE(Application::className), L"MensurioDevice");
    DeviceFrame frame;
    ASSERT_TRUE(frame.Create(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, WS_VISIBLE,
                             0, COLOR_WINDOW));
    const auto deleteFiles = [&] {
        Texts files;
        for (const wchar_t* name : {L"1.txt", L"2.txt", L"3.txt"}) {
            files.push_back(folder.File(name, 1));
        }
        const std::wstring list = List(files);
        FileOpRequest request = {};
        request.owner = frame.handle;
        request.operation = kDeleteFiles;
        request.sources = list.c_str();
        return RunFileOperation(request);
    };
    answers.atFirstQuestion = [&](HWND) {
        SendMessageW(frame.handle, WM_CLOSE, 0, 0);
        return true;
    };
    answers.answers = {IDC_ALL};
    EXPECT_TRUE(deleteFiles());
    EXPECT_TRUE(IsWindow(frame.handle));
    EXPECT_FALSE(folder.Exists(L"1.txt") || folder.Exists(L"2.txt") || folder.Exists(L"3.txt"));

    answers.atFirstQuestion = [](HWND) {
        PostQuitMessage(0);
        return false;
    };
    deleteFiles(); // cut short: not the dialog's own end
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(folder.Exists(L"1.txt") && folder.Exists(L"2.txt") && folder.Exists(L"3.txt"));
    EXPECT_TRUE(recorder.Boxes().empty());

    // With the work stopped, the program closes.
    SendMessageW(frame.handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(frame.handle));
}

TEST_F(FileOperations, WindowsLieInTheDeviceScreenOnALargerScreen) {
    const RECT screen = DeviceScreenRect();
    ASSERT_GT(GetSystemMetrics(SM_CXSCREEN), ScaleToScreen(240)) << "needs a larger screen";
    EXPECT_EQ(ScaleToScreen(240), screen.right - screen.left);
    EXPECT_EQ(ScaleToScreen(320), screen.bottom - screen.top);
    const auto inside = [&screen](const RECT& place) {
        return place.left >= screen.left && place.top >= screen.top &&
               place.right <= screen.right && place.bottom <= screen.bottom &&
               place.right > place.left && place.bottom > place.top;
    };
    StringCchCopyW(Application::className, ARRAYSIZE(Application::className), L"MensurioDevice");
    DeviceFrame frame;
    ASSERT_TRUE(frame.Create(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             WS_VISIBLE | WS_CLIPCHILDREN, 0, COLOR_WINDOW));
    RECT place;
    GetWindowRect(frame.handle, &place);
    EXPECT_TRUE(EqualRect(&place, &screen));
    // A delete question (full screen) over the progress dialog (centred over its owner).
    const std::wstring file = folder.File(L"a.txt", 1);
    const std::wstring list = List({file});
    FileOpRequest request = {};
    request.owner = frame.handle;
    request.operation = kDeleteFiles;
    request.sources = list.c_str();
    answers.answers = {IDNO};
    EXPECT_TRUE(RunFileOperation(request));
    EXPECT_TRUE(inside(answers.questionPlace));
    EXPECT_TRUE(inside(answers.progressPlace));
    // The input panel, over the bottom of that screen.
    ShowSip();
    GetWindowRect(SipPanelWindow(), &place);
    SIPINFO panel = {};
    panel.cbSize = sizeof panel;
    SipGetInfo(&panel);
    panel.fdwFlags &= ~SIPF_ON;
    SipSetInfo(&panel);
    EXPECT_TRUE(inside(place));
    DestroyWindow(frame.handle);
}

} // namespace
