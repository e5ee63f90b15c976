// The eight fixed places of the file list, and how typed texts, paths and the Up command
// relate to them.
#pragma once

#include "LocationCode.h"

#include <windows.h>

struct Place {
    LocationCode code;
    const wchar_t* path;
    const wchar_t* japaneseName;
    const wchar_t* englishName;
    int image; // of the location button's images

    // The name in the current language.
    const wchar_t* Name() const;
};

constexpr int kPlaceCount = 8;

const Place& PlaceAt(int row);
// The place of a code with the place bit, by its row bits.
const Place& PlaceOf(LocationCode code);

// When `text` names a place (its path or either name, ignoring case, rows in order), makes
// text that place's path (it holds kMaxPath characters) and returns its code; otherwise
// leaves text alone and returns kPlainFolder. An empty text is the Desktop.
LocationCode LocationOfText(wchar_t* text);

// The location above (code, path) for the Up command, written back into both. False, with
// nothing changed, for the Desktop, the Trash Box and the Find Result.
bool ParentOf(LocationCode& code, wchar_t* path);

// The place's name when `path` is a place's path (ignoring case), else the path's last
// component.
const wchar_t* DisplayNameOfPath(const wchar_t* path);
