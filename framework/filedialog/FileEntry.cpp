#include "FileEntry.h"

#include "Places.h"

namespace {

bool HasColumns(const FileEntry& entry) {
    return entry.kind != kAppletRow && entry.kind != kDatabaseRow;
}

} // namespace

const wchar_t* FileEntry::DisplayName() const {
    return IsPlace(kind) ? PlaceOf(kind).Name() : name;
}

std::wstring SizeText(const FileEntry& entry) {
    if (!HasColumns(entry) || entry.IsFolder()) {
        return L"";
    }
    return FormatSize(entry.Size());
}

std::wstring TypeText(const FileEntry& entry) {
    return HasColumns(entry) && entry.typeName ? *entry.typeName : L"";
}

std::wstring DateText(const FileEntry& entry) {
    if (!HasColumns(entry) ||
        (entry.lastWrite.dwLowDateTime == 0 && entry.lastWrite.dwHighDateTime == 0)) {
        return L"";
    }
    return LocalDateTimeText(entry.lastWrite, LOCALE_SYSTEM_DEFAULT);
}
