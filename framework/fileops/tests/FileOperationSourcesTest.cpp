// Sources that are not copied, moved or deleted as they are: files in ROM, missing ones and
// links.
#include "FileOperations.h"

// A file in ROM stays, and the delete says so and goes on; a source that is gone is passed
// over without a word, as is a request without any.
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
    // A request without sources has nothing to do.
    FileOpRequest none = {};
    none.operation = kDeleteFiles;
    EXPECT_TRUE(RunFileOperation(none));
    EXPECT_TRUE(recorder.Boxes().empty());
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
