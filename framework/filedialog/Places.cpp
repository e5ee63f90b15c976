#include "Places.h"

#include "framework/app/Application.h"
#include "framework/app/Paths.h"

#include <strsafe.h>

#include <cwchar>

namespace {

const Place kPlaces[kPlaceCount] = {
    {kDesktop, L"", L"ﾃﾞｽｸﾄｯﾌﾟ", L"Desktop", 2},
    {kMyDevice, L"\\", L"ﾏｲ ﾃﾞﾊﾞｲｽ", L"My Device", 3},
    {kMyNetwork, L"\\\\", L"ﾏｲ ﾈｯﾄﾜｰｸ", L"My Network", 4},
    {kControlPanel, L"\\*CONTROLS", L"ｺﾝﾄﾛｰﾙ ﾊﾟﾈﾙ", L"Control Panel", 9},
    {kDatabases, L"\\*DATABASES", L"ﾃﾞｰﾀﾍﾞｰｽ", L"Database", 8},
    {kMyDocuments, L"\\My Documents", L"ﾏｲ ﾄﾞｷｭﾒﾝﾄ", L"My Documents", 5},
    {kTrashBox, L"\\Recycled", L"ごみ箱", L"Trash Box", 10},
    {kFindResult, L"*RESULT", L"検索結果", L"Find Result", 11},
};

bool SameText(const wchar_t* a, const wchar_t* b) {
    return _wcsicmp(a, b) == 0;
}

} // namespace

const wchar_t* Place::Name() const {
    return LanguageText(englishName, japaneseName);
}

const Place& PlaceAt(int row) {
    return kPlaces[row];
}

const Place& PlaceOf(LocationCode code) {
    return kPlaces[(code & kPlaceRowMask) % kPlaceCount];
}

LocationCode LocationOfText(wchar_t* text) {
    for (const Place& place : kPlaces) {
        if (SameText(text, place.path) || SameText(text, place.japaneseName) ||
            SameText(text, place.englishName)) {
            StringCchCopyW(text, kMaxPath, place.path);
            return place.code;
        }
    }
    return kPlainFolder;
}

bool ParentOf(LocationCode& code, wchar_t* path) {
    switch (code) {
    case kPlainFolder:
        // A server's parent is the network, not the device: removing its name would
        // leave one backslash of the two.
        if (path[0] == L'\\' && path[1] == L'\\' && FindLastSeparator(path) == path + 1) {
            path[2] = L'\0';
        } else {
            RemoveLastComponent(path);
        }
        if (path[0] == L'\0') {
            code = kDesktop;
        } else if (wcscmp(path, L"\\") == 0) {
            code = kMyDevice;
        } else if (wcscmp(path, L"\\\\") == 0) {
            code = kMyNetwork;
        } else if (SameText(path, PlaceOf(kMyDocuments).path)) {
            code = kMyDocuments;
        }
        return true;
    case kMyNetwork:
    case kMyDevice:
    case kMyDocuments:
        code = kDesktop;
        path[0] = L'\0';
        return true;
    case kControlPanel:
    case kDatabases:
        code = kMyDevice;
        StringCchCopyW(path, kMaxPath, PlaceOf(kMyDevice).path);
        return true;
    default:
        return false;
    }
}

const wchar_t* DisplayNameOfPath(const wchar_t* path) {
    for (const Place& place : kPlaces) {
        if (SameText(path, place.path)) {
            return place.Name();
        }
    }
    return FileNamePart(path);
}
