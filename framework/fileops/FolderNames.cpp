#include "FolderNames.h"

#include "framework/app/Application.h"
#include "framework/app/MessageBoxes.h"
#include "framework/app/PathReporting.h"
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

namespace {

// A name the system takes for one of its devices, whatever its extension.
bool IsDeviceName(const wchar_t* name) {
    std::wstring base(name, wcscspn(name, L"."));
    while (!base.empty() && base.back() == L' ') {
        base.pop_back();
    }
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL"}) {
        if (_wcsicmp(base.c_str(), device) == 0) {
            return true;
        }
    }
    return base.size() == 4 &&
           (_wcsnicmp(base.c_str(), L"COM", 3) == 0 || _wcsnicmp(base.c_str(), L"LPT", 3) == 0) &&
           base[3] >= L'1' && base[3] <= L'9';
}

} // namespace

bool CheckNewName(HWND owner, const wchar_t* name) {
    if (name[wcsspn(name, L". ")] == L'\0') {
        ShowError(owner, LanguageText(L"A name is needed: type one.", L"名前を入力してください。"));
        return false;
    }
    if (wcspbrk(name, kForbiddenNameChars) != nullptr) {
        ShowError(owner,
                  LanguageText(L"Invalid chars\n%s", L"ﾌｧｲﾙ名には次の文字は使えません。\n%s"),
                  kForbiddenNameChars);
        return false;
    }
    if (IsDeviceName(name)) {
        ShowError(owner,
                  LanguageText(L"'%s' is a name the system keeps for a device: choose another.",
                               L"'%s' はｼｽﾃﾑが機器のために予約している名前です。別の名前にして"
                               L"ください。"),
                  name);
        return false;
    }
    return true;
}
