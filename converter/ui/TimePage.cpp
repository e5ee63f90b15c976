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
    ConvertByRatio(kSecondsPerUnit, rowCount, row, ReadRowValue(row), values);
    FinishConversion(row);
}

HWND TimePage::CreatePage(HWND parent) {
    return Create(parent, LocalizedResourceName(L"DlgTime").c_str());
}
