#include "TestApplication.h"

#include "framework/app/Application.h"

#include <windows.h>

#include <commctrl.h>
#include <strsafe.h>

void InitTestApplication() {
    Application::instance = GetModuleHandleW(nullptr);
    Application::dpiX = Application::dpiY = 96;
    StringCchCopyW(Application::className, ARRAYSIZE(Application::className), L"MensurioTest");
    StringCchCopyW(Application::title, ARRAYSIZE(Application::title), L"Mensurio");
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}
