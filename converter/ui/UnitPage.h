// The page of one category of a definition file.
#pragma once

#include "ConverterPage.h"
#include "converter/definitions/UnitCategory.h"

#include <memory>

class UnitPage : public ConverterPage {
public:
    explicit UnitPage(std::unique_ptr<UnitCategory> category);

    // Labels the rows with the units and shows one reference unit in each.
    INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnDestroy(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Converts by the ratio of the units' factors.
    void ConvertFrom(int row) override;
    HWND CreatePage(HWND parent) override;

    std::unique_ptr<UnitCategory> category;
};
