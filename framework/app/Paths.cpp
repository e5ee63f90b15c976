#include "Paths.h"

#include "platform/Shortcuts.h"

#include <strsafe.h>
#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

// Copies at most kMaxPath - 1 characters and terminates.
void CopyPath(wchar_t* out, const wchar_t* path) {
    const size_t length = wcsnlen(path, kMaxPath - 1);
    wmemmove(out, path, length);
    out[length] = L'\0';
}

} // namespace

wchar_t* EnsureTrailingBackslash(wchar_t* path) {
    const size_t length = wcslen(path);
    if (length == 0 || path[length - 1] == L'\\' || length >= kMaxPath - 1) {
        return path + length;
    }
    path[length] = L'\\';
    path[length + 1] = L'\0';
    return path + length + 1;
}

wchar_t* RemoveTrailingBackslashes(wchar_t* path) {
    size_t length = wcslen(path);
    // What a root keeps: "\" alone, or a drive's "X:\".
    const size_t root = length >= 3 && path[1] == L':' ? 3 : 1;
    while (length > root && path[length - 1] == L'\\') {
        path[--length] = L'\0';
    }
    return path;
}

wchar_t* JoinPath(wchar_t* out, const wchar_t* folder, const wchar_t* name) {
    const size_t folderLength = wcslen(folder);
    const size_t nameLength = wcslen(name);
    const bool addSeparator =
        nameLength != 0 && folderLength != 0 && folder[folderLength - 1] != L'\\';
    if (folderLength + (addSeparator ? 1 : 0) + nameLength >= kMaxPath) {
        out[0] = L'\0';
        return nullptr;
    }
    wmemmove(out, folder, folderLength + 1);
    if (nameLength != 0) {
        wmemmove(EnsureTrailingBackslash(out), name, nameLength + 1);
    }
    return out;
}

bool PathExists(const wchar_t* path) {
    return path[0] != L'\0' && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const wchar_t* path) {
    if (path[0] == L'\0') {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

const wchar_t* FindExtension(const wchar_t* path) {
    const wchar_t* dot = wcsrchr(path, L'.');
    return dot != nullptr ? dot : path + wcslen(path);
}

wchar_t* FindExtension(wchar_t* path) {
    return const_cast<wchar_t*>(FindExtension(static_cast<const wchar_t*>(path)));
}

bool HasExtension(const wchar_t* path, const wchar_t* extension) {
    const wchar_t* found = FindExtension(path);
    return found[0] != L'\0' && _wcsicmp(found, extension) == 0;
}

bool IsProgram(const wchar_t* path) {
    return HasExtension(path, L".exe");
}

bool IsShortcut(const wchar_t* path) {
    return HasExtension(path, L".lnk");
}

bool ShortcutProgram(const wchar_t* shortcut, wchar_t* target) {
    if (!SHGetShortcutTarget(shortcut, target, kMaxPath)) {
        return false;
    }
    for (wchar_t* unit = target; *unit != L'\0'; ++unit) {
        if (*unit < L' ') {
            *unit = L'\0';
            break;
        }
    }
    CutCommandLine(target);
    return true;
}

void RemoveExtension(wchar_t* path) {
    *FindExtension(path) = L'\0';
}

const wchar_t* FindLastSeparator(const wchar_t* path) {
    const size_t length = wcslen(path);
    // A separator at the very end does not count.
    for (size_t i = length < 2 ? 0 : length - 1; i-- > 0;) {
        if (path[i] == L'\\') {
            return path + i;
        }
    }
    return nullptr;
}

const wchar_t* FileNamePart(const wchar_t* path) {
    const wchar_t* separator = FindLastSeparator(path);
    return separator != nullptr ? separator + 1 : path;
}

void StripToFileName(wchar_t* path) {
    wmemmove(path, FileNamePart(path), wcslen(FileNamePart(path)) + 1);
}

bool SplitPath(wchar_t* folder, wchar_t* name, const wchar_t* path) {
    CopyPath(folder, path);
    wchar_t* separator = const_cast<wchar_t*>(FindLastSeparator(folder));
    if (separator == nullptr) {
        CopyPath(name, folder);
        folder[0] = L'\0';
        return false;
    }
    CopyPath(name, separator + 1);
    // A file in the root keeps the root as its folder.
    folder[separator == folder ? 1 : separator - folder] = L'\0';
    return true;
}

bool GoUp(wchar_t* path) {
    if (path[0] == L'\0' || wcscmp(path, L"\\") == 0 || wcscmp(path, L"\\\\") == 0) {
        return false;
    }
    const wchar_t* separator = wcsrchr(path, L'\\');
    if (separator == nullptr) {
        path[0] = L'\0';
    } else if (separator == path + 1) {
        // "\\server" goes up to the network root "\\"; "a\b" to "a".
        path[path[0] == L'\\' ? 2 : 1] = L'\0';
    } else if (separator == path) {
        path[1] = L'\0';
    } else {
        path[separator - path] = L'\0';
    }
    return true;
}

bool RemoveLastComponent(wchar_t* path) {
    if (path[0] == L'\0') {
        return false;
    }
    if (wcscmp(path, L"\\") == 0 || wcscmp(path, L"\\\\") == 0) {
        path[0] = L'\0';
        return true;
    }
    const wchar_t* separator = FindLastSeparator(path);
    if (separator == nullptr) {
        path[0] = L'\0';
    } else {
        path[separator == path ? 1 : separator - path] = L'\0';
    }
    return true;
}

void StripQuotes(wchar_t* text) {
    const size_t length = wcslen(text);
    if (length >= 2 && text[0] == L'"' && text[length - 1] == L'"') {
        wmemmove(text, text + 1, length - 2);
        text[length - 2] = L'\0';
    }
}

void CutAtFirstSpaceOutsideQuotes(wchar_t* text) {
    bool quoted = false;
    for (wchar_t* p = text; *p != L'\0'; ++p) {
        if (*p == L'"') {
            quoted = !quoted;
        } else if (*p == L' ' && !quoted) {
            *p = L'\0';
            return;
        }
    }
}

void CutCommandLine(wchar_t* text) {
    CutAtFirstSpaceOutsideQuotes(text);
    StripQuotes(text);
}

int SplitIconLocation(wchar_t* text) {
    int index = 0;
    if (wchar_t* comma = wcschr(text, L',')) {
        *comma = L'\0';
        index = static_cast<int>(wcstol(comma + 1, nullptr, 10));
    }
    StripQuotes(text);
    return index;
}

PathComponents::PathComponents(const wchar_t* path) {
    CopyPath(buffer, path);
    wchar_t* scan = buffer;
    if (buffer[0] == L'\\') {
        const bool network = buffer[1] == L'\\';
        items[count++] = network ? L"\\\\" : L"\\";
        scan += network ? 2 : 1;
    }
    while (*scan != L'\0') {
        wchar_t* end = scan;
        while (*end != L'\0' && *end != L'\\') {
            ++end;
        }
        const bool last = *end == L'\0';
        *end = L'\0';
        if (end != scan && count < kMaxComponents) {
            items[count++] = scan;
        }
        if (last) {
            break;
        }
        scan = end + 1;
    }
}

void PathComponents::Build(wchar_t* out, int depth) const {
    out[0] = L'\0';
    if (count == 0) {
        return;
    }
    // The components come from a path of at most kMaxPath - 1 characters, so they fit again.
    StringCchCopyW(out, kMaxPath, items[0]);
    for (int i = 1; i <= depth && i < count; ++i) {
        if (!(i == 1 && items[0][0] == L'\\')) {
            StringCchCatW(out, kMaxPath, L"\\");
        }
        StringCchCatW(out, kMaxPath, items[i]);
    }
}

void RemoveDotNames(wchar_t* path) {
    const PathComponents parts(path);
    std::vector<const wchar_t*> kept;
    size_t root = 0;
    for (int i = 0; i < parts.Count(); ++i) {
        const wchar_t* item = parts.Item(i);
        if (i == 0 && (item[0] == L'\\' || HasDriveLetter(item))) {
            root = 1;
            kept.push_back(item);
        } else if (wcscmp(item, L"..") == 0) {
            if (kept.size() > root) {
                kept.pop_back();
            }
        } else if (wcscmp(item, L".") != 0) {
            kept.push_back(item);
        }
    }
    // The names come from the path itself: what is left is never longer, except a drive
    // left alone, which keeps a backslash: "C:" would be the drive's current folder.
    std::wstring resolved;
    for (size_t i = 0; i < kept.size(); ++i) {
        if (i > 0 && !(i == 1 && kept[0][0] == L'\\')) {
            resolved += L'\\';
        }
        resolved += kept[i];
    }
    if (kept.size() == 1 && HasDriveLetter(kept[0])) {
        resolved += L'\\';
    }
    StringCchCopyW(path, kMaxPath, resolved.c_str());
}

bool HasDriveLetter(const wchar_t* path) {
    return ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
           path[1] == L':';
}

std::wstring FormatSize(unsigned long long bytes) {
    constexpr unsigned long long kKilobyte = 1024;
    constexpr unsigned long long kMegabyte = 1024 * 1024;
    if (bytes < kKilobyte) {
        return std::to_wstring(bytes) + L" B";
    }
    const bool kilobytes = bytes < kMegabyte;
    const unsigned long long unit = kilobytes ? kKilobyte : kMegabyte;
    const unsigned long long tenth = (bytes % unit) / (kilobytes ? 100 : 102400);
    return std::to_wstring(bytes / unit) + L"." + std::to_wstring(tenth > 9 ? 9 : tenth) +
           (kilobytes ? L" KB" : L" MB");
}

std::wstring LocalDateTimeText(const FILETIME& time, LCID locale) {
    FILETIME local;
    SYSTEMTIME parts;
    if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &parts)) {
        return L"";
    }
    wchar_t date[80] = {};
    wchar_t clock[80] = {};
    GetDateFormatW(locale, DATE_SHORTDATE, &parts, nullptr, date, 80);
    GetTimeFormatW(locale, 0, &parts, nullptr, clock, 80);
    return std::wstring(date) + L" " + clock;
}

void BeginWaitCursor() {
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<const wchar_t*>(IDC_WAIT)));
    ShowCursor(TRUE);
}

void EndWaitCursor() {
    ShowCursor(FALSE);
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<const wchar_t*>(IDC_ARROW)));
}
