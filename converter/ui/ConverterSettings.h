// The converter's one remembered setting: the definition file in use.
#pragma once

#include "framework/app/Paths.h"

class ConverterSettings {
public:
    // Reads the path from HKEY_CURRENT_USER\Software\Orvintek\Mensurio, value "ini". A missing
    // key or value leaves it as it was.
    void Load();
    // Writes the path back, creating the key when it is missing; failures are ignored.
    void Save() const;

    // The definition file's full path; empty when none was ever chosen.
    wchar_t definitionPath[kMaxPath] = {};
};
