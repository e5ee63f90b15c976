#include "FileReporting.h"

#include "framework/app/Application.h"
#include "framework/app/MessageBoxes.h"
#include "framework/app/PathReporting.h"
#include "framework/app/Paths.h"
#include "platform/DeviceFiles.h"

#include <strsafe.h>

#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

// Copies go through a buffer of this size at most: large enough that the host's calls
// cost nothing beside the data, small enough to check Cancel several times a second.
constexpr DWORD kCopyBlock = 1024 * 1024;
// The attributes a copy takes from its source.
constexpr DWORD kCopiedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                    FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

// The error a reporting call leaves behind when it left its item as it is, on purpose and
// said why: an error code of the program's own (bit 29).
constexpr DWORD kErrorLeftAsItIs = 0x20000001;

// The report of a call that met a link: whatever the call, the link was left alone.
bool ReportedAsLink(HWND owner, const wchar_t* path, DWORD error) {
    if (error != ERROR_REPARSE_POINT_ENCOUNTERED) {
        return false;
    }
    ReportLink(owner, path);
    SetLastError(kErrorLeftAsItIs);
    return true;
}

bool ReportCreateFolder(HWND owner, const wchar_t* path, DWORD error) {
    if (ReportedAsLink(owner, path, error)) {
        return false;
    }
    switch (error) {
    case ERROR_PATH_NOT_FOUND:
        ShowError(owner,
                  LanguageText(L"Can't find the path specified. '%s'",
                               L"ﾃﾞｨﾚｸﾄﾘﾊﾟｽ '%s'が見つかりません。"),
                  path);
        break;
    case ERROR_DISK_FULL:
        ShowError(owner, LanguageText(L"There is not enough space on the disk.",
                                      L"ﾃﾞｨｽｸに十分な空き領域がありません。"));
        break;
    default:
        ShowError(owner, L"Error CreateDirectory %d", static_cast<int>(error));
        break;
    }
    return false;
}

bool ReportCopy(HWND owner, const wchar_t* source, DWORD error) {
    if (error == ERROR_CANCELLED || ReportedAsLink(owner, source, error)) {
        return false; // the user asked for the stop
    }
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        ShowError(owner, LanguageText(L"File not found", L"ﾌｧｲﾙが見つかりません"));
        break;
    case ERROR_CRC:
        ShowError(owner, LanguageText(L"CRC ERROR %s", L"CRCｴﾗｰ %s"), source);
        break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        ShowError(owner, LanguageText(L"%s is in use", L"%s は使用中です"), source);
        break;
    case ERROR_INVALID_PARAMETER:
        ShowError(owner, LanguageText(L"Invalid parameter", L"ﾌｧｲﾙが壊れているかもしれません"));
        break;
    case ERROR_DISK_FULL:
        ShowError(owner, LanguageText(L"The disk is full", L"ﾃﾞｨｽｸがいっぱいです"));
        break;
    case ERROR_SWAPERROR:
        ShowError(owner, LanguageText(L"SWAP ERROR %s", L"ｽﾜｯﾌﾟｴﾗｰ %s"), source);
        break;
    default:
        ShowError(owner, L"Error CopyFile %d", static_cast<int>(error));
        break;
    }
    return false;
}

bool ReportMove(HWND owner, const wchar_t* source, DWORD error) {
    if (ReportedAsLink(owner, source, error)) {
        return false;
    }
    switch (error) {
    case ERROR_SHARING_VIOLATION:
        ShowError(owner, LanguageText(L"%s is in use", L"%s は使用中です"), source);
        break;
    case ERROR_DISK_FULL:
        ShowError(owner,
                  LanguageText(L"There is not enough space on the disk", L"ﾃﾞｨｽｸがいっぱいです"));
        break;
    default:
        ShowError(owner, L"Error Move file %d", static_cast<int>(error));
        break;
    }
    return false;
}

// Deletes a file this program made and no one else has seen; its own read-only flag goes
// first. Its error, if any, gives way to the one that made it go.
void DiscardFile(const wchar_t* path, DWORD attributes) {
    const DWORD error = GetLastError();
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        DeviceSetFileAttributes(path, FILE_ATTRIBUTE_NORMAL);
    }
    DeviceDeleteFile(path);
    SetLastError(error);
}

// Copies the bytes of an open source into an open target, checking `cancel` before each
// block; false with the last error set (ERROR_CANCELLED for a cancel).
bool CopyBytes(HANDLE source, HANDLE target, const std::atomic<bool>* cancel) {
    LARGE_INTEGER size = {};
    GetFileSizeEx(source, &size);
    std::vector<char> buffer(
        static_cast<size_t>(std::clamp<LONGLONG>(size.QuadPart, 1, kCopyBlock)));
    for (;;) {
        if (cancel != nullptr && *cancel) {
            SetLastError(ERROR_CANCELLED);
            return false;
        }
        DWORD read = 0;
        if (!DeviceReadFile(source, buffer.data(), static_cast<DWORD>(buffer.size()), &read)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        DWORD written = 0;
        if (!DeviceWriteFile(target, buffer.data(), read, &written)) {
            return false;
        }
        if (written != read) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
    }
}

// A file being written takes its final name only once complete. Until then it lies beside
// it under a name that says what it is; one that a run cut short left behind (the process
// killed, the power gone) is removed by the next copy into its folder.
constexpr wchar_t kPartialName[] = L"~mensurio-partial-0000.tmp";
constexpr wchar_t kPartialPattern[] = L"~mensurio-partial-*.tmp";
// The number's place: the four characters before ".tmp".
constexpr size_t kPartialNumberFromEnd = 8;

// Removes the partial files of earlier runs from a folder, once each time the copies move
// into another folder: this program writes no other file of that name, and a partial file
// of its own that fails is discarded at once.
void RemoveLeftovers(const wchar_t* folder) {
    thread_local std::wstring cleaned;
    if (_wcsicmp(cleaned.c_str(), folder) == 0) {
        return;
    }
    cleaned = folder;
    wchar_t pattern[kMaxPath];
    if (JoinPath(pattern, folder, kPartialPattern) == nullptr) {
        return;
    }
    DeviceForEachEntry(pattern, [&](const WIN32_FIND_DATAW& found) {
        wchar_t leftover[kMaxPath];
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            JoinPath(leftover, folder, found.cFileName) != nullptr) {
            DeviceSetFileAttributes(leftover, FILE_ATTRIBUTE_NORMAL);
            DeviceDeleteFile(leftover);
        }
    });
}

// Makes the file a copy goes into, beside `target` (`partial`, whose number changes until
// the name is free); its attributes are those the copy keeps.
HANDLE CreatePartialFile(HWND owner, const wchar_t* target, DWORD attributes, wchar_t* partial) {
    static std::atomic<unsigned> partials{0};
    wchar_t folder[kMaxPath];
    wchar_t name[kMaxPath];
    SplitPath(folder, name, target);
    if (!JoinPathReporting(owner, partial, folder, kPartialName)) {
        SetLastError(ERROR_CANCELLED); // said already
        return INVALID_HANDLE_VALUE;
    }
    RemoveLeftovers(folder);
    const DWORD flags =
        (attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL) | FILE_FLAG_SEQUENTIAL_SCAN;
    wchar_t* number = partial + wcslen(partial) - kPartialNumberFromEnd;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 16; ++attempt) {
        swprintf(number, kPartialNumberFromEnd + 1, L"%04x.tmp", partials++ & 0xffff);
        file = DeviceCreateFile(partial, GENERIC_WRITE, 0, CREATE_NEW, flags);
        if (file != INVALID_HANDLE_VALUE ||
            (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)) {
            break;
        }
    }
    return file;
}

// Gives the complete copy `partial` the target's name in one step: a new name, or in the
// place of an existing target, which then goes; with `writeThrough`, on the disk before it
// returns. A read-only target gets its flag back when it stays.
bool PutInPlace(const wchar_t* partial, const wchar_t* target, bool writeThrough) {
    if (DeviceRenameNewFile(partial, target, false, writeThrough)) {
        return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) {
        return false;
    }
    const DWORD existing = DeviceGetFileAttributes(target);
    const bool readOnly =
        existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY) != 0;
    if ((readOnly && !DeviceSetFileAttributes(target, existing & ~FILE_ATTRIBUTE_READONLY)) ||
        !DeviceRenameNewFile(partial, target, true, writeThrough)) {
        const DWORD error = GetLastError();
        if (readOnly) {
            DeviceSetFileAttributes(target, existing);
        }
        SetLastError(error);
        return false;
    }
    return true;
}

// Copies `source` to `target`, through a partial file beside the target that takes its
// name only once complete (with `flush`, as when the source goes next, the data and then
// the name are on the disk before it returns). When anything fails the target is as it was, the
// partial file is gone, and the failure is reported (a Cancel is not).
bool CopyInto(HWND owner, const wchar_t* source, DWORD attributes, const wchar_t* target,
              const std::atomic<bool>* cancel, bool flush) {
    const HANDLE input = DeviceOpenFileItself(source);
    if (input == INVALID_HANDLE_VALUE) {
        return ReportCopy(owner, source, GetLastError());
    }
    FILETIME lastWrite = {};
    GetFileTime(input, nullptr, nullptr, &lastWrite);
    const DWORD kept = attributes & kCopiedAttributes;
    wchar_t partial[kMaxPath];
    const HANDLE output = CreatePartialFile(owner, target, kept, partial);
    bool copied = output != INVALID_HANDLE_VALUE && CopyBytes(input, output, cancel) &&
                  DeviceSetLastWriteTime(output, lastWrite) &&
                  (!flush || DeviceFlushFileBuffers(output));
    DWORD error = GetLastError();
    CloseHandle(input);
    if (output == INVALID_HANDLE_VALUE) {
        return ReportCopy(owner, source, error);
    }
    // A write that has not reached the disk may fail only at the close.
    if (!DeviceCloseFile(output) && copied) {
        copied = false;
        error = GetLastError();
    }
    SetLastError(error);
    if (!copied || !PutInPlace(partial, target, flush)) {
        const DWORD failure = GetLastError();
        DiscardFile(partial, kept);
        return ReportCopy(owner, source, failure);
    }
    return true;
}

} // namespace

bool CreateFolderReporting(HWND owner, const wchar_t* path) {
    return DeviceCreateDirectory(path) || ReportCreateFolder(owner, path, GetLastError());
}

bool MakeFolderPath(HWND owner, const wchar_t* path) {
    // Whatever of the path exists must be a folder: a file of one of the names is reported
    // as the folder's creation would meet it.
    const auto folderOrMissing = [owner](const wchar_t* part, bool& exists) {
        const DWORD attributes = DeviceGetFileAttributes(part);
        exists = attributes != INVALID_FILE_ATTRIBUTES;
        if (!exists && !IsNotFound(GetLastError())) {
            return ReportCreateFolder(owner, part, GetLastError());
        }
        return !exists || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
               ReportCreateFolder(owner, part, ERROR_ALREADY_EXISTS);
    };
    bool exists = false;
    if (!folderOrMissing(path, exists)) {
        return false;
    }
    if (exists) {
        return true;
    }
    wchar_t prefix[kMaxPath];
    if (FAILED(StringCchCopyW(prefix, kMaxPath, path))) {
        return ReportCreateFolder(owner, path, ERROR_FILENAME_EXCED_RANGE);
    }
    // A server name after "\\" is not checked; nor is whatever comes before the first "\"
    // of any other path (nothing, for an absolute path).
    wchar_t* separator = prefix;
    if (prefix[0] == L'\\' && prefix[1] == L'\\') {
        separator = wcschr(prefix + 2, L'\\');
    } else {
        separator = wcschr(prefix, L'\\');
    }
    if (separator == nullptr) {
        return ReportCreateFolder(owner, path, ERROR_PATH_NOT_FOUND);
    }
    for (separator = wcschr(separator + 1, L'\\'); separator != nullptr;
         separator = wcschr(separator + 1, L'\\')) {
        *separator = L'\0';
        if (!folderOrMissing(prefix, exists) ||
            (!exists && !CreateFolderReporting(owner, prefix))) {
            return false;
        }
        *separator = L'\\';
    }
    return CreateFolderReporting(owner, path);
}

bool RemoveFolderReporting(HWND owner, const wchar_t* path) {
    DeviceSetFileAttributes(path, FILE_ATTRIBUTE_NORMAL);
    if (DeviceRemoveDirectory(path)) {
        return true;
    }
    const DWORD error = GetLastError();
    if (ReportedAsLink(owner, path, error)) {
        return false;
    }
    if (error == ERROR_DIR_NOT_EMPTY) {
        ShowError(owner, LanguageText(L"Folder not empty", L"ﾌｫﾙﾀﾞが空でありません"));
    } else {
        ShowError(owner, L"Error RemoveDirectory %d", static_cast<int>(error));
    }
    return false;
}

bool DeleteFileReporting(HWND owner, const wchar_t* path) {
    return DeleteFileReporting(owner, path, DeviceGetFileAttributes(path));
}

bool DeleteFileReporting(HWND owner, const wchar_t* path, DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return true; // gone already
    }
    if (attributes & FILE_ATTRIBUTE_INROM) {
        ShowError(owner,
                  LanguageText(L"'%s' is in ROM and cannot be deleted.",
                               L"'%s' はROMにあるため削除できません。"),
                  path);
        SetLastError(kErrorLeftAsItIs);
        return false;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        DeviceSetFileAttributes(path, FILE_ATTRIBUTE_NORMAL);
    }
    if (DeviceDeleteFile(path)) {
        return true;
    }
    const DWORD error = GetLastError();
    if (ReportedAsLink(owner, path, error)) {
        return false;
    }
    if (error == ERROR_ACCESS_DENIED) {
        ShowError(owner, LanguageText(L"Access denied", L"ﾌｧｲﾙにｱｸｾｽできません"));
    } else {
        ShowError(owner, L"Error DeleteFile %d", static_cast<int>(error));
    }
    return false;
}

bool CopyFileReporting(HWND owner, const wchar_t* source, const wchar_t* target,
                       const std::atomic<bool>* cancel) {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    return ReadAttributesReporting(owner, source, attributes) &&
           CopyFileReporting(owner, source, attributes, target, cancel);
}

bool CopyFileReporting(HWND owner, const wchar_t* source, DWORD attributes, const wchar_t* target,
                       const std::atomic<bool>* cancel) {
    // A source that is gone is passed over; one in ROM is read like any other.
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    return CopyInto(owner, source, attributes, target, cancel, false);
}

bool MoveFileReporting(HWND owner, const wchar_t* source, const wchar_t* target,
                       bool replaceExisting, const std::atomic<bool>* cancel) {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    if (!ReadAttributesReporting(owner, source, attributes)) {
        return false;
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return true; // a source that is gone is passed over
    }
    DWORD existing = INVALID_FILE_ATTRIBUTES;
    if (replaceExisting) {
        existing = DeviceGetFileAttributes(target);
    }
    const bool readOnly =
        existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly && !DeviceSetFileAttributes(target, existing & ~FILE_ATTRIBUTE_READONLY)) {
        return ReportMove(owner, source, GetLastError());
    }
    if (DeviceMoveFile(source, target, replaceExisting)) {
        return true;
    }
    const DWORD error = GetLastError();
    if (readOnly) {
        DeviceSetFileAttributes(target, existing);
    }
    if (error == ERROR_NOT_SAME_DEVICE && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        // Another volume: a copy that replaces only once complete, then the source goes.
        if (!replaceExisting && DeviceGetFileAttributes(target) != INVALID_FILE_ATTRIBUTES) {
            return ReportMove(owner, source, ERROR_ALREADY_EXISTS);
        }
        // The source goes only once the copy is on the disk, whole and closed.
        return CopyInto(owner, source, attributes, target, cancel, true) &&
               DeleteFileReporting(owner, source, attributes);
    }
    return ReportMove(owner, source, error);
}

namespace {

// out (kMaxPath characters) = the path at which the system finds `path`, its name spelt as
// the folder holds it; false when nothing is there.
bool PathOnDisk(const wchar_t* path, wchar_t* out) {
    WIN32_FIND_DATAW found;
    const HANDLE find = DeviceFindFirstFile(path, &found);
    if (find == INVALID_HANDLE_VALUE) {
        return false;
    }
    DeviceFindClose(find);
    wchar_t folder[kMaxPath];
    wchar_t name[kMaxPath];
    return SplitPath(folder, name, path) && JoinPath(out, folder, found.cFileName) != nullptr;
}

// Renames an item to a spelling of its own name: first to a free name of the program's in
// its folder (`between`), then to `target`. When the second step fails the item gets its
// name back; should that fail too, it stays under `between`, which is then the name it has
// (true), else `between` is emptied.
bool RespellReporting(HWND owner, const wchar_t* path, const wchar_t* target, wchar_t* between) {
    wchar_t folder[kMaxPath];
    wchar_t name[kMaxPath];
    SplitPath(folder, name, path);
    for (unsigned number = 0;; ++number) {
        wchar_t spare[32];
        StringCchPrintfW(spare, ARRAYSIZE(spare), L"~mensurio-renaming-%u", number);
        if (!JoinPathReporting(owner, between, folder, spare)) {
            return false;
        }
        if (!PathExists(between)) {
            break;
        }
    }
    if (!MoveFileReporting(owner, path, between)) {
        return false;
    }
    if (!MoveFileReporting(owner, between, target)) {
        return !DeviceMoveFile(between, path, false);
    }
    between[0] = L'\0';
    return true;
}

} // namespace

bool RenameReporting(HWND owner, const wchar_t* path, const wchar_t* target, wchar_t* onDisk) {
    wchar_t existing[kMaxPath];
    wchar_t between[kMaxPath] = {};
    bool renamed = false;
    if (!PathOnDisk(target, existing)) {
        renamed = MoveFileReporting(owner, path, target);
    } else if (_wcsicmp(existing, path) != 0) {
        wchar_t folder[kMaxPath];
        wchar_t name[kMaxPath];
        SplitPath(folder, name, existing);
        ShowError(owner,
                  LanguageText(L"'%s' is already taken in this folder: choose another name.",
                               L"このﾌｫﾙﾀﾞには既に '%s' があります。別の名前にしてください。"),
                  name);
    } else {
        // The item itself: only the spelling changes, if anything.
        renamed = wcscmp(existing, target) == 0 || RespellReporting(owner, path, target, between);
    }
    const wchar_t* reached = between[0] != L'\0' ? between : target;
    if (renamed && !PathOnDisk(reached, onDisk)) {
        StringCchCopyW(onDisk, kMaxPath, reached);
    }
    return renamed;
}

bool SetAttributesReporting(HWND owner, const wchar_t* path, DWORD attributes) {
    if (DeviceSetFileAttributes(path, attributes)) {
        return true;
    }
    const DWORD error = GetLastError();
    if (!ReportedAsLink(owner, path, error)) {
        ShowError(owner, L"Error SetFileAttribute %d", static_cast<int>(error));
    }
    return false;
}

bool ReadAttributesReporting(HWND owner, const wchar_t* path, DWORD& attributes) {
    attributes = DeviceGetFileAttributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES || IsNotFound(GetLastError())) {
        return true;
    }
    ShowError(owner, L"Error GetFileAttributes %d", static_cast<int>(GetLastError()));
    return false;
}

bool IsNotFound(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool LeftAsItIs() {
    return GetLastError() == kErrorLeftAsItIs;
}

void ReportLink(HWND owner, const wchar_t* path) {
    ShowError(owner,
              LanguageText(L"'%s' is a link to another place and was left as it is.",
                           L"'%s' は別の場所へのﾘﾝｸなので、そのままにしました。"),
              path);
}
