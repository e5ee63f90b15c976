// File types that the shell tests register in HKEY_CLASSES_ROOT (Wine does not show the
// current user's classes there); they are removed again when the object goes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TestFileTypes {
public:
    ~TestFileTypes() {
        for (const std::wstring& key : keys) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
        }
    }

    // Sets the unnamed value of a class-root key, made as needed; a null value makes the
    // key without one.
    void Set(const std::wstring& subkey, const wchar_t* value) {
        HKEY handle = nullptr;
        RegCreateKeyExW(HKEY_CLASSES_ROOT, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &handle, nullptr);
        if (value != nullptr) {
            RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                           static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
        }
        RegCloseKey(handle);
        keys.push_back(subkey.substr(0, subkey.find(L'\\')));
    }

private:
    std::vector<std::wstring> keys;
};
