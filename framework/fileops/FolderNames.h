// Names of new folders and the check of a name typed for a file or folder.
#pragma once

#include <windows.h>

// out (kMaxPath characters) = folder joined with the first of "New Folder", "New Folder (2)",
// "New Folder (3)" ... that does not exist there (a file of that name counts). False, with
// the "path too long" message owned by `owner`, when the joined path would not fit.
bool NewFolderName(HWND owner, wchar_t* out, const wchar_t* folder);

// The characters no name may hold, in the order the message lists them.
constexpr wchar_t kForbiddenNameChars[] = L"\\/:,;*?\"<>|";

// False, after an Error box that lists the forbidden characters, when the name holds any.
bool CheckNameChars(HWND owner, const wchar_t* name);
