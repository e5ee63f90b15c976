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

    // Makes `path` the definition file, with its drive: the file dialog names files as the
    // device does, from the root of the current drive, which need not be the same at the
    // next start. A path that would then be too long is kept as given.
    void Remember(const wchar_t* path);

    // The definition file's full path; empty when none was ever chosen. One remembered
    // without a drive (by an earlier version) is read from the current drive's root.
    wchar_t definitionPath[kMaxPath] = {};
};
