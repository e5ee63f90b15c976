#include "framework/app/RegistryKey.h"
#include "test_support/ReadOnlyKey.h"

#include <gtest/gtest.h>

namespace {

constexpr const wchar_t* kTestKey = L"Software\\Orvintek\\MensurioTests";

class RegistryKeys : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
        ASSERT_EQ(ERROR_SUCCESS, key.Create(kTestKey));
    }
    void TearDown() override {
        key.Close();
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    }

    // Stores raw bytes with a type, as another program might have.
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key.Handle(), name, 0, type,
                                                static_cast<const BYTE*>(data), size));
    }

    RegistryKey key{HKEY_CURRENT_USER};
};

TEST_F(RegistryKeys, WriteThenReadAString) {
    ASSERT_EQ(ERROR_SUCCESS, key.WriteString(L"ini", L"\\My Documents\\単位.ini"));
    RegistryKey reader(HKEY_CURRENT_USER);
    ASSERT_EQ(ERROR_SUCCESS, reader.Open(kTestKey));
    wchar_t text[260];
    DWORD size = sizeof text;
    EXPECT_EQ(ERROR_SUCCESS, reader.ReadString(L"ini", text, size));
    EXPECT_STREQ(L"\\My Documents\\単位.ini", text);
    EXPECT_EQ(sizeof(L"\\My Documents\\単位.ini"), size);
}

TEST_F(RegistryKeys, MissingValueOrKeyGivesAnEmptyBufferAndAnError) {
    wchar_t text[16] = L"old";
    DWORD size = sizeof text;
    EXPECT_NE(ERROR_SUCCESS, key.ReadString(L"missing", text, size));
    EXPECT_STREQ(L"", text);

    RegistryKey absent(HKEY_CURRENT_USER);
    EXPECT_NE(ERROR_SUCCESS, absent.Open(L"Software\\Orvintek\\MensurioTests\\absent"));
    EXPECT_EQ(nullptr, absent.Handle());
    EXPECT_EQ(ERROR_SUCCESS, absent.Close());
}

TEST_F(RegistryKeys, OnlyWholeTextsAreRead) {
    SetRaw(L"bare", REG_SZ, L"abcdef", 6 * sizeof(wchar_t));
    wchar_t text[16];
    wmemset(text, L'#', 16);
    DWORD size = sizeof text;
    EXPECT_EQ(ERROR_SUCCESS, key.ReadString(L"bare", text, size));
    EXPECT_STREQ(L"abcdef", text);

    // A value that fills the buffer exactly, leaving no room for the terminator, is too
    // long: a cut path would name another file. So is a longer one.
    wchar_t exact[6];
    wmemset(exact, L'#', 6);
    size = sizeof exact;
    EXPECT_NE(ERROR_SUCCESS, key.ReadString(L"bare", exact, size));
    EXPECT_STREQ(L"", exact);
    wchar_t small[4] = L"old";
    size = sizeof small;
    EXPECT_EQ(ERROR_MORE_DATA, key.ReadString(L"bare", small, size));
    EXPECT_STREQ(L"", small);

    // A number where a text belongs is no text.
    const DWORD number = 0x3039;
    SetRaw(L"number", REG_DWORD, &number, sizeof number);
    wmemset(text, L'#', 16);
    size = sizeof text;
    EXPECT_EQ(ERROR_UNSUPPORTED_TYPE, key.ReadString(L"number", text, size));
    EXPECT_STREQ(L"", text);
}

TEST_F(RegistryKeys, ReadRegistryNumberTakesAnyTypeOfAtMostFourBytes) {
    const DWORD one = 1;
    SetRaw(L"dword", REG_DWORD, &one, sizeof one);
    const BYTE two[2] = {2, 0};
    SetRaw(L"binary", REG_BINARY, two, sizeof two);
    const BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    SetRaw(L"long", REG_BINARY, eight, sizeof eight);

    DWORD value = 77;
    EXPECT_EQ(ERROR_SUCCESS, ReadRegistryNumber(HKEY_CURRENT_USER, kTestKey, L"dword", value));
    EXPECT_EQ(1u, value);
    EXPECT_EQ(ERROR_SUCCESS, ReadRegistryNumber(HKEY_CURRENT_USER, kTestKey, L"binary", value));
    EXPECT_EQ(2u, value);

    value = 77;
    EXPECT_NE(ERROR_SUCCESS, ReadRegistryNumber(HKEY_CURRENT_USER, kTestKey, L"long", value));
    EXPECT_EQ(77u, value);
    EXPECT_NE(ERROR_SUCCESS, ReadRegistryNumber(HKEY_CURRENT_USER, kTestKey, L"none", value));
    EXPECT_NE(ERROR_SUCCESS,
              ReadRegistryNumber(HKEY_CURRENT_USER, L"Software\\NoSuchKey", L"x", value));
    EXPECT_EQ(77u, value);
    // A key that may only be read is read.
    const ReadOnlyKey readOnly(HKEY_CURRENT_USER, kTestKey);
    EXPECT_EQ(ERROR_SUCCESS, ReadRegistryNumber(HKEY_CURRENT_USER, kTestKey, L"dword", value));
    EXPECT_EQ(1u, value);
}

} // namespace
