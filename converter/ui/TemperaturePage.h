// The built-in page of Celsius, Fahrenheit and kelvin.
#pragma once

#include "ConverterPage.h"

class TemperaturePage : public ConverterPage {
public:
    // Shows 0 degrees Celsius in all three scales; the labels are the template's.
    INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // A tapped label sets its row to 0 rather than 1.
    LRESULT OnLabelTap(int row) override;
    void ConvertFrom(int row) override;
    HWND CreatePage(HWND parent) override;
    // No temperature lies below absolute zero.
    bool Accepts(int row, double value) const override;
};
