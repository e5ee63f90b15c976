#include "AboutAppPage.h"

#include "framework/app/Application.h"
#include "framework/app/Paths.h"
#include "resources/about_ids.h"

namespace {

constexpr int kFirstString = 101;
constexpr int kLastString = 106;

} // namespace

INT_PTR AboutAppPage::OnInitDialog(HWND page, UINT, WPARAM, LPARAM) {
    for (int string = kFirstString; string <= kLastString; ++string) {
        wchar_t text[kMaxPath] = {};
        if (LoadStringW(Application::instance, string, text, kMaxPath) > 0) {
            SetDlgItemTextW(page, IDC_ABOUT_TEXT + (string - 100), text);
        }
    }
    return 1;
}
