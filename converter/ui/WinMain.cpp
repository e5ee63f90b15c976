// Entry point of mensurio.exe: fixes the process values, makes sure only one instance runs,
// and runs the converter's main window until it closes.
#include "ConverterWindow.h"
#include "framework/app/Application.h"
#include "framework/app/MessageBoxes.h"
#include "framework/app/MessageLoop.h"

#include <windows.h>

namespace {

constexpr DWORD kMainWindowStyle = WS_VISIBLE | WS_CLIPCHILDREN;
constexpr int kBackground = COLOR_WINDOW;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    InstallOutOfMemoryHandler();
    InitApplicationValues(instance);
    if (ActivatePreviousInstance(Application::className) != nullptr) {
        return 0;
    }
    ConverterWindow window;
    if (!window.Create(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, kMainWindowStyle,
                       0, kBackground)) {
        return 0;
    }
    ShowWindow(window.handle, showCommand);
    UpdateWindow(window.handle);
    return RunMessageLoop(window, false);
}
