#include "ConverterSettings.h"

#include "framework/app/RegistryKey.h"

#include <strsafe.h>

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Orvintek\\Mensurio";
constexpr wchar_t kPathValue[] = L"ini";

} // namespace

void ConverterSettings::Load() {
    RegistryKey key(HKEY_CURRENT_USER);
    if (key.Open(kSettingsKey, KEY_READ) == ERROR_SUCCESS) {
        DWORD size = sizeof definitionPath;
        key.ReadString(kPathValue, definitionPath, size);
    }
}

void ConverterSettings::Remember(const wchar_t* path) {
    const DWORD length = GetFullPathNameW(path, kMaxPath, definitionPath, nullptr);
    if (length == 0 || length >= kMaxPath) {
        StringCchCopyW(definitionPath, kMaxPath, path); // cut, as the platform's paths are
    }
}

void ConverterSettings::Save() const {
    RegistryKey key(HKEY_CURRENT_USER);
    if (key.Create(kSettingsKey) == ERROR_SUCCESS) {
        key.WriteString(kPathValue, definitionPath);
    }
}
