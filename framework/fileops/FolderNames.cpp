#include "FolderNames.h"

#include "FileReporting.h"
#include "framework/app/Application.h"
#include "framework/app/MessageBoxes.h"
#include "framework/app/Paths.h"

#include <cwchar>
#include <string>

bool NewFolderName(HWND owner, wchar_t* out, const wchar_t* folder) {
    const std::wstring base = LanguageText(L"New Folder", L"新しいフォルダ");
    std::wstring candidate = base;
    for (unsigned number = 2;; ++number) {
        if (!JoinPathReporting(owner, out, folder, candidate.c_str())) {
            return false;
        }
        if (!PathExists(out)) {
            return true;
        }
        candidate = base + L" (" + std::to_wstring(number) + L")";
    }
}

bool CheckNameChars(HWND owner, const wchar_t* name) {
    if (wcspbrk(name, kForbiddenNameChars) == nullptr) {
        return true;
    }
    ShowError(owner, LanguageText(L"Invalid chars\n%s", L"ﾌｧｲﾙ名には次の文字は使えません。\n%s"),
              kForbiddenNameChars);
    return false;
}
