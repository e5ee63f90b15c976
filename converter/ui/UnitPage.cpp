#include "UnitPage.h"

#include "converter/conversion/ConversionRules.h"
#include "framework/app/Application.h"
#include "resources/converter_ids.h"

UnitPage::UnitPage(std::unique_ptr<UnitCategory> category) : category(std::move(category)) {
}

INT_PTR UnitPage::OnInitDialog(HWND dialog, UINT, WPARAM, LPARAM) {
    rowCount = category->UnitCount();
    AdoptRows(dialog);
    for (int row = 0; row < rowCount; ++row) {
        SetWindowTextW(labels[row]->handle, category->UnitName(row).c_str());
        engineering[row] = category->Engineering(row);
    }
    for (int row = rowCount; row < kMaxRows; ++row) {
        ShowWindow(GetDlgItem(dialog, IDC_ROW_EDIT + row), SW_HIDE);
    }
    InitialRatioValues(category->Factors(), rowCount, values);
    ShowValues();
    return 1;
}

INT_PTR UnitPage::OnDestroy(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const INT_PTR result = ConverterPage::OnDestroy(dialog, message, wParam, lParam);
    category.reset();
    return result;
}

void UnitPage::ConvertFrom(int row) {
    if (const std::optional<double> value = CommittedValue(row)) {
        ConvertByRatio(category->Factors(), rowCount, row, *value, values);
        FinishConversion(row);
    }
}

HWND UnitPage::CreatePage(HWND parent) {
    return Create(parent, LocalizedResourceName(L"DlgUnit").c_str());
}
