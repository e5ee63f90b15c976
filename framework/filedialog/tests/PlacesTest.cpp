// The fixed places: typed texts, the Up command and display names.
#include "framework/filedialog/Places.h"
#include "framework/app/Application.h"
#include "framework/app/Paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Located {
    LocationCode code;
    std::wstring text;
};

Located Locate(const wchar_t* typed) {
    wchar_t text[kMaxPath];
    StringCchCopyW(text, ARRAYSIZE(text), typed);
    const LocationCode code = LocationOfText(text);
    return {code, text};
}

Located Up(LocationCode code, const wchar_t* from, bool expected = true) {
    wchar_t path[kMaxPath];
    StringCchCopyW(path, ARRAYSIZE(path), from);
    EXPECT_EQ(expected, ParentOf(code, path)) << from;
    return {code, path};
}

TEST(Places, TypedTextsNamePlacesInEitherLanguage) {
    EXPECT_EQ(kTrashBox, Locate(L"Trash Box").code);
    EXPECT_EQ(L"\\Recycled", Locate(L"Trash Box").text);
    EXPECT_EQ(kDesktop, Locate(L"").code);
    EXPECT_EQ(kMyDocuments, Locate(L"my documents").code);
    EXPECT_EQ(L"\\My Documents", Locate(L"ﾏｲ ﾄﾞｷｭﾒﾝﾄ").text);
    EXPECT_EQ(kMyDevice, Locate(L"\\").code);
    EXPECT_EQ(kMyNetwork, Locate(L"\\\\").code);
    EXPECT_EQ(kControlPanel, Locate(L"\\*controls").code);
    EXPECT_EQ(kPlainFolder, Locate(L"\\Windows").code);
    EXPECT_EQ(L"\\Windows", Locate(L"\\Windows").text);
}

TEST(Places, UpGoesToTheFolderOrPlaceAbove) {
    Located up = Up(kPlainFolder, L"\\Windows");
    EXPECT_EQ(kMyDevice, up.code);
    EXPECT_EQ(L"\\", up.text);
    up = Up(kPlainFolder, L"\\My Documents\\Letters");
    EXPECT_EQ(kMyDocuments, up.code);
    up = Up(kPlainFolder, L"\\my documents\\Letters");
    EXPECT_EQ(kMyDocuments, up.code);
    up = Up(kPlainFolder, L"\\Windows\\Fonts");
    EXPECT_EQ(kPlainFolder, up.code);
    EXPECT_EQ(L"\\Windows", up.text);
    EXPECT_EQ(kMyNetwork, Up(kPlainFolder, L"\\\\server").code);
    EXPECT_EQ(L"\\\\server", Up(kPlainFolder, L"\\\\server\\share").text);
    EXPECT_EQ(kDesktop, Up(kPlainFolder, L"Relative").code);
    up = Up(kMyDocuments, L"\\My Documents");
    EXPECT_EQ(kDesktop, up.code);
    EXPECT_EQ(L"", up.text);
    up = Up(kControlPanel, L"\\*CONTROLS");
    EXPECT_EQ(kMyDevice, up.code);
    EXPECT_EQ(L"\\", up.text);
    EXPECT_EQ(kDesktop, Up(kDesktop, L"", false).code);
    EXPECT_EQ(kTrashBox, Up(kTrashBox, L"\\Recycled", false).code);
    EXPECT_EQ(L"*RESULT", Up(kFindResult, L"*RESULT", false).text);
}

TEST(Places, DisplayNames) {
    EXPECT_STREQ(L"My Device", DisplayNameOfPath(L"\\"));
    EXPECT_STREQ(L"My Documents", DisplayNameOfPath(L"\\MY DOCUMENTS"));
    EXPECT_STREQ(L"Letters", DisplayNameOfPath(L"\\My Documents\\Letters"));
    Application::japanese = TRUE;
    EXPECT_STREQ(L"ごみ箱", DisplayNameOfPath(L"\\Recycled"));
    EXPECT_STREQ(L"ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ", PlaceOf(kControlPanel).Name());
    Application::japanese = FALSE;
}

} // namespace
