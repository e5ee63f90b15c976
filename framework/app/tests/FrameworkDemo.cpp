// Shows the framework's windows as a user sees them, for screenshots and for looking at by
// hand: `framework_demo frame`, `framework_demo dialog` or `framework_demo sheet`, best run
// in a Pocket PC-sized Wine desktop (scripts/framework-screenshots.sh does that).
#include "framework/app/Application.h"
#include "framework/app/FrameWindow.h"
#include "framework/app/FullScreenDialog.h"
#include "framework/app/InputPanel.h"
#include "framework/app/MenuBars.h"
#include "framework/app/MessageRoutes.h"
#include "framework/app/PropertyPage.h"
#include "test_ids.h"

#include <windows.h>

#include <cwchar>

namespace {

class DemoFrame : public FrameWindow {
public:
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        static constexpr MessageRoute<DemoFrame, LRESULT> kRoutes[] = {
            {WM_COMMAND, &DemoFrame::OnCommand},
            {WM_DESTROY, &DemoFrame::OnDestroy},
        };
        return RouteMessage(*this, kRoutes, window, message, wParam, lParam,
                            [&] { return Window::WindowProc(window, message, wParam, lParam); });
    }
    LRESULT OnCommand(HWND window, UINT, WPARAM wParam, LPARAM) override {
        if (LOWORD(wParam) == IDC_TEST_EXIT) {
            DestroyWindow(window);
        }
        return 0;
    }
};

class DemoDialog : public FullScreenDialog {
public:
    INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override {
        FullScreenDialog::OnInitDialog(dialog, message, wParam, lParam);
        if (showPanel) {
            // Once the dialog is up, as a tap into its edit field would.
            PostMessageW(dialog, kShowPanel, 0, 0);
        }
        return 1;
    }
    INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kShowPanel) {
            SetFocus(GetDlgItem(dialog, 101));
            ShowSip();
            return 1;
        }
        return FullScreenDialog::DialogProc(dialog, message, wParam, lParam);
    }
    static constexpr UINT kShowPanel = WM_APP + 1;
    bool showPanel = false;
};

int RunMessageLoopUntilQuit() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!TranslateDialogMessage(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Application::instance = GetModuleHandleW(nullptr);
    const HDC screen = GetDC(nullptr);
    Application::dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    Application::dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    Application::hiRes = Application::dpiX >= 130;
    Application::japanese = argc > 2 && wcscmp(argv[2], L"ja") == 0;
    StringCchCopyW(Application::className, ARRAYSIZE(Application::className), L"MensurioDemo");
    StringCchCopyW(Application::title, ARRAYSIZE(Application::title), L"Mensurio");
    InitControlClasses(0xFF);

    const wchar_t* what = argc > 1 ? argv[1] : L"frame";
    if (wcscmp(what, L"dialog") == 0 || wcscmp(what, L"panel") == 0) {
        DemoDialog dialog;
        dialog.showPanel = wcscmp(what, L"panel") == 0;
        return static_cast<int>(dialog.DoModal(nullptr, L"TestFullScreen_E"));
    }
    if (wcscmp(what, L"sheet") == 0) {
        PropertySheet sheet;
        PropertyPage first;
        PropertyPage second;
        first.Create(sheet, L"TestPage_E");
        second.Create(sheet, L"TestPage_E");
        return static_cast<int>(sheet.Show(nullptr, PSH_NOAPPLYNOW, L"About..."));
    }
    DemoFrame frame;
    if (!frame.Create(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      WS_VISIBLE | WS_CLIPCHILDREN, 0, COLOR_WINDOW)) {
        return 1;
    }
    frame.CreateMenuBar(IDM_TEST_MENU);
    TBADDBITMAP images = {
        Application::instance,
        static_cast<UINT_PTR>(Application::hiRes ? IDB_DIALOG_BAR_HIRES : IDB_DIALOG_BAR)};
    SendMessageW(frame.menuBar.handle, TB_ADDBITMAP, 9, reinterpret_cast<LPARAM>(&images));
    TBBUTTON buttons[2] = {};
    buttons[0] = {2, 30, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
    buttons[1] = {4, 32, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
    SendMessageW(frame.menuBar.handle, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
    return RunMessageLoopUntilQuit();
}
