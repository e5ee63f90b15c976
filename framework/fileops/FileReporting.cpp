#include "FileReporting.h"

#include "framework/app/Application.h"
#include "framework/app/MessageBoxes.h"
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

// The path of a new file in the target's folder: "~mn0000.tmp", whose number CopyInto
// changes until the name is free. False, reported, when it does not fit.
bool NewFileBeside(HWND owner, wchar_t* out, const wchar_t* target) {
    wchar_t folder[kMaxPath];
    wchar_t name[kMaxPath];
    SplitPath(folder, name, target);
    return JoinPathReporting(owner, out, folder, L"~mn0000.tmp");
}

// Makes the file the copy goes into: `target` itself when it does not exist yet, else a new
// file beside it (`spare`), which takes its place only once complete.
HANDLE CreateCopyFile(HWND owner, const wchar_t* target, DWORD attributes, wchar_t* spare,
                      bool& replacing) {
    static std::atomic<unsigned> spares{0};
    const DWORD flags =
        (attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL) | FILE_FLAG_SEQUENTIAL_SCAN;
    const auto taken = [] {
        return GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS;
    };
    replacing = false;
    HANDLE file = DeviceCreateFile(target, GENERIC_WRITE, 0, CREATE_NEW, flags);
    if (file != INVALID_HANDLE_VALUE || !taken()) {
        return file;
    }
    replacing = true;
    if (!NewFileBeside(owner, spare, target)) {
        SetLastError(ERROR_CANCELLED); // said already
        return INVALID_HANDLE_VALUE;
    }
    wchar_t* number = spare + wcslen(spare) - 8; // "0000.tmp"
    for (int attempt = 0; attempt < 16; ++attempt) {
        swprintf(number, 9, L"%04x.tmp", spares++ & 0xffff);
        file = DeviceCreateFile(spare, GENERIC_WRITE, 0, CREATE_NEW, flags);
        if (file != INVALID_HANDLE_VALUE || !taken()) {
            break;
        }
    }
    return file;
}

// Puts the complete copy `spare` in the place of the existing `target` in one step. A
// read-only target gets its flag back when it stays.
bool ReplaceWith(const wchar_t* spare, const wchar_t* target) {
    const DWORD existing = DeviceGetFileAttributes(target);
    const bool readOnly =
        existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY) != 0;
    if ((readOnly && !DeviceSetFileAttributes(target, existing & ~FILE_ATTRIBUTE_READONLY)) ||
        !DeviceMoveFile(spare, target, true)) {
        const DWORD error = GetLastError();
        if (readOnly) {
            DeviceSetFileAttributes(target, existing);
        }
        SetLastError(error);
        return false;
    }
    return true;
}

// Copies `source` to `target`: a new target is written in place, an existing one replaced
// only once its replacement is complete. When anything fails the target is as it was, the
// file being written is gone, and the failure is reported (a Cancel is not).
bool CopyInto(HWND owner, const wchar_t* source, DWORD attributes, const wchar_t* target,
              const std::atomic<bool>* cancel) {
    const HANDLE input = DeviceCreateFile(source, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                                          FILE_FLAG_SEQUENTIAL_SCAN);
    if (input == INVALID_HANDLE_VALUE) {
        return ReportCopy(owner, source, GetLastError());
    }
    FILETIME lastWrite = {};
    GetFileTime(input, nullptr, nullptr, &lastWrite);
    const DWORD kept = attributes & kCopiedAttributes;
    wchar_t spare[kMaxPath];
    bool replacing = false;
    const HANDLE output = CreateCopyFile(owner, target, kept, spare, replacing);
    const wchar_t* written = replacing ? spare : target;
    bool copied = output != INVALID_HANDLE_VALUE && CopyBytes(input, output, cancel) &&
                  DeviceSetLastWriteTime(output, lastWrite);
    const DWORD error = GetLastError();
    CloseHandle(input);
    if (output == INVALID_HANDLE_VALUE) {
        return ReportCopy(owner, source, error);
    }
    CloseHandle(output);
    SetLastError(error);
    copied = copied && (!replacing || ReplaceWith(spare, target));
    if (!copied) {
        const DWORD failure = GetLastError();
        DiscardFile(written, kept);
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
    return CopyInto(owner, source, attributes, target, cancel);
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
        return CopyFileReporting(owner, source, attributes, target, cancel) &&
               DeleteFileReporting(owner, source, attributes);
    }
    return ReportMove(owner, source, error);
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

void ReportPathTooLong(HWND owner, const wchar_t* path) {
    ShowError(owner, LanguageText(L"The path is too long\n%s", L"ﾊﾟｽが長すぎます\n%s"), path);
}

bool JoinPathReporting(HWND owner, wchar_t* out, const wchar_t* folder, const wchar_t* name) {
    if (JoinPath(out, folder, name) != nullptr) {
        return true;
    }
    ShowError(owner, LanguageText(L"The path is too long\n%s\\%s", L"ﾊﾟｽが長すぎます\n%s\\%s"),
              folder, name);
    return false;
}
