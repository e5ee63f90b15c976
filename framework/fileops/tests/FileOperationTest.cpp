// Delete, copy and move of real files and folders behind the progress dialog, with the
// questions answered as a user would, Cancel, failures part-way, and nothing lost.
#include "framework/app/Application.h"
#include "framework/app/tests/MessageBoxRecorder.h"
#include "framework/app/tests/TempFolder.h"
#include "framework/app/tests/TestApplication.h"
#include "framework/fileops/ConfirmDialog.h"
#include "framework/fileops/FileOperation.h"
#include "framework/fileops/FileReporting.h"
#include "framework/fileops/tests/QuestionAnswerer.h"
#include "platform/DeviceFiles.h"
#include "resources/fileops_ids.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::wstring>;

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
    std::wstring In(const std::wstring& name) const { return folder.path + L"\\" + name; }

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
    ASSERT_TRUE(ConfirmDeleteSelection(nullptr, List({In(L"tree")}).c_str()));
    EXPECT_EQ((Texts{L"Confirm folder delete"}), answers.titles);
    EXPECT_EQ(L"Are you sure you want to remove the folder 'tree' and all its contents?",
              answers.questions[0]);

    // Then one question per file until All: the first file is kept, the rest go.
    answers.titles.clear();
    answers.questions.clear();
    answers.answers = {IDNO, kAnswerAll};
    EXPECT_TRUE(Run(kDeleteFiles, {In(L"tree")}));
    EXPECT_EQ(2u, answers.titles.size());
    EXPECT_EQ(L"Confirm file delete", answers.titles[0]);
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
    EXPECT_EQ(L"ﾌｧｲﾙ 'tool.exe' は読み取り専用です。削除してもよろしいですか?", answers.questions[1]);
    EXPECT_FALSE(folder.Exists(L"tool.exe"));
}

TEST_F(FileOperations, RomAndMissingSourcesArePassedOver) {
    const std::wstring rom = folder.File(L"rom.txt", 1);
    const std::vector<std::wstring> romFiles = {rom};
    SetRomFilesForTesting(&romFiles);
    EXPECT_TRUE(Run(kDeleteFiles, {rom, In(L"missing.txt")}, L"", kNoConfirmation));
    EXPECT_TRUE(folder.Exists(L"rom.txt"));
    folder.Folder(L"to");
    EXPECT_TRUE(Run(kCopyFiles, {In(L"missing.txt")}, In(L"to"), kNoConfirmation));
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(FileOperations, RecursiveCopiesAreRefused) {
    folder.Folder(L"a");
    folder.Folder(L"a\\b");
    folder.Folder(L"ab");
    folder.File(L"ab\\x.txt", "x");
    EXPECT_TRUE(Run(kCopyFiles, {In(L"a")}, folder.path, kNoConfirmation));
    EXPECT_TRUE(Run(kCopyFiles, {In(L"a")}, In(L"a\\b"), kNoConfirmation));
    EXPECT_TRUE(Run(kMoveFiles, {In(L"A")}, In(L"a\\b"), kNoConfirmation));
    EXPECT_EQ((Texts(3, L"Source to destination is recursive")), recorder.Texts());
    EXPECT_TRUE(Run(kCopyFiles, {In(L"ab")}, In(L"a"), kNoConfirmation));
    EXPECT_EQ("x", folder.Read(L"a\\ab\\x.txt"));
    EXPECT_EQ(3u, recorder.Boxes().size());
}

TEST_F(FileOperations, ReplacingAsksAndKeepsWhatIsNotReplaced) {
    folder.Folder(L"to");
    const std::wstring source = folder.File(L"report.txt", "new");
    const std::wstring target = folder.File(L"to\\report.txt", "old");
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    // A move answered No leaves both files as they were.
    answers.answers = {IDNO};
    EXPECT_TRUE(Run(kMoveFiles, {source}, In(L"to")));
    EXPECT_EQ(L"This folder already contains a system file called 'report.txt'.",
              answers.questions[0]);
    EXPECT_EQ("new", folder.Read(L"report.txt"));
    EXPECT_EQ("old", folder.Read(L"to\\report.txt"));
    // A copy answered Yes replaces the read-only file.
    answers.answers = {IDYES};
    EXPECT_TRUE(Run(kCopyFiles, {source}, In(L"to")));
    EXPECT_EQ("new", folder.Read(L"to\\report.txt"));
    // A move answered Yes replaces it and the source goes.
    folder.File(L"report.txt", "newer");
    answers.answers = {IDYES};
    EXPECT_TRUE(Run(kMoveFiles, {source}, In(L"to")));
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
    EXPECT_TRUE(Run(kCopyFiles, {In(L"photos"), first}, In(L"to")));
    EXPECT_EQ(L"Confirm Folder Replace", answers.titles.back());
    EXPECT_EQ(0u, answers.questions.back().find(L"This folder already contains a folder called '" +
                                                  In(L"to\\photos") + L"'."));
    EXPECT_FALSE(folder.Exists(L"to\\photos\\new.jpg"));
    EXPECT_TRUE(folder.Exists(L"to\\a.txt")); // the next source still goes
    // Yes merges the folders.
    answers.answers = {IDYES};
    EXPECT_TRUE(Run(kCopyFiles, {In(L"photos")}, In(L"to")));
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
    EXPECT_TRUE(Run(kCopyFiles, {In(L"tree")}, In(L"copy"), kNoConfirmation));
    EXPECT_TRUE(recorder.Boxes().empty());
    int differing = 0;
    for (const std::wstring& name : names) {
        differing += folder.Read(name) != folder.Read(L"copy\\" + name);
    }
    EXPECT_EQ(0, differing);
    EXPECT_EQ(1000u, names.size());

    // Moving the copy elsewhere keeps every byte too, and leaves no copy behind.
    EXPECT_TRUE(Run(kMoveFiles, {In(L"copy\\tree")}, In(L"moved"), kNoConfirmation));
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
    const HANDLE handle = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                      nullptr);
    folder.Folder(L"to");
    EXPECT_TRUE(Run(kMoveFiles, {In(L"tree")}, In(L"to"), kNoConfirmation));
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
    SetWriteFaultForTesting(In(L"card").c_str(), ERROR_DISK_FULL, 2);
    EXPECT_TRUE(Run(kCopyFiles, {In(L"tree")}, In(L"card"), kNoConfirmation));
    int copied = 0;
    for (int file = 0; file < 5; ++file) {
        const std::wstring name = std::to_wstring(file) + L".txt";
        EXPECT_EQ(std::to_string(file), folder.Read(L"tree\\" + name));
        copied += folder.Exists(L"card\\tree\\" + name);
    }
    EXPECT_EQ(2, copied);
    // A folder that may not be written: the move stops at once and every source stays.
    SetWriteFaultForTesting(In(L"card").c_str(), ERROR_ACCESS_DENIED, 0);
    Application::japanese = TRUE;
    EXPECT_TRUE(Run(kMoveFiles, {In(L"tree")}, In(L"card"), kNoConfirmation));
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
    const std::wstring list = List({In(L"tree")});
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
    answers.cancelAtFirstQuestion = true;
    answers.answers = {IDYES};
    EXPECT_TRUE(Run(kDeleteFiles, {In(L"tree")}));
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
    ASSERT_TRUE(MakeFolderPath(nullptr, In(deep).c_str()));
    const std::wstring longName(60, L'n');
    folder.File(longName, "kept");
    EXPECT_TRUE(Run(kCopyFiles, {In(longName)}, In(deep), kNoConfirmation));
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(0u, recorder.Texts()[0].find(L"The path is too long"));
    EXPECT_EQ("kept", folder.Read(longName));
}

} // namespace
