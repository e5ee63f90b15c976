// Operations on device paths, in place on wide strings. Device paths have no drive letters:
// "\" is the root of the one file tree (storage cards are folders under it) and "\\" starts
// a network path.
//
// A path buffer holds kMaxPath characters with the terminator. Operations that can lengthen
// a path never write past that: a path that would not fit is refused, as each one says.
#pragma once

#include "HandleObject.h"

#include <windows.h>

#include <string>

constexpr int kMaxPath = 260;

// Appends "\" unless the path is empty, already ends with one, or is full (259 characters);
// returns the position of the terminator.
wchar_t* EnsureTrailingBackslash(wchar_t* path);

// Removes the "\" characters that end the path, unless it is a root ("\", "C:\"), which
// keeps its own; returns the path.
wchar_t* RemoveTrailingBackslashes(wchar_t* path);

// out = folder, then, when name is not empty, "\" as needed and name. Returns out, or null
// when the joined path would not fit in kMaxPath; out is then the empty string.
wchar_t* JoinPath(wchar_t* out, const wchar_t* folder, const wchar_t* name);

bool PathExists(const wchar_t* path);
bool IsDirectory(const wchar_t* path);

// The last "." anywhere in the path (a dot in a folder name counts), or the empty string
// at the path's end when there is none.
wchar_t* FindExtension(wchar_t* path);
const wchar_t* FindExtension(const wchar_t* path);
// True when the path's extension equals `extension` (".exe"), ignoring case.
bool HasExtension(const wchar_t* path, const wchar_t* extension);
bool IsProgram(const wchar_t* path);
bool IsShortcut(const wchar_t* path);
// The program a shortcut file starts: its target command line, cut at the first control
// character and then to its program (CutCommandLine), into target (kMaxPath characters).
// False when the shortcut cannot be read.
bool ShortcutProgram(const wchar_t* shortcut, wchar_t* target);
void RemoveExtension(wchar_t* path);

// The last "\" that is not the final character, or null.
const wchar_t* FindLastSeparator(const wchar_t* path);
// The text after the last separator, or the whole path.
const wchar_t* FileNamePart(const wchar_t* path);
void StripToFileName(wchar_t* path);

// Splits path into its folder ("\" for a file in the root) and name; both buffers hold
// kMaxPath characters. False, with an empty folder, when the path has no separator.
bool SplitPath(wchar_t* folder, wchar_t* name, const wchar_t* path);

// The folder above: "\Windows\Start Menu" -> "\Windows", "\Windows" -> "\", "a\b" -> "a",
// "\\server" -> "\\". False, unchanged, for "", "\" and "\\".
bool GoUp(wchar_t* path);
// Removes the last component: "\x.txt" -> "\", "x.txt" -> "", "\" -> "". False only for "".
bool RemoveLastComponent(wchar_t* path);
// Resolves the "." and ".." names of a path in place, as the system would reach it:
// "\A\B\..\C\." -> "\A\C". ".." never climbs above the root ("\", "\\", "C:\"); a drive
// left alone keeps its backslash.
void RemoveDotNames(wchar_t* path);
// True when the path starts with a drive letter and ":" (a desktop's path, not a device's).
bool HasDriveLetter(const wchar_t* path);

// Removes a double quote at both ends of a text of at least two characters.
void StripQuotes(wchar_t* text);
// Ends the text at its first space that is not between double quotes.
void CutAtFirstSpaceOutsideQuotes(wchar_t* text);
// Turns a command line into its program path: first word, quotes removed.
void CutCommandLine(wchar_t* text);
// Splits "file,index" in place into the unquoted file and the returned index (0 when there
// is no comma or no number after it).
int SplitIconLocation(wchar_t* text);

// A path split into its components: the root part ("\" or "\\") when the path starts with
// a backslash, then each non-empty name.
class PathComponents : public HandleObject {
public:
    static constexpr int kMaxComponents = kMaxPath / 2;

    explicit PathComponents(const wchar_t* path);

    int Count() const { return count; }
    const wchar_t* Item(int index) const { return items[index]; }

    // out (kMaxPath characters) = the root part and the first `depth` names after it.
    void Build(wchar_t* out, int depth) const;

private:
    wchar_t buffer[kMaxPath];
    int count = 0;
    const wchar_t* items[kMaxComponents];
};

// A byte count as "1023 B", "1.5 KB" or "12.3 MB"; the digit after the point is truncated
// and capped at 9, so a size is never shown larger than it is ("2047 bytes: 1.9 KB").
// Counts beyond 4 GB are shown whole ("5120.0 MB"), not cut to 32 bits.
std::wstring FormatSize(unsigned long long bytes);

// A file time in local time as the locale's short date, a blank and its time; empty when
// the time cannot be converted.
std::wstring LocalDateTimeText(const FILETIME& time, LCID locale);

// The platform's wait cursor, shown, until EndWaitCursor puts the arrow back.
void BeginWaitCursor();
void EndWaitCursor();
