#include "DeviceFiles.h"

#include "DeviceFileFaults.h"

#include <shlobj.h>
#include <strsafe.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <memory>
#include <mutex>

namespace {

const std::vector<DeviceRootFolder>* testRootFolders = nullptr;
const std::vector<std::wstring>* testRomFiles = nullptr;

bool IsRomFile(const std::wstring& path) {
    if (testRomFiles == nullptr) {
        return false;
    }
    return std::any_of(testRomFiles->begin(), testRomFiles->end(), [&](const std::wstring& rom) {
        return _wcsicmp(rom.c_str(), path.c_str()) == 0;
    });
}

// True, with ERROR_ACCESS_DENIED set, when the file lies in ROM, where nothing changes it.
bool InRom(const wchar_t* path) {
    if (testRomFiles == nullptr || !IsRomFile(path)) {
        return false;
    }
    SetLastError(ERROR_ACCESS_DENIED);
    return true;
}

// The path at which the host found the file or folder open as `file`, as a full path
// without the "\\?\" prefix; empty when the host cannot tell.
std::wstring HostPathOf(HANDLE file) {
    std::vector<wchar_t> buffer(2 * MAX_PATH);
    DWORD length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    if (length == 0 || length >= buffer.size()) {
        return {};
    }
    std::wstring path(buffer.data(), length);
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) {
        return L"\\" + path.substr(7);
    }
    if (path.compare(0, 4, L"\\\\?\\") == 0) {
        return path.substr(4);
    }
    return path;
}

HANDLE OpenItself(const wchar_t* path, DWORD access) {
    return CreateFileW(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Where the host finds a folder, remembered for the last folder asked: the entries of one
// folder are changed one after another. Forgotten whenever a folder may have changed.
class ResolvedFolders {
public:
    std::wstring Of(const std::wstring& folder) {
        std::lock_guard<std::mutex> lock(mutex);
        if (_wcsicmp(folder.c_str(), lastFolder.c_str()) != 0) {
            const HANDLE handle = OpenItself(folder.c_str(), FILE_READ_ATTRIBUTES);
            if (handle == INVALID_HANDLE_VALUE) {
                return {};
            }
            lastFolder = folder;
            lastResolved = HostPathOf(handle);
            CloseHandle(handle);
        }
        return lastResolved;
    }
    void Forget() {
        std::lock_guard<std::mutex> lock(mutex);
        lastFolder.clear();
    }

private:
    std::mutex mutex;
    std::wstring lastFolder;
    std::wstring lastResolved;
};
ResolvedFolders resolvedFolders;

// True when the host reached the item open as `file` somewhere else than `path` says: the
// item is a link to a file or folder elsewhere. Its folder may itself lie behind a link
// the user went through; only the last step counts.
bool IsHostLink(HANDLE file, const wchar_t* path) {
    const std::wstring reached = HostPathOf(file);
    wchar_t full[2 * MAX_PATH];
    wchar_t* name = nullptr;
    const DWORD length = GetFullPathNameW(path, 2 * MAX_PATH, full, &name);
    if (reached.empty() || length == 0 || length >= 2 * MAX_PATH || name == nullptr) {
        return false; // the host cannot tell; nothing to compare
    }
    std::wstring folder(full, name);
    if (folder.size() > 1 && folder.back() == L'\\' && folder[folder.size() - 2] != L':') {
        folder.pop_back();
    }
    std::wstring expected = resolvedFolders.Of(folder);
    if (expected.empty()) {
        expected = folder;
    }
    if (expected.back() != L'\\') {
        expected += L'\\';
    }
    expected += name;
    return _wcsicmp(expected.c_str(), reached.c_str()) != 0;
}

// True, with ERROR_REPARSE_POINT_ENCOUNTERED set, when `path` is a host link; the host's
// own calls would then change what it points to.
bool RefusedAsLink(const wchar_t* path) {
    const HANDLE handle = OpenItself(path, FILE_READ_ATTRIBUTES);
    if (handle == INVALID_HANDLE_VALUE) {
        return false; // the call itself will say why the item cannot be had
    }
    const bool link = IsHostLink(handle, path);
    CloseHandle(handle);
    if (link) {
        SetLastError(ERROR_REPARSE_POINT_ENCOUNTERED);
    }
    return link;
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
    if (FileCallFaultInjected()) {
        return INVALID_HANDLE_VALUE;
    }
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
    return !FileCallFaultInjected() && NextEntry(**search, data, false);
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
    if (FileCallFaultInjected()) {
        return INVALID_FILE_ATTRIBUTES;
    }
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

BOOL DeviceSetFileAttributes(const wchar_t* path, DWORD attributes) {
    return !FileCallFaultInjected() && !InRom(path) && !RefusedAsLink(path) &&
           SetFileAttributesW(path, attributes);
}

BOOL DeviceCreateDirectory(const wchar_t* path) {
    return !FileCallFaultInjected() && CreateDirectoryW(path, nullptr);
}

BOOL DeviceRemoveDirectory(const wchar_t* path) {
    if (FileCallFaultInjected() || RefusedAsLink(path)) {
        return FALSE;
    }
    resolvedFolders.Forget();
    return RemoveDirectoryW(path);
}

// One open serves both the link check and the delete: the delete is the common case of a
// large operation.
BOOL DeviceDeleteFile(const wchar_t* path) {
    if (FileCallFaultInjected() || InRom(path)) {
        return FALSE;
    }
    const HANDLE file = CreateFileW(path, DELETE | FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    BOOL deleted = FALSE;
    if (IsHostLink(file, path)) {
        SetLastError(ERROR_REPARSE_POINT_ENCOUNTERED);
    } else {
        FILE_DISPOSITION_INFO disposition = {TRUE};
        deleted =
            SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
    }
    const DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return deleted;
}

BOOL DeviceMoveFile(const wchar_t* source, const wchar_t* target, bool replaceExisting) {
    if (FileCallFaultInjected() || InRom(source) || (replaceExisting && InRom(target)) ||
        RefusedAsLink(source) || WriteFaultInjected(target, source)) {
        return FALSE;
    }
    resolvedFolders.Forget();
    return MoveFileExW(source, target, replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0);
}

BOOL DeviceRenameNewFile(const wchar_t* source, const wchar_t* target, bool replaceExisting,
                         bool writeThrough) {
    if (FileCallFaultInjected() || (replaceExisting && InRom(target))) {
        return FALSE;
    }
    return MoveFileExW(source, target,
                       (replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0) |
                           (writeThrough ? MOVEFILE_WRITE_THROUGH : 0));
}

HANDLE DeviceCreateFile(const wchar_t* path, DWORD access, DWORD sharing, DWORD disposition,
                        DWORD attributes) {
    const bool writes = (access & (GENERIC_WRITE | FILE_WRITE_DATA)) != 0;
    const bool makes =
        disposition == CREATE_NEW || disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS;
    if (FileCallFaultInjected() || (writes && InRom(path)) || (makes && WriteFaultInjected(path))) {
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileW(path, access, sharing, nullptr, disposition, attributes, nullptr);
}

HANDLE DeviceOpenFileItself(const wchar_t* path) {
    if (FileCallFaultInjected()) {
        return INVALID_HANDLE_VALUE;
    }
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file != INVALID_HANDLE_VALUE && IsHostLink(file, path)) {
        CloseHandle(file);
        SetLastError(ERROR_REPARSE_POINT_ENCOUNTERED);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

BOOL DeviceReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read) {
    *read = 0;
    return !FileCallFaultInjected() && ReadFile(file, buffer, size, read, nullptr);
}

BOOL DeviceWriteFile(HANDLE file, const void* buffer, DWORD size, DWORD* written) {
    *written = 0;
    if (FileCallFaultInjected()) {
        // A write that fails part-way, as on a full card: half of it is on the disk.
        const DWORD error = GetLastError();
        WriteFile(file, buffer, size / 2, written, nullptr);
        SetLastError(error);
        return FALSE;
    }
    return WriteFile(file, buffer, size, written, nullptr);
}

BOOL DeviceSetLastWriteTime(HANDLE file, const FILETIME& time) {
    return !FileCallFaultInjected() && SetFileTime(file, nullptr, nullptr, &time);
}

BOOL DeviceFlushFileBuffers(HANDLE file) {
    return !FileCallFaultInjected() && FlushFileBuffers(file);
}

BOOL DeviceCloseFile(HANDLE file) {
    // A close that fails has closed the handle all the same, as the platform's does.
    const bool faulted = FileCallFaultInjected();
    const DWORD error = GetLastError();
    const BOOL closed = CloseHandle(file);
    if (faulted) {
        SetLastError(error);
        return FALSE;
    }
    return closed;
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

void SetRomFilesForTesting(const std::vector<std::wstring>* paths) {
    testRomFiles = paths;
}
