// A page of a property sheet: a dialog whose sheet notifications reach one handler each.
#pragma once

#include "DialogWindow.h"
#include "PropertySheet.h"

#include <string>

class PropertyPage : public DialogWindow {
public:
    // The sheet's own code frees the page; the object only forgets its handle.
    ~PropertyPage() override;

    // Routes initialise-dialog, command and notify to the handlers below; every other
    // message is not handled. Pages that paint widen it.
    INT_PTR DialogProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs when the page's controls exist, the first time the sheet shows the page.
    virtual INT_PTR OnInitDialog(HWND, UINT, WPARAM, LPARAM) { return 0; }
    // Runs on WM_COMMAND from the page's controls.
    virtual INT_PTR OnCommand(HWND, UINT, WPARAM, LPARAM) { return 0; }
    // Runs on WM_NOTIFY; the default hands the sheet's notifications to the handlers below
    // and makes their results the page's message result.
    virtual INT_PTR OnNotify(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

    // The sheet's notifications (PSN_...). Each default returns 0; OnHelp and OnReset
    // return nothing.
    virtual LRESULT OnApply(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual void OnHelp(HWND, UINT, WPARAM, LPARAM) {}
    virtual LRESULT OnKillActive(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnQueryCancel(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual void OnReset(HWND, UINT, WPARAM, LPARAM) {}
    virtual LRESULT OnSetActive(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnWizBack(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnWizFinish(HWND, UINT, WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnWizNext(HWND, UINT, WPARAM, LPARAM) { return 0; }

    // Makes the platform page from the template and adds it to the sheet (when the sheet
    // has room); returns the page handle or null.
    HPROPSHEETPAGE Create(PropertySheet& sheet, const wchar_t* templateName);

    HPROPSHEETPAGE pageHandle = nullptr;
    PropertySheet* sheet = nullptr;

private:
    std::wstring templateName;
};

// The dialog procedure of every property page.
INT_PTR CALLBACK PropertyPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
