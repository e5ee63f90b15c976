// A path of the Linux host as programs under Wine see it: on drive Z:, with backslashes.
// Test and benchmark programs find the repository's and the build's files this way.
#pragma once

#include <string>

inline std::wstring HostPath(const char* linuxPath) {
    std::wstring path = L"Z:";
    for (const char* p = linuxPath; *p != '\0'; ++p) {
        path += *p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
    }
    return path;
}
