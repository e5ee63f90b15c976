// Names of new folders and the check of a name typed for a file or folder.
#pragma once

#include <windows.h>

// out (kMaxPath characters) = folder joined with the first of "New Folder", "New Folder (2)",
// "New Folder (3)" ... that does not exist there (a file of that name counts). False, with
// the "path too long" message owned by `owner`, when the joined path would not fit.
bool NewFolderName(HWND owner, wchar_t* out, const wchar_t* folder);

// The characters no name may hold, in the order the message lists them.
constexpr wchar_t kForbiddenNameChars[] = L"\\/:,;*?\"<>|";

// False, after an Error box that says what is wrong, when a name typed for a file or folder
// cannot be one: nothing is left once the system drops its trailing dots and spaces; it
// holds a forbidden character (the box lists them); or the system keeps it for a device
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with any extension).
bool CheckNewName(HWND owner, const wchar_t* name);
