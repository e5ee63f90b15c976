// File-system calls that report their own failures: each shows the platform's error in an
// Error box owned by `owner`, with a text chosen by the error code, and returns false.
//
// Files in ROM, and sources whose attributes cannot be read, are passed over: delete, copy
// and move succeed without touching them.
#pragma once

#include <windows.h>

bool CreateFolderReporting(HWND owner, const wchar_t* path);
// Creates the folder and every missing folder above it. Fails without a message when a
// part of the path exists as a file, or the path has no separator after its first part.
bool MakeFolderPath(HWND owner, const wchar_t* path);
// Removes an empty folder, read-only or not.
bool RemoveFolderReporting(HWND owner, const wchar_t* path);
// Deletes a file, read-only or not.
bool DeleteFileReporting(HWND owner, const wchar_t* path);
// Copies a file, replacing an existing target.
bool CopyFileReporting(HWND owner, const wchar_t* source, const wchar_t* target);
// The same two with the attributes of the file or source as the device has just listed
// them, which saves reading them again.
bool DeleteFileReporting(HWND owner, const wchar_t* path, DWORD attributes);
bool CopyFileReporting(HWND owner, const wchar_t* source, DWORD attributes,
                       const wchar_t* target);
// Moves or renames a file or folder. An existing target is replaced only when asked for,
// in one step (a read-only target too), so that a failed move never loses it.
bool MoveFileReporting(HWND owner, const wchar_t* source, const wchar_t* target,
                       bool replaceExisting = false);
bool SetAttributesReporting(HWND owner, const wchar_t* path, DWORD attributes);
// JoinPath, with a path that would be longer than the platform's limit refused: "The path
// is too long" and the two parts.
bool JoinPathReporting(HWND owner, wchar_t* out, const wchar_t* folder, const wchar_t* name);
