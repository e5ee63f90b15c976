#include "RegistryKey.h"

RegistryKey::~RegistryKey() {
    Close();
}

LONG RegistryKey::Create(const wchar_t* subkey) {
    Close();
    return RegCreateKeyExW(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                           nullptr, &key, nullptr);
}

LONG RegistryKey::Open(const wchar_t* subkey, REGSAM access) {
    Close();
    return RegOpenKeyExW(root, subkey, 0, access, &key);
}

LONG RegistryKey::Close() {
    if (key == nullptr) {
        return ERROR_SUCCESS;
    }
    const LONG result = RegCloseKey(key);
    key = nullptr;
    return result;
}

LONG RegistryKey::ReadString(const wchar_t* valueName, wchar_t* buffer, DWORD& size) {
    const DWORD bufferChars = size / sizeof(wchar_t);
    if (bufferChars == 0) {
        return ERROR_INSUFFICIENT_BUFFER;
    }
    DWORD type = 0;
    const LONG result =
        RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (result != ERROR_SUCCESS) {
        buffer[0] = L'\0';
        return result;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) {
        buffer[0] = L'\0'; // bytes of another kind are no text
        return ERROR_UNSUPPORTED_TYPE;
    }
    // The platform does not add a terminator that the stored value lacks; a text that
    // fills the buffer without one did not fit, and a cut text would be another text.
    const DWORD valueChars = size / sizeof(wchar_t);
    if (valueChars > 0 && buffer[valueChars - 1] == L'\0') {
        return ERROR_SUCCESS;
    }
    if (valueChars < bufferChars) {
        buffer[valueChars] = L'\0';
        return ERROR_SUCCESS;
    }
    buffer[0] = L'\0';
    return ERROR_MORE_DATA;
}

LONG RegistryKey::WriteString(const wchar_t* valueName, const wchar_t* text) {
    const DWORD bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
}

LONG ReadRegistryNumber(HKEY root, const wchar_t* subkey, const wchar_t* valueName, DWORD& value) {
    RegistryKey key(root);
    const LONG opened = key.Open(subkey, KEY_READ);
    if (opened != ERROR_SUCCESS) {
        return opened;
    }
    DWORD data = 0;
    DWORD size = sizeof data;
    const LONG result = RegQueryValueExW(key.Handle(), valueName, nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&data), &size);
    if (result == ERROR_SUCCESS) {
        value = data;
    }
    return result;
}
