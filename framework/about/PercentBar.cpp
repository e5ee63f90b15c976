#include "PercentBar.h"

#include "framework/app/Application.h"
#include "framework/app/GdiObject.h"
#include "resources/about_ids.h"

#include <string>

namespace {

constexpr int kBarBitmapHeight = 64;

void StretchColumn(HDC dc, HDC strip, int left, int top, int width, int height, int column) {
    StretchBlt(dc, left, top, width, height, strip, column, 0, 1, kBarBitmapHeight, SRCCOPY);
}

} // namespace

int LevelColumn(int percentage) {
    const int level = percentage > 100 ? 0 : percentage / 25;
    switch (level) {
    case 0:
        return kRedBarColumn;
    case 1:
        return kOrangeBarColumn;
    case 2:
        return kGreenBarColumn;
    default:
        return kBlueBarColumn;
    }
}

void DrawPercentBar(HDC dc, int left, int top, int width, int height, int column, int percentage,
                    const wchar_t* text) {
    const int saved = SaveDC(dc);
    const GdiObject strip(
        LoadImageW(Application::instance, MAKEINTRESOURCEW(IDB_PERCENT_BAR), IMAGE_BITMAP, 0, 0, 0),
        TRUE);
    const HDC stripDc = CreateCompatibleDC(dc);
    const HGDIOBJ oldStrip = SelectObject(stripDc, strip.handle);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchColumn(dc, stripDc, left, top, width, height, kEmptyBarColumn);
    if (percentage >= 0 && percentage <= 100) {
        StretchColumn(dc, stripDc, left, top, width * percentage / 100, height, column);
    }
    SelectObject(stripDc, oldStrip);
    DeleteDC(stripDc);

    const Font font(-ScaleY(12), FW_NORMAL, DEFAULT_PITCH);
    SelectObject(dc, font.Handle());
    std::wstring shown;
    if (text != nullptr) {
        shown = text;
    } else if (percentage >= 0 && percentage <= 100) {
        shown = std::to_wstring(percentage) + L"%";
    }
    constexpr UINT kFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    SetBkMode(dc, TRANSPARENT);
    RECT shadow = {left + 1, top + 1, left + width + 1, top + height + 1};
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextW(dc, shown.c_str(), -1, &shadow, kFormat);
    RECT bar = {left, top, left + width, top + height};
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, shown.c_str(), -1, &bar, kFormat);
    // The font is deleted after the context lets go of it.
    RestoreDC(dc, saved);
}
