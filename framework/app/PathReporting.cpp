#include "PathReporting.h"

#include "Application.h"
#include "MessageBoxes.h"
#include "Paths.h"

void ReportPathTooLong(HWND owner, const wchar_t* path) {
    ShowError(owner, LanguageText(L"The path is too long\n%s", L"ﾊﾟｽが長すぎます\n%s"), path);
}

bool JoinPathReporting(HWND owner, wchar_t* out, const wchar_t* folder, const wchar_t* name) {
    if (JoinPath(out, folder, name) != nullptr) {
        return true;
    }
    ShowError(owner, LanguageText(L"The path is too long\n%s\\%s", L"ﾊﾟｽが長すぎます\n%s\\%s"),
              folder, name);
    return false;
}
