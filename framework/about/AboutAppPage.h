// The About box's first page: the program's icon, name, version and the maker's notice.
#pragma once

#include "framework/app/PropertyPage.h"

class AboutAppPage : public PropertyPage {
public:
    // Fills text 11900 + n with string n for every string from 101 to 106 that exists.
    INT_PTR OnInitDialog(HWND page, UINT message, WPARAM wParam, LPARAM lParam) override;
};
