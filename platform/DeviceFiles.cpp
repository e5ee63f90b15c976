#include "DeviceFiles.h"

#include <shlobj.h>
#include <strsafe.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <memory>

namespace {

const std::vector<DeviceRootFolder>* testRootFolders = nullptr;
const std::vector<std::wstring>* testRomFiles = nullptr;

struct WriteFault {
    std::wstring folder; // with its trailing "\"
    DWORD error = 0;
    int successes = 0;
};
std::unique_ptr<WriteFault> writeFault;

// True, with the fault's error set, when a write into `target` is to fail.
bool Faulted(const wchar_t* target) {
    if (writeFault == nullptr ||
        _wcsnicmp(target, writeFault->folder.c_str(), writeFault->folder.size()) != 0) {
        return false;
    }
    if (writeFault->successes > 0) {
        --writeFault->successes;
        return false;
    }
    SetLastError(writeFault->error);
    return true;
}

constexpr wchar_t kRootPattern[] = L"\\*.*";

// A search as handed out: the host's, or a listing of the test's root folders. Both know
// the searched folder, so that ROM files can be marked.
struct Search {
    HANDLE host = INVALID_HANDLE_VALUE;
    size_t nextRootFolder = 0;
    std::wstring folder; // with its trailing "\"
};
std::vector<std::unique_ptr<Search>> openSearches;

auto FindSearch(HANDLE find) {
    return std::find_if(openSearches.begin(), openSearches.end(),
                        [find](const std::unique_ptr<Search>& open) { return open.get() == find; });
}

bool IsRomFile(const std::wstring& path) {
    if (testRomFiles == nullptr) {
        return false;
    }
    return std::any_of(testRomFiles->begin(), testRomFiles->end(), [&](const std::wstring& rom) {
        return _wcsicmp(rom.c_str(), path.c_str()) == 0;
    });
}

bool IsDotEntry(const wchar_t* name) {
    return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0;
}

bool NextRootFolder(Search& search, WIN32_FIND_DATAW* data) {
    if (testRootFolders == nullptr || search.nextRootFolder >= testRootFolders->size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return false;
    }
    const DeviceRootFolder& folder = (*testRootFolders)[search.nextRootFolder++];
    *data = {};
    data->dwFileAttributes = folder.attributes;
    StringCchCopyW(data->cFileName, MAX_PATH, folder.name.c_str());
    return true;
}

// The next entry of the search as the device reports it, "." and ".." passed over.
bool NextEntry(Search& search, WIN32_FIND_DATAW* data, bool first) {
    if (search.host == INVALID_HANDLE_VALUE) {
        return NextRootFolder(search, data);
    }
    bool found = first || FindNextFileW(search.host, data);
    while (found && IsDotEntry(data->cFileName)) {
        found = FindNextFileW(search.host, data);
    }
    if (found && testRomFiles != nullptr && IsRomFile(search.folder + data->cFileName)) {
        data->dwFileAttributes |= FILE_ATTRIBUTE_INROM;
    }
    return found;
}

void SetLarge(ULARGE_INTEGER* out, ULONGLONG value) {
    if (out != nullptr) {
        out->QuadPart = value;
    }
}

} // namespace

HANDLE DeviceFindFirstFile(const wchar_t* pattern, WIN32_FIND_DATAW* data) {
    auto search = std::make_unique<Search>();
    const wchar_t* separator = wcsrchr(pattern, L'\\');
    search->folder.assign(pattern, separator != nullptr ? separator + 1 : pattern);
    bool found;
    if (testRootFolders != nullptr && wcscmp(pattern, kRootPattern) == 0) {
        found = NextRootFolder(*search, data);
    } else {
        search->host = FindFirstFileW(pattern, data);
        found = search->host != INVALID_HANDLE_VALUE && NextEntry(*search, data, true);
    }
    if (!found) {
        const DWORD error = GetLastError();
        if (search->host != INVALID_HANDLE_VALUE) {
            FindClose(search->host);
        }
        SetLastError(error == ERROR_NO_MORE_FILES ? ERROR_FILE_NOT_FOUND : error);
        return INVALID_HANDLE_VALUE;
    }
    openSearches.push_back(std::move(search));
    return openSearches.back().get();
}

BOOL DeviceFindNextFile(HANDLE find, WIN32_FIND_DATAW* data) {
    const auto search = FindSearch(find);
    if (search == openSearches.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return NextEntry(**search, data, false);
}

BOOL DeviceFindClose(HANDLE find) {
    const auto search = FindSearch(find);
    if (search == openSearches.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if ((*search)->host != INVALID_HANDLE_VALUE) {
        FindClose((*search)->host);
    }
    openSearches.erase(search);
    return TRUE;
}

DWORD DeviceGetFileAttributes(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && IsRomFile(path)) {
        return attributes | FILE_ATTRIBUTE_INROM;
    }
    return attributes;
}

BOOL DeviceGetDiskFreeSpaceEx(const wchar_t* path, ULARGE_INTEGER* available, ULARGE_INTEGER* total,
                              ULARGE_INTEGER* free) {
    if (testRootFolders != nullptr && path[0] == L'\\') {
        for (const DeviceRootFolder& folder : *testRootFolders) {
            if (folder.name == path + 1) {
                if (!folder.spaceReadable) {
                    SetLastError(ERROR_NOT_READY);
                    return FALSE;
                }
                SetLarge(available, folder.free);
                SetLarge(total, folder.total);
                SetLarge(free, folder.free);
                return TRUE;
            }
        }
    }
    return GetDiskFreeSpaceExW(path, available, total, free);
}

BOOL DeviceCopyFile(const wchar_t* source, const wchar_t* target, BOOL failIfExists) {
    return !Faulted(target) && CopyFileW(source, target, failIfExists);
}

BOOL DeviceMoveFileEx(const wchar_t* source, const wchar_t* target, DWORD flags) {
    return !Faulted(target) && MoveFileExW(source, target, flags);
}

DWORD DeviceModuleFileName(HMODULE module, wchar_t* path, DWORD size) {
    DWORD length = GetModuleFileNameW(module, path, size);
    if (length == 0 || length >= size) {
        return 0;
    }
    wchar_t current[MAX_PATH];
    if (path[1] == L':' && GetCurrentDirectoryW(MAX_PATH, current) != 0 &&
        towupper(current[0]) == towupper(path[0]) && current[1] == L':') {
        wmemmove(path, path + 2, length - 1);
        length -= 2;
    }
    return length;
}

BOOL DeviceSpecialFolderPath(int folder, wchar_t* path) {
    switch (folder) {
    case CSIDL_DESKTOPDIRECTORY:
        StringCchCopyW(path, MAX_PATH, L"\\Windows\\Desktop");
        return TRUE;
    case CSIDL_PERSONAL:
        StringCchCopyW(path, MAX_PATH, L"\\My Documents");
        return TRUE;
    default:
        path[0] = L'\0';
        return FALSE;
    }
}

void SetRootFoldersForTesting(const std::vector<DeviceRootFolder>* folders) {
    testRootFolders = folders;
}

void SetWriteFaultForTesting(const wchar_t* folder, DWORD error, int successes) {
    if (folder == nullptr) {
        writeFault.reset();
        return;
    }
    writeFault = std::make_unique<WriteFault>();
    writeFault->folder = folder;
    if (writeFault->folder.empty() || writeFault->folder.back() != L'\\') {
        writeFault->folder += L'\\';
    }
    writeFault->error = error;
    writeFault->successes = successes;
}

void SetRomFilesForTesting(const std::vector<std::wstring>* paths) {
    testRomFiles = paths;
}
