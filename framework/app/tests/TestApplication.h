// The process values a window test starts from: this program's resources, an ordinary
// 96-DPI screen and the common controls.
#pragma once

#include "framework/app/Application.h"

#include <windows.h>

#include <commctrl.h>

inline void InitTestApplication() {
    Application::instance = GetModuleHandleW(nullptr);
    Application::dpiX = Application::dpiY = 96;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}
