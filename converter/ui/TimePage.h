// The built-in page of second, minute, hour, day and year.
#pragma once

#include "ConverterPage.h"

class TimePage : public ConverterPage {
public:
    // Shows one second in every unit; the labels are the template's.
    INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    void ConvertFrom(int row) override;
    HWND CreatePage(HWND parent) override;
};
