// One row of the file list: a file, a folder, a place, a Control Panel applet or a
// database. The list owns its rows and makes them afresh on every refill.
#pragma once

#include "LocationCode.h"
#include "framework/app/Paths.h"

#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>

class FileEntry {
public:
    FileEntry() = default;
    virtual ~FileEntry() = default;
    // `name` points into the entry's own path.
    FileEntry(const FileEntry&) = delete;
    FileEntry& operator=(const FileEntry&) = delete;

    // A place row shows the place's name; any other row the name part of its path.
    virtual const wchar_t* DisplayName() const;
    virtual unsigned long long Size() const { return size; }

    bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

    // A folder's entries are listed even where their full paths pass the platform's limit:
    // a folder path of up to kMaxPath - 1 characters, "\" and a name of as many.
    static constexpr int kMaxEntryPath = 2 * kMaxPath;

    // Whether the path is within the platform's limit, so that the row can be opened,
    // renamed or deleted.
    bool PathFits() const { return wcsnlen(path, kMaxPath) < kMaxPath; }

    LocationCode kind = kPlainFile;
    int image = -1; // into the icon cache's lists; -1 until the row is first drawn
    wchar_t path[kMaxEntryPath] = {};
    const wchar_t* name = path; // where the name part of path begins
    DWORD attributes = 0;
    unsigned long long size = 0;
    FILETIME lastWrite = {};
    std::optional<std::wstring> typeName;
    // The name in the lower case the platform gives each unit, as the last sort made it.
    std::wstring foldedName;
};

// An applet of a Control Panel library; sorted as a file without size, date or type.
class AppletEntry : public FileEntry {
public:
    const wchar_t* DisplayName() const override { return appletName; }
    unsigned long long Size() const override { return 0; }

    wchar_t appletName[32] = {};
    wchar_t info[64] = {};
    wchar_t launchArgument[64] = {}; // "<library path>,<applet index>"
};

// A database of the object store.
class DatabaseEntry : public FileEntry {
public:
    const wchar_t* DisplayName() const override { return databaseName; }

    wchar_t databaseName[32] = {};
    DWORD objectId = 0;
};

// Texts of the Size, Type and Date columns; empty for applets and databases, for a
// folder's size and for a time of 0.
std::wstring SizeText(const FileEntry& entry);
std::wstring TypeText(const FileEntry& entry);
std::wstring DateText(const FileEntry& entry);
