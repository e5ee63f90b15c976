// Reads a definition file into unit categories.
#pragma once

#include "CategoryReceiver.h"
#include "LoadProblems.h"

#include <windows.h>

#include <cstdio>

// Loads the file at `path`, handing each section to `receiver` as a finished category, in
// file order. Lexical and syntax errors are told in one message box, owned by the active
// window, when the load is over: the first with its line, and how many more there were. The
// sections read before a syntax error stand. Returns false, with no message, when the file
// cannot be opened.
bool LoadDefinitionFile(CategoryReceiver& receiver, const wchar_t* path);

// Opens the file at `path` for a load, as raw bytes and shared with programs that read or
// write it; null, with the platform's error code in `error`, when it cannot be read.
FILE* OpenDefinitionFileToRead(const wchar_t* path, DWORD& error);

// The same for a file opened in binary mode, read from its current position to its end;
// the problems met are returned to be told where and when the caller chooses.
LoadProblems LoadDefinitionStream(CategoryReceiver& receiver, FILE* file);
