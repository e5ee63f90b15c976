#include "FileReporting.h"

#include "framework/app/Application.h"
#include "framework/app/MessageBoxes.h"
#include "framework/app/Paths.h"
#include "platform/DeviceFiles.h"

#include <cwchar>

namespace {

// A source that is missing or lies in ROM is left alone.
bool PassedOver(DWORD attributes) {
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_INROM) != 0;
}

bool PassedOver(const wchar_t* path) {
    return PassedOver(DeviceGetFileAttributes(path));
}

bool ReportCreateFolder(HWND owner, const wchar_t* path, DWORD error) {
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

} // namespace

bool CreateFolderReporting(HWND owner, const wchar_t* path) {
    return CreateDirectoryW(path, nullptr) || ReportCreateFolder(owner, path, GetLastError());
}

bool MakeFolderPath(HWND owner, const wchar_t* path) {
    if (PathExists(path)) {
        return IsDirectory(path);
    }
    wchar_t prefix[kMaxPath];
    if (FAILED(StringCchCopyW(prefix, kMaxPath, path))) {
        return false;
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
        return false;
    }
    for (separator = wcschr(separator + 1, L'\\'); separator != nullptr;
         separator = wcschr(separator + 1, L'\\')) {
        *separator = L'\0';
        const bool exists = PathExists(prefix);
        if (exists && !IsDirectory(prefix)) {
            return false;
        }
        if (!exists && !CreateFolderReporting(owner, prefix)) {
            return false;
        }
        *separator = L'\\';
    }
    return CreateFolderReporting(owner, path);
}

bool RemoveFolderReporting(HWND owner, const wchar_t* path) {
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    if (RemoveDirectoryW(path)) {
        return true;
    }
    const DWORD error = GetLastError();
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
    if (PassedOver(attributes)) {
        return true;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    }
    if (DeleteFileW(path)) {
        return true;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED) {
        ShowError(owner, LanguageText(L"Access denied", L"ﾌｧｲﾙにｱｸｾｽできません"));
    } else {
        ShowError(owner, L"Error DeleteFile %d", static_cast<int>(error));
    }
    return false;
}

bool CopyFileReporting(HWND owner, const wchar_t* source, const wchar_t* target) {
    return CopyFileReporting(owner, source, DeviceGetFileAttributes(source), target);
}

bool CopyFileReporting(HWND owner, const wchar_t* source, DWORD attributes, const wchar_t* target) {
    if (PassedOver(attributes)) {
        return true;
    }
    return DeviceCopyFile(source, target, FALSE) || ReportCopy(owner, source, GetLastError());
}

bool MoveFileReporting(HWND owner, const wchar_t* source, const wchar_t* target,
                       bool replaceExisting) {
    if (PassedOver(source)) {
        return true;
    }
    if (!replaceExisting) {
        return DeviceMoveFileEx(source, target, MOVEFILE_COPY_ALLOWED) ||
               ReportMove(owner, source, GetLastError());
    }
    const DWORD existing = GetFileAttributesW(target);
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesW(target, existing & ~FILE_ATTRIBUTE_READONLY);
    }
    return DeviceMoveFileEx(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) ||
           ReportMove(owner, source, GetLastError());
}

bool SetAttributesReporting(HWND owner, const wchar_t* path, DWORD attributes) {
    if (SetFileAttributesW(path, attributes)) {
        return true;
    }
    ShowError(owner, L"Error SetFileAttribute %d", static_cast<int>(GetLastError()));
    return false;
}

bool JoinPathReporting(HWND owner, wchar_t* out, const wchar_t* folder, const wchar_t* name) {
    if (JoinPath(out, folder, name) != nullptr) {
        return true;
    }
    ShowError(owner, LanguageText(L"The path is too long\n%s\\%s", L"ﾊﾟｽが長すぎます\n%s\\%s"),
              folder, name);
    return false;
}
