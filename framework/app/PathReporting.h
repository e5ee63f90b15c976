// Paths that pass the platform's limit, told to the user rather than cut: used by the file
// dialog and the file operations alike.
#pragma once

#include <windows.h>

// Tells that `path` is longer than the platform's limit, so that it cannot be opened or made.
void ReportPathTooLong(HWND owner, const wchar_t* path);
// JoinPath, with a path that would be longer than the platform's limit refused: "The path
// is too long" and the two parts.
bool JoinPathReporting(HWND owner, wchar_t* out, const wchar_t* folder, const wchar_t* name);
