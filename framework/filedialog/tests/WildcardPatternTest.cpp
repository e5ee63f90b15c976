// Filters of the file list: patterns, sets with and without case, ";" lists.
#include "framework/filedialog/WildcardPattern.h"

#include <gtest/gtest.h>

namespace {

bool Accepts(const wchar_t* filter, const wchar_t* name) {
    return FileFilter(filter).Accepts(name);
}

TEST(Filters, LiteralsIgnoreCaseSetsKeepIt) {
    EXPECT_TRUE(Accepts(L"*.ini", L"Units.INI"));
    EXPECT_FALSE(Accepts(L"*.ini", L"units.txt"));
    EXPECT_FALSE(Accepts(L"*.ini", L"units.ini.bak"));
    EXPECT_TRUE(Accepts(L"[a-c]*", L"b.txt"));
    EXPECT_FALSE(Accepts(L"[a-c]*", L"B.txt"));
    EXPECT_TRUE(Accepts(L"[a-c]x", L"bx"));
    EXPECT_FALSE(Accepts(L"[a-c]x", L"xx"));
    EXPECT_TRUE(Accepts(L"[^a-c]x", L"xx"));
    EXPECT_FALSE(Accepts(L"[^a-c]x", L"ax"));
    EXPECT_TRUE(Accepts(L"[ab-]?", L"-z")); // a "-" before "]" is a member
    EXPECT_FALSE(Accepts(L"[]x", L"x"));    // an empty set matches nothing
    EXPECT_TRUE(Accepts(L"[^]x", L"ax"));   // an empty negated set matches anything
    EXPECT_TRUE(Accepts(L"file?.txt", L"FILE1.TXT"));
    EXPECT_FALSE(Accepts(L"file?.txt", L"file.txt"));
}

TEST(Filters, StarsAndLists) {
    EXPECT_TRUE(Accepts(L"*.*", L"README"));
    EXPECT_TRUE(Accepts(L"*", L"README"));
    EXPECT_TRUE(Accepts(L"*", L""));
    EXPECT_TRUE(Accepts(L"*a*b*", L"xxaxxbxx"));
    EXPECT_TRUE(Accepts(L"*ab", L"aab"));
    EXPECT_FALSE(Accepts(L"*ab", L"aba"));
    EXPECT_TRUE(Accepts(L"a**", L"a"));
    // The first pattern of a list that matches takes the file; spaces belong to patterns.
    EXPECT_TRUE(Accepts(L"*.ini;*.txt", L"notes.txt"));
    EXPECT_FALSE(Accepts(L"*.ini; *.txt", L"notes.txt"));
    EXPECT_TRUE(Accepts(L"*.ini; *.txt", L" notes.txt"));
    EXPECT_TRUE(Accepts(L";;*.ini;", L"a.ini"));
    EXPECT_FALSE(Accepts(L";;", L"a.ini"));
    // A pattern that does not compile matches nothing; the others still count.
    EXPECT_FALSE(WildcardPattern(L"[a-").Compiled());
    EXPECT_FALSE(WildcardPattern(L"[abc").Compiled());
    EXPECT_FALSE(Accepts(L"[a-", L"a"));
    EXPECT_TRUE(Accepts(L"[ab;*.ini", L"x.ini"));
    // Long names are matched without deep recursion.
    const std::wstring longName(5000, L'a');
    EXPECT_FALSE(Accepts(L"*a*a*a*a*a*a*b", longName.c_str()));
}

} // namespace
