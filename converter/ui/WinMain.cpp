// Entry point of mensurio.exe.
#include "framework/app/Application.h"
#include "framework/app/MessageBoxes.h"

#include <windows.h>

// Fixes the process values that exist so far. The converter's main window and its message
// loop come with the converter's user interface.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    InstallOutOfMemoryHandler();
    Application::instance = instance;
    return 0;
}
