// The device's file-system calls where the device and the desktop differ.
//
// A device listing never holds "." and ".."; files in ROM carry attribute 0x40; storage
// cards are folders of the root "\" with the directory and temporary attributes. The desktop
// host has neither ROM files nor storage cards of its own: tests put them in place.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The attribute of a file that lies in the device's ROM (the desktop reads 0x40 otherwise).
constexpr DWORD FILE_ATTRIBUTE_INROM = 0x40;

HANDLE DeviceFindFirstFile(const wchar_t* pattern, WIN32_FIND_DATAW* data);
BOOL DeviceFindNextFile(HANDLE find, WIN32_FIND_DATAW* data);
BOOL DeviceFindClose(HANDLE find);
DWORD DeviceGetFileAttributes(const wchar_t* path);
BOOL DeviceGetDiskFreeSpaceEx(const wchar_t* path, ULARGE_INTEGER* available, ULARGE_INTEGER* total,
                              ULARGE_INTEGER* free);

// Copies and moves as the device makes them (the platform's CopyFileW and MoveFileExW).
BOOL DeviceCopyFile(const wchar_t* source, const wchar_t* target, BOOL failIfExists);
BOOL DeviceMoveFileEx(const wchar_t* source, const wchar_t* target, DWORD flags);

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
// Makes copies and moves into `folder` (and below it) fail with `error`, a full disk or a
// read-only folder, which a host cannot easily be made to have, after `successes` of them
// have gone through. Null: none fail.
void SetWriteFaultForTesting(const wchar_t* folder, DWORD error, int successes);
// Full paths of files that are to be in ROM (compared without regard to case); null: none.
void SetRomFilesForTesting(const std::vector<std::wstring>* paths);
