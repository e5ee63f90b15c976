// Reads a definition file into unit categories.
#pragma once

#include "CategoryReceiver.h"

#include <cstdio>

// Loads the file at `path`, handing each section to `receiver` as a finished category, in
// file order. Lexical and syntax errors are told in one message box when the load is over:
// the first with its line, and how many more there were. The sections read before a syntax
// error stand. Returns false, with no message, when the file cannot be
// opened.
bool LoadDefinitionFile(CategoryReceiver& receiver, const wchar_t* path);

// The same for a file opened in binary mode, read from its current position to its end.
void LoadDefinitionStream(CategoryReceiver& receiver, FILE* file);
