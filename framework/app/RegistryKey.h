// An open registry key that reads and writes string values, and a one-shot number read.
// Every operation returns the platform's error code, 0 for success, and shows no message:
// callers treat any failure as a missing value.
#pragma once

#include "HandleObject.h"

#include <windows.h>

class RegistryKey : public HandleObject {
public:
    explicit RegistryKey(HKEY root) : root(root) {}
    ~RegistryKey() override;

    // Creates the subkey under the root, or opens it when it exists, with full access.
    LONG Create(const wchar_t* subkey);
    // Opens an existing subkey with full access, or with the access given: a lookup asks
    // for KEY_READ, which a key that a standard user may only read grants.
    LONG Open(const wchar_t* subkey, REGSAM access = KEY_ALL_ACCESS);
    LONG Close();

    // Reads a string value into `buffer`, whose size in bytes `size` gives; on return `size`
    // holds the value's size. The buffer always ends up terminated, and empty on any error:
    // a value that is not text (ERROR_UNSUPPORTED_TYPE), or a text that does not fit with
    // its terminator (ERROR_MORE_DATA).
    LONG ReadString(const wchar_t* valueName, wchar_t* buffer, DWORD& size);
    LONG WriteString(const wchar_t* valueName, const wchar_t* text);

    HKEY Handle() const { return key; }

private:
    HKEY root;
    HKEY key = nullptr;
};

// Reads a value of at most 4 bytes, whatever its type, from subkey under root. `value`
// changes only when the read succeeds; longer data fails.
LONG ReadRegistryNumber(HKEY root, const wchar_t* subkey, const wchar_t* valueName, DWORD& value);
