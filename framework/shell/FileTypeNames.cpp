#include "FileTypeNames.h"

#include "framework/app/Application.h"
#include "framework/app/Paths.h"
#include "framework/app/RegistryKey.h"

#include <strsafe.h>

#include <string_view>

namespace {

std::optional<std::wstring> ReadDefault(RegistryKey& key) {
    wchar_t value[kMaxPath] = {};
    DWORD size = sizeof value;
    if (key.ReadString(nullptr, value, size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(value);
}

// Reads the unnamed value of a key of the class root; nothing when the key or the value is
// missing.
std::optional<std::wstring> ReadDefaultValue(const std::wstring& subkey) {
    RegistryKey key(HKEY_CLASSES_ROOT);
    if (key.Open(subkey.c_str(), KEY_READ) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return ReadDefault(key);
}

// Reads an extension key and the class it names; a type without a class name is not kept.
std::unique_ptr<FileType> ReadFileType(const wchar_t* extension) {
    auto type = std::make_unique<FileType>();
    RegistryKey key(HKEY_CLASSES_ROOT);
    if (key.Open(extension, KEY_READ) != ERROR_SUCCESS) {
        return type;
    }
    type->extensions = extension;
    type->className = ReadDefault(key);
    if (!type->className) {
        return type;
    }
    const std::wstring& className = *type->className;
    RegistryKey classKey(HKEY_CLASSES_ROOT);
    if (classKey.Open(className.c_str(), KEY_READ) != ERROR_SUCCESS) {
        return type;
    }
    type->description = ReadDefault(classKey);
    type->openCommand = ReadDefaultValue(className + L"\\Shell\\Open\\Command");
    if (std::optional<std::wstring> icon = ReadDefaultValue(className + L"\\DefaultIcon")) {
        wchar_t location[kMaxPath];
        StringCchCopyW(location, kMaxPath, icon->c_str()); // a registry text, cut to a path
        type->iconIndex = SplitIconLocation(location);
        type->iconFile = location;
    }
    return type;
}

std::wstring LowerCase(std::wstring text) {
    if (!text.empty()) {
        CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    }
    return text;
}

} // namespace

FileTypeTable& SharedFileTypes() {
    static FileTypeTable table;
    return table;
}

void FileTypeTable::Load() {
    RegistryKey classRoot(HKEY_CLASSES_ROOT);
    if (classRoot.Open(L"", KEY_READ) != ERROR_SUCCESS) {
        return;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[kMaxPath];
        DWORD length = kMaxPath;
        if (RegEnumKeyExW(classRoot.Handle(), index, name, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            break;
        }
        if (name[0] != L'.') {
            continue;
        }
        std::unique_ptr<FileType> type = ReadFileType(name);
        if (!type->className) {
            continue;
        }
        const std::wstring extension = LowerCase(name);
        const auto known = byClass.find(*type->className);
        if (known == byClass.end()) {
            byClass.emplace(*type->className, type.get());
            byExtension.emplace(extension, type.get());
            records.push_back(std::move(type));
        } else {
            byExtension.emplace(extension, known->second);
            known->second->extensions += extension;
        }
    }
}

void FileTypeTable::Clear() {
    byClass.clear();
    byExtension.clear();
    records.clear();
}

FileTypeNames::FileTypeNames() {
    if (SharedFileTypes().instances++ == 0) {
        SharedFileTypes().Load();
    }
}

FileTypeNames::~FileTypeNames() {
    if (--SharedFileTypes().instances == 0) {
        SharedFileTypes().Clear();
    }
}

const FileType* FileTypeNames::FindTypeByExtension(const wchar_t* extension) const {
    const auto& byExtension = SharedFileTypes().byExtension;
    const auto found = byExtension.find(std::wstring_view(extension));
    return found == byExtension.end() ? nullptr : found->second;
}

const wchar_t* FileTypeNames::TypeNameOf(const wchar_t* name, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return LanguageText(L"File Folder", L"ﾌｧｲﾙ ﾌｫﾙﾀﾞ");
    }
    const wchar_t* extension = FindExtension(name);
    const wchar_t* file = LanguageText(L"File", L"ﾌｧｲﾙ");
    if (*extension == L'\0') {
        composed = file;
        return composed.c_str();
    }
    if (_wcsicmp(extension, L".lnk") == 0) {
        return LanguageText(L"Shortcut", L"ｼｮｰﾄｶｯﾄ");
    }
    const FileType* type = FindTypeByExtension(extension);
    if (type != nullptr && type->description) {
        return type->description->c_str();
    }
    composed = extension + 1;
    if (!composed.empty()) {
        CharUpperBuffW(composed.data(), static_cast<DWORD>(composed.size()));
    }
    composed += L" ";
    composed += file;
    return composed.c_str();
}
