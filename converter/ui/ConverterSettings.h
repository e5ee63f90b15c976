// The converter's one remembered setting: the definition file in use.
#pragma once

#include "framework/app/Paths.h"

// The definition file's full path; empty until read, or when none was ever chosen.
extern wchar_t definitionPath[kMaxPath];

// Reads the path from HKEY_CURRENT_USER\Software\Orvintek\Mensurio, value "ini". A missing
// key or value leaves it empty.
void LoadSettings();
// Writes the path back, creating the key when it is missing; failures are ignored.
void SaveSettings();
