#include "PropertyPage.h"

#include "Application.h"

PropertyPage::~PropertyPage() {
    pageHandle = nullptr;
}

INT_PTR PropertyPage::DialogProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, message, wParam, lParam);
    case WM_COMMAND:
        return OnCommand(page, message, wParam, lParam);
    case WM_NOTIFY:
        return OnNotify(page, message, wParam, lParam);
    default:
        return 0;
    }
}

INT_PTR PropertyPage::OnInitDialog(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

INT_PTR PropertyPage::OnCommand(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

INT_PTR PropertyPage::OnNotify(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    using Handler = LRESULT (PropertyPage::*)(HWND, UINT, WPARAM, LPARAM);
    Handler handler = nullptr;
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case PSN_SETACTIVE:
        handler = &PropertyPage::OnSetActive;
        break;
    case PSN_KILLACTIVE:
        handler = &PropertyPage::OnKillActive;
        break;
    case PSN_APPLY:
        handler = &PropertyPage::OnApply;
        break;
    case PSN_WIZBACK:
        handler = &PropertyPage::OnWizBack;
        break;
    case PSN_WIZNEXT:
        handler = &PropertyPage::OnWizNext;
        break;
    case PSN_WIZFINISH:
        handler = &PropertyPage::OnWizFinish;
        break;
    case PSN_QUERYCANCEL:
        handler = &PropertyPage::OnQueryCancel;
        break;
    case PSN_RESET:
        OnReset(page, message, wParam, lParam);
        return 1;
    case PSN_HELP:
        OnHelp(page, message, wParam, lParam);
        return 1;
    default:
        return 0;
    }
    SetWindowLongPtrW(page, DWLP_MSGRESULT, (this->*handler)(page, message, wParam, lParam));
    return 1;
}

LRESULT PropertyPage::OnApply(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

void PropertyPage::OnHelp(HWND, UINT, WPARAM, LPARAM) {
}

LRESULT PropertyPage::OnKillActive(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

LRESULT PropertyPage::OnQueryCancel(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

void PropertyPage::OnReset(HWND, UINT, WPARAM, LPARAM) {
}

LRESULT PropertyPage::OnSetActive(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

LRESULT PropertyPage::OnWizBack(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

LRESULT PropertyPage::OnWizFinish(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

LRESULT PropertyPage::OnWizNext(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

HPROPSHEETPAGE PropertyPage::Create(PropertySheet& owner, const wchar_t* name) {
    CheckDialogTemplate(nullptr, name);
    templateName = name; // the platform page refers to the name
    PROPSHEETPAGEW description = {};
    description.dwSize = sizeof description;
    description.hInstance = Application::instance;
    description.pszTemplate = templateName.c_str();
    description.pfnDlgProc = PropertyPageProcedure;
    description.lParam = reinterpret_cast<LPARAM>(this);
    sheet = &owner;
    pageHandle = CreatePropertySheetPageW(&description);
    if (pageHandle != nullptr) {
        owner.AddPage(pageHandle);
    }
    return pageHandle;
}

INT_PTR CALLBACK PropertyPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* description = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        BindDialog(reinterpret_cast<DialogWindow*>(description->lParam), page);
    }
    return DispatchDialogMessage(page, message, wParam, lParam, L"FPropPage");
}
