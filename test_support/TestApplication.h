// The process values a window test starts from: this program's resources, an ordinary
// 96-DPI screen, the common controls, and a main window class and title of its own.
#pragma once

void InitTestApplication();
