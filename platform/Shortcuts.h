// Shortcut files as the device keeps them: text holding the length of the target, "#", then
// the target's command line ("23#\Windows\pword.exe a.doc").
#pragma once

#include <windows.h>

// The command line a shortcut file points at, cut to `maxChars` - 1 characters; false when
// the file cannot be read or is not a shortcut.
BOOL SHGetShortcutTarget(const wchar_t* shortcut, wchar_t* target, int maxChars);
