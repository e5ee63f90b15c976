#include "framework/app/Paths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// Runs an in-place operation on a copy of `path` in a full-size buffer.
template <class Operation> std::wstring Applied(const wchar_t* path, Operation operation) {
    wchar_t buffer[kMaxPath];
    StringCchCopyW(buffer, ARRAYSIZE(buffer), path);
    operation(buffer);
    return buffer;
}

TEST(Paths, GoUp) {
    EXPECT_EQ(L"\\Windows", Applied(L"\\Windows\\Start Menu", GoUp));
    EXPECT_EQ(L"\\", Applied(L"\\Windows", GoUp));
    EXPECT_EQ(L"\\Windows", Applied(L"\\Windows\\", GoUp));
    EXPECT_EQ(L"a", Applied(L"a\\b", GoUp));
    EXPECT_EQ(L"", Applied(L"name", GoUp));
    EXPECT_EQ(L"\\\\", Applied(L"\\\\server", GoUp));
    EXPECT_EQ(L"\\\\server", Applied(L"\\\\server\\share", GoUp));
    for (const wchar_t* top : {L"", L"\\", L"\\\\"}) {
        wchar_t buffer[kMaxPath];
        StringCchCopyW(buffer, ARRAYSIZE(buffer), top);
        EXPECT_FALSE(GoUp(buffer));
        EXPECT_STREQ(top, buffer);
    }
}

TEST(Paths, RemoveLastComponent) {
    EXPECT_EQ(L"\\Storage Card", Applied(L"\\Storage Card\\x.txt", RemoveLastComponent));
    EXPECT_EQ(L"\\", Applied(L"\\x.txt", RemoveLastComponent));
    EXPECT_EQ(L"", Applied(L"x.txt", RemoveLastComponent));
    EXPECT_EQ(L"", Applied(L"\\", RemoveLastComponent));
    EXPECT_EQ(L"", Applied(L"\\\\", RemoveLastComponent));
    EXPECT_EQ(L"\\a", Applied(L"\\a\\b\\", RemoveLastComponent));
    wchar_t empty[kMaxPath] = L"";
    EXPECT_FALSE(RemoveLastComponent(empty));
}

TEST(Paths, DotNamesAndDrives) {
    EXPECT_EQ(L"\\A\\C", Applied(L"\\A\\B\\..\\C\\.", RemoveDotNames));
    EXPECT_EQ(L"\\x", Applied(L"\\..\\..\\x", RemoveDotNames));
    EXPECT_EQ(L"\\", Applied(L"\\A\\..", RemoveDotNames));
    EXPECT_EQ(L"\\\\server", Applied(L"\\\\server\\share\\..", RemoveDotNames));
    EXPECT_EQ(L"C:\\b", Applied(L"C:\\..\\a\\..\\b", RemoveDotNames));
    EXPECT_EQ(L"C:\\", Applied(L"C:\\x\\..", RemoveDotNames));
    EXPECT_EQ(L"\\a..b\\.c", Applied(L"\\a..b\\.c", RemoveDotNames));
    EXPECT_TRUE(HasDriveLetter(L"d:\\units.ini"));
    EXPECT_TRUE(HasDriveLetter(L"Z:"));
    for (const wchar_t* path : {L"\\a:", L"1:\\", L"D", L"", L"@:", L"[:"}) {
        EXPECT_FALSE(HasDriveLetter(path)) << path;
    }
}

TEST(Paths, SplitPathAndFileNames) {
    wchar_t folder[kMaxPath];
    wchar_t name[kMaxPath];
    EXPECT_TRUE(SplitPath(folder, name, L"\\x.txt"));
    EXPECT_STREQ(L"\\", folder);
    EXPECT_STREQ(L"x.txt", name);
    EXPECT_TRUE(SplitPath(folder, name, L"\\My Documents\\Letters\\a.ini"));
    EXPECT_STREQ(L"\\My Documents\\Letters", folder);
    EXPECT_STREQ(L"a.ini", name);
    EXPECT_FALSE(SplitPath(folder, name, L"plain.ini"));
    EXPECT_STREQ(L"", folder);
    EXPECT_STREQ(L"plain.ini", name);

    EXPECT_STREQ(L"c.txt", FileNamePart(L"\\a\\b\\c.txt"));
    EXPECT_STREQ(L"b\\", FileNamePart(L"\\a\\b\\"));
    EXPECT_EQ(nullptr, FindLastSeparator(L"\\"));
    EXPECT_EQ(L"c.txt", Applied(L"\\a\\b\\c.txt", StripToFileName));
}

TEST(Paths, Extensions) {
    EXPECT_STREQ(L".Folder\\readme", FindExtension(L"\\My.Folder\\readme"));
    EXPECT_FALSE(IsProgram(L"\\My.Folder\\readme"));
    EXPECT_TRUE(IsShortcut(L"\\Windows\\Start Menu\\Calc.LNK"));
    EXPECT_TRUE(IsProgram(L"\\Windows\\calc.Exe"));
    EXPECT_FALSE(IsProgram(L"\\Windows\\exe"));
    EXPECT_STREQ(L"", FindExtension(L"\\Windows\\readme"));
    EXPECT_FALSE(HasExtension(L"name.", L""));
    EXPECT_TRUE(HasExtension(L"name.", L"."));
    EXPECT_EQ(L"\\a\\units", Applied(L"\\a\\units.ini", RemoveExtension));
    EXPECT_EQ(L"\\a\\units", Applied(L"\\a\\units", RemoveExtension));
}

TEST(Paths, TrailingBackslashAndJoin) {
    EXPECT_EQ(L"\\a\\", Applied(L"\\a", EnsureTrailingBackslash));
    EXPECT_EQ(L"\\a\\", Applied(L"\\a\\", EnsureTrailingBackslash));
    EXPECT_EQ(L"", Applied(L"", EnsureTrailingBackslash));
    EXPECT_EQ(L"\\a", Applied(L"\\a\\\\", RemoveTrailingBackslashes));
    EXPECT_EQ(L"\\", Applied(L"\\\\", RemoveTrailingBackslashes));
    EXPECT_EQ(L"C:\\", Applied(L"C:\\", RemoveTrailingBackslashes));
    EXPECT_EQ(L"C:\\a", Applied(L"C:\\a\\", RemoveTrailingBackslashes));

    wchar_t out[kMaxPath];
    EXPECT_EQ(out, JoinPath(out, L"\\My Documents", L"units.ini"));
    EXPECT_STREQ(L"\\My Documents\\units.ini", out);
    EXPECT_STREQ(L"\\units.ini", JoinPath(out, L"\\", L"units.ini"));
    EXPECT_STREQ(L"\\a", JoinPath(out, L"\\a", L""));
    EXPECT_STREQ(L"units.ini", JoinPath(out, L"", L"units.ini"));
}

TEST(Paths, NothingIsWrittenPastAFullPathBuffer) {
    // A canary after the buffer catches any write beyond 260 characters.
    struct {
        wchar_t path[kMaxPath];
        wchar_t canary[4];
    } guarded;
    wmemset(guarded.canary, L'!', 4);

    const std::wstring folder = L"\\" + std::wstring(258, L'f'); // 259 characters: full
    StringCchCopyW(guarded.path, ARRAYSIZE(guarded.path), folder.c_str());
    EnsureTrailingBackslash(guarded.path);
    EXPECT_EQ(folder, guarded.path);

    EXPECT_EQ(nullptr, JoinPath(guarded.path, folder.c_str(), L"x"));
    EXPECT_STREQ(L"", guarded.path);
    const std::wstring fits = L"\\" + std::wstring(200, L'f');
    const std::wstring name(58, L'n'); // 201 + 1 + 58 = 260: one too many
    EXPECT_EQ(nullptr, JoinPath(guarded.path, fits.c_str(), name.c_str()));
    EXPECT_NE(nullptr, JoinPath(guarded.path, fits.c_str(), name.substr(1).c_str()));
    EXPECT_EQ(259u, wcslen(guarded.path));

    // Overlong input is cut to a path buffer, never copied whole.
    const std::wstring overlong = L"\\" + std::wstring(1000, L'd') + L"\\name";
    wchar_t name2[kMaxPath];
    SplitPath(guarded.path, name2, overlong.c_str());
    EXPECT_STREQ(L"\\", guarded.path);
    EXPECT_EQ(std::wstring(258, L'd'), std::wstring(name2));
    PathComponents components(overlong.c_str());
    EXPECT_EQ(2, components.Count());

    EXPECT_EQ(std::wstring(4, L'!'), std::wstring(guarded.canary, 4));
}

TEST(Paths, ExistenceAndFolders) {
    wchar_t folder[kMaxPath];
    GetTempPathW(kMaxPath, folder);
    EXPECT_TRUE(PathExists(folder));
    EXPECT_TRUE(IsDirectory(folder));
    wchar_t file[kMaxPath];
    GetTempFileNameW(folder, L"pth", 0, file);
    EXPECT_TRUE(PathExists(file));
    EXPECT_FALSE(IsDirectory(file));
    DeleteFileW(file);
    EXPECT_FALSE(PathExists(file));
    EXPECT_FALSE(IsDirectory(file));
    EXPECT_FALSE(PathExists(L""));
    EXPECT_FALSE(IsDirectory(L""));
}

TEST(Paths, QuotesCommandLinesAndIconLocations) {
    EXPECT_EQ(L"\"", Applied(L"\"", StripQuotes));
    EXPECT_EQ(L"", Applied(L"\"\"", StripQuotes));
    EXPECT_EQ(L"a b", Applied(L"\"a b\"", StripQuotes));
    EXPECT_EQ(L"\"a", Applied(L"\"a", StripQuotes));

    EXPECT_EQ(L"\"\\Program Files\\x.exe\"",
              Applied(L"\"\\Program Files\\x.exe\" %1 -s", CutAtFirstSpaceOutsideQuotes));
    EXPECT_EQ(L"\\Program Files\\x.exe", Applied(L"\"\\Program Files\\x.exe\" %1", CutCommandLine));
    EXPECT_EQ(L"\\Windows\\pword.exe",
              Applied(L"\\Windows\\pword.exe -opendoc %1", CutCommandLine));

    wchar_t text[kMaxPath] = L"\"\\Windows\\shell32.dll\",-12";
    EXPECT_EQ(-12, SplitIconLocation(text));
    EXPECT_STREQ(L"\\Windows\\shell32.dll", text);
    StringCchCopyW(text, ARRAYSIZE(text), L"\\Windows\\app.exe");
    EXPECT_EQ(0, SplitIconLocation(text));
    EXPECT_STREQ(L"\\Windows\\app.exe", text);
    StringCchCopyW(text, ARRAYSIZE(text), L"app.exe,x");
    EXPECT_EQ(0, SplitIconLocation(text));
    EXPECT_STREQ(L"app.exe", text);
    StringCchCopyW(text, ARRAYSIZE(text), L"app.exe,3,4");
    EXPECT_EQ(3, SplitIconLocation(text));
}

TEST(PathComponents, SplitsRootAndNames) {
    PathComponents network(L"\\\\server\\share\\dir");
    ASSERT_EQ(4, network.Count());
    EXPECT_STREQ(L"\\\\", network.Item(0));
    EXPECT_STREQ(L"server", network.Item(1));
    EXPECT_STREQ(L"dir", network.Item(3));
    wchar_t out[kMaxPath];
    network.Build(out, 2);
    EXPECT_STREQ(L"\\\\server\\share", out);

    PathComponents local(L"\\My Documents\\\\Letters\\");
    ASSERT_EQ(3, local.Count());
    local.Build(out, 0);
    EXPECT_STREQ(L"\\", out);
    local.Build(out, 1);
    EXPECT_STREQ(L"\\My Documents", out);
    local.Build(out, 99);
    EXPECT_STREQ(L"\\My Documents\\Letters", out);

    PathComponents relative(L"a\\b");
    ASSERT_EQ(2, relative.Count());
    relative.Build(out, 1);
    EXPECT_STREQ(L"a\\b", out);

    PathComponents empty(L"");
    EXPECT_EQ(0, empty.Count());
    empty.Build(out, 3);
    EXPECT_STREQ(L"", out);

    // The deepest path: 130 one-letter names.
    std::wstring deep;
    for (int i = 0; i < 130; ++i) {
        deep += L"\\x";
    }
    deep.resize(kMaxPath - 1);
    PathComponents deepest(deep.c_str());
    EXPECT_EQ(130, deepest.Count());
}

TEST(FormatSize, BytesKilobytesMegabytes) {
    EXPECT_EQ(L"0 B", FormatSize(0));
    EXPECT_EQ(L"1023 B", FormatSize(1023));
    EXPECT_EQ(L"1.0 KB", FormatSize(1024));
    EXPECT_EQ(L"1.5 KB", FormatSize(1536));
    // The digit that would be 10 stays 9.
    EXPECT_EQ(L"1.9 KB", FormatSize(1024 + 1000));
    EXPECT_EQ(L"1.9 KB", FormatSize(2047));
    EXPECT_EQ(L"1023.9 KB", FormatSize(1048575));
    EXPECT_EQ(L"1.0 MB", FormatSize(1048576));
    EXPECT_EQ(L"1.9 MB", FormatSize(1048576 + 1024000));
    EXPECT_EQ(L"4095.9 MB", FormatSize(0xFFFFFFFFu));
    EXPECT_EQ(L"5120.0 MB", FormatSize(5ull << 30));
}

} // namespace
