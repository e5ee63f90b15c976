// File types read from the class root and the Type column's texts, on types the tests
// register themselves.
#include "framework/shell/FileTypeNames.h"
#include "TestFileTypes.h"
#include "framework/app/Application.h"
#include "framework/app/RegistryKey.h"
#include "test_support/ReadOnlyKey.h"

#include <gtest/gtest.h>

namespace {

class FileTypes : public ::testing::Test {
protected:
    void SetUp() override {
        types.Set(L".mtxt", L"Mensurio.TestText");
        types.Set(L".mlog", L"Mensurio.TestText");
        types.Set(L"Mensurio.TestText", L"Mensurio test text");
        types.Set(L"Mensurio.TestText\\Shell\\Open\\Command", L"\\Windows\\pword.exe %1");
        types.Set(L"Mensurio.TestText\\DefaultIcon", L"\\Windows\\shell.dll,-12");
        types.Set(L".mquoted", L"Mensurio.Quoted");
        types.Set(L"Mensurio.Quoted\\DefaultIcon", L"\"\\Program Files\\App\\app.exe\"");
        types.Set(L".mnovalue", nullptr);
        types.Set(L".mnoclass", L"Mensurio.Missing");
    }
    void TearDown() override { Application::japanese = FALSE; }

    TestFileTypes types;
};

TEST_F(FileTypes, ExtensionsOfOneClassShareTheFirstsRecord) {
    FileTypeNames names;
    const FileType* text = names.FindTypeByExtension(L".mtxt");
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(text, names.FindTypeByExtension(L".mlog"));
    EXPECT_EQ(L"Mensurio.TestText", text->className.value());
    EXPECT_EQ(L"Mensurio test text", text->description.value());
    EXPECT_EQ(L"\\Windows\\pword.exe %1", text->openCommand.value());
    EXPECT_EQ(L"\\Windows\\shell.dll", text->iconFile.value());
    EXPECT_EQ(-12, text->iconIndex);
    // Both extensions, in the order the class root lists them.
    EXPECT_TRUE(text->extensions == L".mtxt.mlog" || text->extensions == L".mlog.mtxt")
        << text->extensions.c_str();
    int records = 0;
    for (const auto& record : SharedFileTypes().records) {
        records += record->className == L"Mensurio.TestText";
    }
    EXPECT_EQ(1, records);

    const FileType* quoted = names.FindTypeByExtension(L".mquoted");
    ASSERT_NE(nullptr, quoted);
    EXPECT_EQ(L"\\Program Files\\App\\app.exe", quoted->iconFile.value());
    EXPECT_EQ(0, quoted->iconIndex);
    EXPECT_FALSE(quoted->description.has_value());

    // A key without a class name is passed over; a class without a key keeps its name.
    EXPECT_EQ(nullptr, names.FindTypeByExtension(L".mnovalue"));
    ASSERT_NE(nullptr, names.FindTypeByExtension(L".mnoclass"));
    EXPECT_FALSE(names.FindTypeByExtension(L".mnoclass")->description.has_value());
    // Lookups are exact: registered extensions are kept in lower case.
    EXPECT_EQ(nullptr, names.FindTypeByExtension(L".MTXT"));
}

// A standard user on Windows may only read the class root and the classes under
// HKEY_LOCAL_MACHINE: the types are read all the same.
TEST_F(FileTypes, ClassesThatMayOnlyBeReadAreRead) {
    const ReadOnlyKey root(HKEY_LOCAL_MACHINE, L"Software\\Classes");
    const ReadOnlyKey extension(HKEY_CLASSES_ROOT, L".mtxt");
    const ReadOnlyKey typeClass(HKEY_CLASSES_ROOT, L"Mensurio.TestText");
    const ReadOnlyKey icon(HKEY_CLASSES_ROOT, L"Mensurio.TestText\\DefaultIcon");
    ASSERT_NE(ERROR_SUCCESS, RegistryKey(HKEY_CLASSES_ROOT).Open(L"Mensurio.TestText"));
    FileTypeNames names;
    const FileType* text = names.FindTypeByExtension(L".mtxt");
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(L"Mensurio test text", text->description.value_or(L""));
    EXPECT_EQ(L"\\Windows\\shell.dll", text->iconFile.value_or(L""));
}

TEST_F(FileTypes, TypeTexts) {
    FileTypeNames names;
    EXPECT_STREQ(L"File Folder", names.TypeNameOf(L"\\My Documents\\archive.zip", 0x10));
    EXPECT_STREQ(L"Shortcut", names.TypeNameOf(L"LINK.LNK", 0));
    EXPECT_STREQ(L"Shortcut", names.TypeNameOf(L"x.lnk", 0));
    EXPECT_STREQ(L"File", names.TypeNameOf(L"README", 0));
    EXPECT_STREQ(L" File", names.TypeNameOf(L"notes.", 0));
    EXPECT_STREQ(L"DAT File", names.TypeNameOf(L"notes.dat", 0));
    EXPECT_STREQ(L"Mensurio test text", names.TypeNameOf(L"readme.mtxt", 0));
    EXPECT_STREQ(L"MTXT File", names.TypeNameOf(L"README.MTXT", 0));
    EXPECT_STREQ(L"MNOCLASS File", names.TypeNameOf(L"a.mnoclass", 0));
    // A dot in a folder name counts as the extension's start.
    EXPECT_STREQ(L"V2\\README File", names.TypeNameOf(L"\\Program.v2\\readme", 0));
    // A long extension is composed whole.
    const std::wstring longName = L"a." + std::wstring(258, L'x');
    EXPECT_EQ(std::wstring(258, L'X') + L" File", names.TypeNameOf(longName.c_str(), 0));

    Application::japanese = TRUE;
    EXPECT_STREQ(L"ﾌｧｲﾙ ﾌｫﾙﾀﾞ", names.TypeNameOf(L"archive.zip", 0x10));
    EXPECT_STREQ(L"ｼｮｰﾄｶｯﾄ", names.TypeNameOf(L"LINK.LNK", 0));
    EXPECT_STREQ(L"DAT ﾌｧｲﾙ", names.TypeNameOf(L"notes.dat", 0));
    EXPECT_STREQ(L"ﾌｧｲﾙ", names.TypeNameOf(L"README", 0));
}

TEST_F(FileTypes, TableLivesFromTheFirstObjectToTheLast) {
    auto first = std::make_unique<FileTypeNames>();
    types.Set(L".mlate", L"Mensurio.Late");
    {
        // Loaded once: a type registered while an object lives is not seen.
        FileTypeNames second;
        EXPECT_EQ(nullptr, second.FindTypeByExtension(L".mlate"));
    }
    EXPECT_FALSE(SharedFileTypes().records.empty());
    first.reset();
    EXPECT_TRUE(SharedFileTypes().records.empty());
    EXPECT_TRUE(SharedFileTypes().byExtension.empty());
    FileTypeNames again;
    EXPECT_NE(nullptr, again.FindTypeByExtension(L".mlate"));
}

} // namespace
