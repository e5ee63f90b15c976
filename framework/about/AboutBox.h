// The About box: a full-screen property sheet of the version, memory and battery pages.
// It lives only while it is shown.
#pragma once

#include "AboutAppPage.h"
#include "AboutBatteryPage.h"
#include "AboutMemoryPage.h"
#include "framework/app/PropertySheet.h"

class AboutBox : public PropertySheet {
public:
    // Pages are destroyed in reverse order, then the sheet.
    AboutAppPage appPage;
    AboutMemoryPage memoryPage;
    AboutBatteryPage batteryPage;
};

// Shows the About box modally over `parent`, with the caption "About..." in the current
// language and without an Apply Now button.
void ShowAboutBox(HWND parent);
