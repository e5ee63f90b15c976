#include "PropertyPage.h"

#include "Application.h"
#include "MessageRoutes.h"

PropertyPage::~PropertyPage() {
    pageHandle = nullptr;
}

INT_PTR PropertyPage::DialogProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    static constexpr MessageRoute<PropertyPage, INT_PTR> kRoutes[] = {
        {WM_INITDIALOG, &PropertyPage::OnInitDialog},
        {WM_COMMAND, &PropertyPage::OnCommand},
        {WM_NOTIFY, &PropertyPage::OnNotify},
    };
    return RouteMessage(*this, kRoutes, page, message, wParam, lParam, [] { return INT_PTR{0}; });
}

INT_PTR PropertyPage::OnNotify(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    static constexpr MessageRoute<PropertyPage, LRESULT> kNotifications[] = {
        {PSN_SETACTIVE, &PropertyPage::OnSetActive},
        {PSN_KILLACTIVE, &PropertyPage::OnKillActive},
        {PSN_APPLY, &PropertyPage::OnApply},
        {PSN_WIZBACK, &PropertyPage::OnWizBack},
        {PSN_WIZNEXT, &PropertyPage::OnWizNext},
        {PSN_WIZFINISH, &PropertyPage::OnWizFinish},
        {PSN_QUERYCANCEL, &PropertyPage::OnQueryCancel},
    };
    const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
    // These two have no result to give: the sheet reads the page's as 0.
    if (code == PSN_RESET) {
        OnReset(page, message, wParam, lParam);
        return 1;
    }
    if (code == PSN_HELP) {
        OnHelp(page, message, wParam, lParam);
        return 1;
    }
    const MessageHandler<PropertyPage, LRESULT> handler = FindHandler(kNotifications, code);
    if (handler == nullptr) {
        return 0;
    }
    SetWindowLongPtrW(page, DWLP_MSGRESULT, (this->*handler)(page, message, wParam, lParam));
    return 1;
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
