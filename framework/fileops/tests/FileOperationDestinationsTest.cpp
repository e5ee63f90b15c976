// Where copied and moved items go, and the destinations that are refused.
#include "FileOperations.h"

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

TEST_F(FileOperations, ADestinationBeyondThePathLimitIsRefused) {
    const std::wstring file = folder.File(L"a.txt", "a");
    const std::wstring destination = L"C:\\" + std::wstring(297, L'd');
    EXPECT_TRUE(Run(kCopyFiles, {file}, destination, kNoConfirmation));
    EXPECT_TRUE(Run(kMoveFiles, {file}, destination, kNoConfirmation));
    ASSERT_EQ(2u, recorder.Boxes().size());
    EXPECT_EQ(0u, recorder.Texts()[1].find(L"The path is too long"));
    EXPECT_EQ("a", folder.Read(L"a.txt"));
}
