#include "TemperaturePage.h"

#include "converter/conversion/ConversionRules.h"
#include "framework/app/Application.h"

INT_PTR TemperaturePage::OnInitDialog(HWND dialog, UINT, WPARAM, LPARAM) {
    rowCount = kTemperatureRows;
    AdoptRows(dialog);
    for (int row = 0; row < rowCount; ++row) {
        values[row] = kInitialTemperatures[row];
    }
    ShowValues();
    return 1;
}

LRESULT TemperaturePage::OnLabelTap(int row) {
    CommitText(row, L"0");
    return 0;
}

void TemperaturePage::ConvertFrom(int row) {
    if (const std::optional<double> value = CommittedValue(row)) {
        ConvertTemperature(row, *value, values);
        FinishConversion(row);
    }
}

bool TemperaturePage::Accepts(int row, double value) const {
    return !IsBelowAbsoluteZero(row, value);
}

HWND TemperaturePage::CreatePage(HWND parent) {
    return Create(parent, LocalizedResourceName(L"DlgTemp").c_str());
}
