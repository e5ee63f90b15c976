#include "TimePage.h"

#include "converter/conversion/ConversionRules.h"
#include "framework/app/Application.h"

INT_PTR TimePage::OnInitDialog(HWND dialog, UINT, WPARAM, LPARAM) {
    rowCount = kTimeRows;
    AdoptRows(dialog);
    InitialRatioValues(kSecondsPerUnit, rowCount, values);
    ShowValues();
    return 1;
}

void TimePage::ConvertFrom(int row) {
    if (const std::optional<double> value = CommittedValue(row)) {
        ConvertByRatio(kSecondsPerUnit, rowCount, row, *value, values);
        FinishConversion(row);
    }
}

HWND TimePage::CreatePage(HWND parent) {
    return Create(parent, LocalizedResourceName(L"DlgTime").c_str());
}
