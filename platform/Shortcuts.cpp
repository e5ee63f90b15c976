#include "Shortcuts.h"

#include <strsafe.h>

#include <cctype>
#include <cwchar>
#include <string>

namespace {

// Longer shortcut files are not shortcuts the shell would have made.
constexpr DWORD kMaxShortcutBytes = 1024;

} // namespace

BOOL SHGetShortcutTarget(const wchar_t* shortcut, wchar_t* target, int maxChars) {
    if (shortcut == nullptr || target == nullptr || maxChars <= 0) {
        return FALSE;
    }
    const HANDLE file = CreateFileW(shortcut, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    char bytes[kMaxShortcutBytes];
    DWORD read = 0;
    const BOOL readOk = ReadFile(file, bytes, sizeof bytes, &read, nullptr);
    CloseHandle(file);
    if (!readOk) {
        return FALSE;
    }
    DWORD start = 0;
    while (start < read && std::isdigit(static_cast<unsigned char>(bytes[start]))) {
        ++start;
    }
    if (start == 0 || start >= read || bytes[start] != '#') {
        return FALSE;
    }
    ++start;
    DWORD end = start;
    while (end < read && bytes[end] != '\r' && bytes[end] != '\n') {
        ++end;
    }
    const int count = static_cast<int>(end - start);
    std::wstring text(MultiByteToWideChar(CP_ACP, 0, bytes + start, count, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes + start, count, text.data(),
                        static_cast<int>(text.size()));
    StringCchCopyW(target, static_cast<size_t>(maxChars), text.c_str()); // cut, as the device does
    return TRUE;
}
