// The device's file-system calls where the device and the desktop differ.
//
// A device listing never holds "." and ".."; files in ROM carry attribute 0x40; storage
// cards are folders of the root "\" with the directory and temporary attributes. The desktop
// host has neither ROM files nor storage cards of its own: tests put them in place. The
// host has links, which the device does not: they are never changed through.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The attribute of a file that lies in the device's ROM (the desktop reads 0x40 otherwise).
constexpr DWORD FILE_ATTRIBUTE_INROM = 0x40;

// The host's mark of a link (a symbolic link or junction), which its own calls may follow
// to a file or folder elsewhere. The device has no links: the calls below that change a
// file or folder refuse one with this error instead of reaching what it points to.
#ifndef ERROR_REPARSE_POINT_ENCOUNTERED
constexpr DWORD ERROR_REPARSE_POINT_ENCOUNTERED = 4395;
#endif

// The device's file calls. Each is the platform's call of the same name, with the device's
// rules: listings without "." and "..", ROM files that read 0x40 and cannot be changed
// (ERROR_ACCESS_DENIED), and links that are never changed through.
HANDLE DeviceFindFirstFile(const wchar_t* pattern, WIN32_FIND_DATAW* data);
BOOL DeviceFindNextFile(HANDLE find, WIN32_FIND_DATAW* data);
BOOL DeviceFindClose(HANDLE find);

// Hands every entry that the search `pattern` finds to `visit`, which takes the entry's
// WIN32_FIND_DATAW; nothing when the search finds none or fails.
template <typename Visit> void DeviceForEachEntry(const wchar_t* pattern, Visit visit) {
    WIN32_FIND_DATAW found;
    const HANDLE find = DeviceFindFirstFile(pattern, &found);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        visit(found);
    } while (DeviceFindNextFile(find, &found));
    DeviceFindClose(find);
}

DWORD DeviceGetFileAttributes(const wchar_t* path);
BOOL DeviceSetFileAttributes(const wchar_t* path, DWORD attributes);
BOOL DeviceGetDiskFreeSpaceEx(const wchar_t* path, ULARGE_INTEGER* available, ULARGE_INTEGER* total,
                              ULARGE_INTEGER* free);
BOOL DeviceCreateDirectory(const wchar_t* path);
BOOL DeviceRemoveDirectory(const wchar_t* path);
// Deletes a file that is not read-only.
BOOL DeviceDeleteFile(const wchar_t* path);
// Moves or renames a file or folder on one volume (ERROR_NOT_SAME_DEVICE across volumes),
// replacing an existing target file in one step when asked to.
BOOL DeviceMoveFile(const wchar_t* source, const wchar_t* target, bool replaceExisting);
// The same for a file this program has just made and closed, in the target's folder: it
// cannot be a link, and no folder changes. `writeThrough` returns only once the new name is
// on the disk.
BOOL DeviceRenameNewFile(const wchar_t* source, const wchar_t* target, bool replaceExisting,
                         bool writeThrough);
// Opens or creates a file for CreateFileW's access, sharing and disposition; a file made
// gets `attributes`.
HANDLE DeviceCreateFile(const wchar_t* path, DWORD access, DWORD sharing, DWORD disposition,
                        DWORD attributes);
// Opens an existing file to read it, as DeviceCreateFile does; refused, with
// ERROR_REPARSE_POINT_ENCOUNTERED, when the path is a link of the host: what it points to
// lies outside what the user chose.
HANDLE DeviceOpenFileItself(const wchar_t* path);
BOOL DeviceReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read);
BOOL DeviceWriteFile(HANDLE file, const void* buffer, DWORD size, DWORD* written);
BOOL DeviceSetLastWriteTime(HANDLE file, const FILETIME& time);
// Writes what the system holds of a file to its disk.
BOOL DeviceFlushFileBuffers(HANDLE file);
// Closes a file made or opened by DeviceCreateFile; a failure is a write that did not reach
// the disk.
BOOL DeviceCloseFile(HANDLE file);

// The device's folder for CSIDL_DESKTOPDIRECTORY ("\Windows\Desktop") or CSIDL_PERSONAL
// ("\My Documents") into path (MAX_PATH characters); false for any other.
BOOL DeviceSpecialFolderPath(int folder, wchar_t* path);

// The full path of a module's file as the device gives it, without a drive: the host's
// "C:\Program Files\x.exe" is "\Program Files\x.exe" when C: is the current drive, where
// the device's paths lead. 0 on failure, else the length.
DWORD DeviceModuleFileName(HMODULE module, wchar_t* path, DWORD size);

// A folder of the root as a test makes the device list it.
struct DeviceRootFolder {
    std::wstring name;
    DWORD attributes = FILE_ATTRIBUTE_DIRECTORY;
    bool spaceReadable = true;
    ULONGLONG total = 0;
    ULONGLONG free = 0;
};

// Replaces the listing of "\*.*" and the space of those folders; null puts the host's back.
void SetRootFoldersForTesting(const std::vector<DeviceRootFolder>* folders);
// Full paths of files that are to be in ROM (compared without regard to case); null: none.
void SetRomFilesForTesting(const std::vector<std::wstring>* paths);
