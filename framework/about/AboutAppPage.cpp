#include "AboutAppPage.h"

#include "framework/app/Application.h"
#include "framework/app/Paths.h"
#include "resources/about_ids.h"
#include "resources/app_ids.h"

INT_PTR AboutAppPage::OnInitDialog(HWND page, UINT, WPARAM, LPARAM) {
    for (int string = IDS_TITLE; string <= IDS_NOTICE_4; ++string) {
        wchar_t text[kMaxPath] = {};
        if (LoadStringW(Application::instance, string, text, kMaxPath) > 0) {
            SetDlgItemTextW(page, IDC_ABOUT_TEXT + 1 + (string - IDS_TITLE), text);
        }
    }
    return 1;
}
