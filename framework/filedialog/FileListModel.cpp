#include "FileListModel.h"

#include "Places.h"
#include "WildcardPattern.h"
#include "framework/app/Application.h"
#include "platform/DeviceFiles.h"
#include "platform/ObjectStore.h"

#include <cpl.h>
#include <shlobj.h>
#include <strsafe.h>

#include <cwchar>
#include <vector>

namespace {

constexpr int kDatabaseImage = 6;
constexpr int kMyDocumentsRowImage = 11;
constexpr int kMyDeviceRowImage = 9;

template <typename Number> int Sign(Number a, Number b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// Every UTF-16 unit in the lower case the platform gives it: É as é, Ａ as ａ. Made once;
// a look-up per unit keeps sorting a large folder as cheap as comparing the units.
const wchar_t* LowerCaseUnits() {
    static const std::vector<wchar_t> units = [] {
        std::vector<wchar_t> table(0x10000);
        for (size_t unit = 0; unit < table.size(); ++unit) {
            table[unit] = static_cast<wchar_t>(unit);
        }
        CharLowerBuffW(table.data() + 1, static_cast<DWORD>(table.size() - 1));
        return table;
    }();
    return units.data();
}

// The name in the lower case the platform gives each unit.
std::wstring FoldedName(const wchar_t* name) {
    const wchar_t* const lower = LowerCaseUnits();
    std::wstring folded(name);
    for (wchar_t& unit : folded) {
        unit = lower[static_cast<unsigned short>(unit)];
    }
    return folded;
}

unsigned long long TimeValue(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Runs `visit` for every entry the device lists in `folder`; quietly nothing when the
// folder cannot be searched or its pattern would not fit.
template <typename Visit>
void ForEachEntry(const wchar_t* folder, const wchar_t* pattern, Visit visit) {
    wchar_t search[kMaxPath];
    if (JoinPath(search, folder, pattern) == nullptr) {
        return;
    }
    DeviceForEachEntry(search, visit);
}

} // namespace

int CompareRows(const FileEntry& a, const FileEntry& b, DWORD sortWord) {
    int order;
    if (a.IsFolder() != b.IsFolder()) {
        order = a.IsFolder() ? -1 : 1;
    } else {
        switch (sortWord & kSortKeyMask) {
        case kSortBySize:
            order = Sign(a.Size(), b.Size());
            break;
        case kSortByType: {
            const wchar_t* typeA = a.typeName ? a.typeName->c_str() : L"";
            const wchar_t* typeB = b.typeName ? b.typeName->c_str() : L"";
            order = Sign(wcscmp(typeA, typeB), 0);
            break;
        }
        case kSortByDate:
            order = Sign(TimeValue(a.lastWrite), TimeValue(b.lastWrite));
            break;
        default:
            // Unit by unit: wchar_t is unsigned here, as the units are.
            order = Sign(a.foldedName.compare(b.foldedName), 0);
            break;
        }
    }
    return (sortWord & kSortDescending) ? -order : order;
}

bool FileListModel::SetLocation(LocationCode location, const wchar_t* folder) {
    if (location == kPlainFolder) {
        if (!IsDirectory(folder) || (code == kPlainFolder && _wcsicmp(path, folder) == 0) ||
            wcslen(folder) >= kMaxPath) {
            return false;
        }
        StringCchCopyW(path, kMaxPath, folder);
    } else {
        if (location == code) {
            return false;
        }
        StringCchCopyW(path, kMaxPath, PlaceOf(location).path);
    }
    code = location;
    stale = true;
    return true;
}

bool FileListModel::SetFilter(const wchar_t* text) {
    if (filter == text) {
        return false;
    }
    filter = text;
    stale = true;
    return true;
}

LocationCode FileListModel::CurrentLocation(wchar_t* text) const {
    StringCchCopyW(text, kMaxPath, IsPlace(code) ? PlaceOf(code).Name() : path);
    return code;
}

LocationCode FileListModel::CurrentPath(wchar_t* text) const {
    StringCchCopyW(text, kMaxPath, path);
    return code;
}

bool FileListModel::Gather(HWND owner, bool force) {
    if (!force && !stale) {
        return false;
    }
    entries.clear();
    switch (code) {
    case kDesktop: {
        AddPlaceRow(kMyDocuments, kMyDocumentsRowImage);
        AddPlaceRow(kMyDevice, kMyDeviceRowImage);
        wchar_t desktop[kMaxPath];
        if (DeviceSpecialFolderPath(CSIDL_DESKTOPDIRECTORY, desktop)) {
            AddFolderContents(desktop);
        }
        break;
    }
    case kControlPanel:
        AddApplets(owner);
        break;
    case kDatabases:
        AddDatabases();
        break;
    case kFindResult:
    case kNoLocation:
        break; // nothing in this program fills the find result
    default:
        AddFolderContents(path);
        break;
    }
    stale = false;
    return true;
}

void FileListModel::SetSortKey(int key) {
    if (static_cast<DWORD>(key) == (sortWord & kSortKeyMask)) {
        sortWord ^= kSortDescending;
    } else {
        sortWord = (sortWord & ~(kSortKeyMask | kSortDescending)) | static_cast<DWORD>(key);
    }
}

void FileListModel::PrepareSort() {
    if ((sortWord & kSortKeyMask) != kSortByName) {
        return;
    }
    for (const auto& entry : entries) {
        entry->foldedName = FoldedName(entry->DisplayName());
    }
}

void FileListModel::AddFolderContents(const wchar_t* folder) {
    const FileFilter accepted(filter);
    ForEachEntry(folder, L"*.*", [&](const WIN32_FIND_DATAW& found) {
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (!isFolder && !accepted.Accepts(found.cFileName)) {
            return;
        }
        if (auto entry = MakeFoundEntry(folder, found)) {
            entries.push_back(std::move(entry));
        }
    });
}

std::unique_ptr<FileEntry> FileListModel::MakeFoundEntry(const wchar_t* folder,
                                                         const WIN32_FIND_DATAW& found) {
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    auto entry = std::make_unique<FileEntry>();
    // Always fits: a folder path and a name of less than kMaxPath characters each.
    const size_t folderLength = wcslen(folder);
    const bool separator = folderLength != 0 && folder[folderLength - 1] != L'\\';
    if (FAILED(StringCchCopyW(entry->path, FileEntry::kMaxEntryPath, folder)) ||
        FAILED(StringCchCatW(entry->path, FileEntry::kMaxEntryPath, separator ? L"\\" : L"")) ||
        FAILED(StringCchCatW(entry->path, FileEntry::kMaxEntryPath, found.cFileName))) {
        return nullptr;
    }
    entry->name = FileNamePart(entry->path);
    entry->kind = isFolder ? kPlainFolder : kPlainFile;
    entry->image = isFolder ? IconCache::kFolderImage : -1;
    entry->attributes = found.dwFileAttributes;
    entry->size = (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    entry->lastWrite = found.ftLastWriteTime;
    entry->typeName = typeNames.TypeNameOf(entry->DisplayName(), entry->attributes);
    return entry;
}

void FileListModel::AddPlaceRow(LocationCode place, int image) {
    auto entry = std::make_unique<FileEntry>();
    entry->kind = place;
    entry->image = image;
    StringCchCopyW(entry->path, ARRAYSIZE(entry->path), PlaceOf(place).path);
    entry->attributes = FILE_ATTRIBUTE_DIRECTORY;
    entry->typeName = LanguageText(L"System Folder", L"ｼｽﾃﾑ ﾌｫﾙﾀﾞ");
    entries.push_back(std::move(entry));
}

void FileListModel::AddApplets(HWND owner) {
    ForEachEntry(controlPanelFolder, L"*.cpl", [&](const WIN32_FIND_DATAW& found) {
        wchar_t library[kMaxPath];
        if (JoinPath(library, controlPanelFolder, found.cFileName) != nullptr) {
            AddAppletsOf(owner, library);
        }
    });
}

// Loads a Control Panel library and asks it for its applets as the shell does: initialise,
// count, then inquire and stop each applet, then exit.
void FileListModel::AddAppletsOf(HWND owner, const wchar_t* library) {
    const HMODULE module = LoadLibraryW(library);
    if (module == nullptr) {
        return;
    }
    const auto applet =
        reinterpret_cast<APPLET_PROC>(reinterpret_cast<void*>(GetProcAddress(module, "CPlApplet")));
    if (applet == nullptr) {
        FreeLibrary(module);
        return;
    }
    applet(owner, CPL_INIT, 0, 0);
    const int count = static_cast<int>(applet(owner, CPL_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        NEWCPLINFOW info = {};
        info.dwSize = sizeof info;
        applet(owner, CPL_NEWINQUIRE, index, reinterpret_cast<LPARAM>(&info));
        if (info.hIcon != nullptr) {
            auto entry = std::make_unique<AppletEntry>();
            entry->kind = kAppletRow;
            StringCchCopyW(entry->appletName, ARRAYSIZE(entry->appletName), info.szName);
            entry->image = icons.IconFor(entry->appletName, library, -static_cast<int>(info.lData),
                                         info.hIcon);
            DestroyIcon(info.hIcon);
            StringCchCopyW(entry->info, ARRAYSIZE(entry->info), info.szInfo);
            const std::wstring argument = std::wstring(library) + L"," + std::to_wstring(index);
            StringCchCopyW(entry->launchArgument, ARRAYSIZE(entry->launchArgument),
                           argument.c_str());
            StringCchCopyW(entry->path, ARRAYSIZE(entry->path), library);
            entries.push_back(std::move(entry));
        }
        applet(owner, CPL_STOP, index, info.lData);
    }
    applet(owner, CPL_EXIT, 0, 0);
    FreeLibrary(module);
}

void FileListModel::AddDatabases() {
    for (const DeviceObjectInfo& object : EnumerateDeviceDatabases()) {
        if (!object.isDatabase || (!object.name.empty() && object.name[0] == L'\\')) {
            continue;
        }
        auto entry = std::make_unique<DatabaseEntry>();
        entry->kind = kDatabaseRow;
        entry->image = kDatabaseImage;
        StringCchCopyW(entry->databaseName, ARRAYSIZE(entry->databaseName), object.name.c_str());
        entry->size = object.size;
        entry->lastWrite = object.lastModified;
        entry->objectId = object.objectId;
        entries.push_back(std::move(entry));
    }
}
