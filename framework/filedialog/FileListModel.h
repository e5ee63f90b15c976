// What the file list shows: its location (a place or a plain folder), its filter, its rows
// and their order.
#pragma once

#include "FileEntry.h"
#include "LocationCode.h"
#include "framework/shell/FileTypeNames.h"
#include "framework/shell/IconCache.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// The sort word: key in bits 0-2, descending in bit 3, and which of the Size, Type and Date
// columns are present.
enum SortKey { kSortByName = 0, kSortBySize = 1, kSortByType = 2, kSortByDate = 3 };
constexpr DWORD kSortKeyMask = 0x07;
constexpr DWORD kSortDescending = 0x08;
constexpr DWORD kSizeColumn = 0x10;
constexpr DWORD kTypeColumn = 0x20;
constexpr DWORD kDateColumn = 0x40;
constexpr DWORD kInitialSortWord = kSizeColumn | kTypeColumn | kDateColumn;

// The order of two rows: folders before files, then by the key; descending reverses all
// of it, folders included. Negative, 0 or positive. Names are compared as PrepareSort
// folded them.
int CompareRows(const FileEntry& a, const FileEntry& b, DWORD sortWord);

class FileListModel {
public:
    // Refused (false) for a plain folder that does not exist or is the current one (ignoring
    // case), and for the place already shown. A place takes its own path.
    bool SetLocation(LocationCode location, const wchar_t* folder);
    // False when the filter is the current one.
    bool SetFilter(const wchar_t* text);
    // The location as the history keeps it (a place's name, else the folder path), and as
    // a path (a place's path); `text` holds kMaxPath characters.
    LocationCode CurrentLocation(wchar_t* text) const;
    LocationCode CurrentPath(wchar_t* text) const;

    // Gathers the rows afresh when forced or when the location or filter changed; `owner`
    // is the window Control Panel applets are given. True when the rows were rebuilt.
    bool Gather(HWND owner, bool force);
    // The same key again reverses the order; a new key starts ascending.
    void SetSortKey(int key);
    // Readies the rows for CompareRows by the current key: each name is folded to its case
    // here, once, not at each comparison.
    void PrepareSort();
    // The row of a file or folder found in `folder`, with its type name, also where its
    // full path passes the platform's limit.
    std::unique_ptr<FileEntry> MakeFoundEntry(const wchar_t* folder, const WIN32_FIND_DATAW& found);

    LocationCode code = kNoLocation;
    wchar_t path[kMaxPath] = L"*";
    std::wstring filter = L"*.*";
    DWORD sortWord = kInitialSortWord;
    bool stale = true;
    std::vector<std::unique_ptr<FileEntry>> entries;
    // The rows' icons; a file's is looked up when its row is first drawn.
    IconCache icons;

    // Where the Control Panel's libraries are looked for.
    static inline const wchar_t* controlPanelFolder = L"\\Windows";

private:
    void AddFolderContents(const wchar_t* folder);
    void AddPlaceRow(LocationCode place, int image);
    void AddApplets(HWND owner);
    void AddAppletsOf(HWND owner, const wchar_t* library);
    void AddDatabases();

    FileTypeNames typeNames;
};
