#include "AboutRows.h"

#include "PercentBar.h"
#include "framework/app/Application.h"
#include "framework/app/GdiObject.h"
#include "framework/app/Paths.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kUnknownPercentage = 255;
constexpr COLORREF kLabelColour = RGB(0, 0, 139);

void DrawRowIcon(HDC dc, int x, int y, int icon) {
    const int width = GetSystemMetrics(SM_CXICON);
    const int height = GetSystemMetrics(SM_CYICON);
    const auto handle = static_cast<HICON>(
        LoadImageW(Application::instance, MAKEINTRESOURCEW(icon), IMAGE_ICON, width, height, 0));
    if (handle != nullptr) {
        DrawIconEx(dc, ScaleX(x), ScaleY(y + 4), handle, width, height, 0, nullptr, DI_NORMAL);
        DestroyIcon(handle);
    }
}

void DrawRowBar(HDC dc, int x, int y, int column, int percentage, const wchar_t* text) {
    DrawPercentBar(dc, ScaleX(x + 40), ScaleY(y + 14), ScaleX(160), ScaleY(16), column, percentage,
                   text);
}

// The face of the rows' texts: the device's Tahoma, narrower than the platform's default
// face; Japanese text is drawn in the face the platform gives its character set.
const wchar_t* RowFace() {
    return Application::japanese ? nullptr : L"Tahoma";
}

// The character height, at most the rows' own, at which a text is no wider than `room` on
// one line. Where the system has no Tahoma, the face it gives instead may be wider.
int FittingHeight(HDC dc, const wchar_t* text, int weight, int room) {
    int height = ScaleY(12);
    while (height > 1) {
        const Font font(-height, weight, DEFAULT_PITCH, RowFace());
        const HGDIOBJ oldFont = SelectObject(dc, font.Handle());
        SIZE size = {};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
        SelectObject(dc, oldFont);
        if (size.cx <= room) {
            break;
        }
        height = std::max(1, std::min<int>(height - 1, height * room / size.cx));
    }
    return height;
}

// Draws a text of the row's font on one line in a rectangle given in design pixels: whole,
// smaller where the face would make it wider than the rectangle.
void DrawRowText(HDC dc, const wchar_t* text, int weight, COLORREF colour, int left, int top,
                 int right, int bottom, UINT alignment) {
    RECT rect = {ScaleX(left), ScaleY(top), ScaleX(right), ScaleY(bottom)};
    const Font font(-FittingHeight(dc, text, weight, rect.right - rect.left), weight, DEFAULT_PITCH,
                    RowFace());
    const HGDIOBJ oldFont = SelectObject(dc, font.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawTextW(dc, text, -1, &rect, alignment | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

void DrawRowLabel(HDC dc, int x, int y, const wchar_t* label) {
    DrawRowText(dc, label, FW_SEMIBOLD, kLabelColour, x + 40, y, x + 200, y + 14, DT_LEFT);
}

} // namespace

BatteryLevel BatteryLevelOf(int percentage, int flag) {
    if (percentage != kUnknownPercentage) {
        return {percentage, nullptr};
    }
    // What a battery without a percentage tells by its flag alone: the bar's length and
    // the word beside it.
    struct FlagLevel {
        int flag;
        int percentage;
        const wchar_t* english;
        const wchar_t* japanese;
    };
    static constexpr FlagLevel kFlagLevels[] = {
        {BATTERY_FLAG_HIGH, 100, L"High", L"多い"},
        {BATTERY_FLAG_LOW, 25, L"Low", L"少ない"},
        {BATTERY_FLAG_CRITICAL, 10, L"Critical", L"極少"},
        {BATTERY_FLAG_CHARGING, 0, L"Charging", L"充電中"},
        {BATTERY_FLAG_NO_BATTERY, 0, L"None", L"なし"},
        {BATTERY_FLAG_UNKNOWN, 0, L"Unknown", L"不明"},
    };
    for (const FlagLevel& level : kFlagLevels) {
        if ((flag & 0xFF) == level.flag) {
            return {level.percentage, LanguageText(level.english, level.japanese)};
        }
    }
    return {percentage, nullptr};
}

void DrawBatteryRow(HDC dc, int x, int y, int percentage, int flag, int icon,
                    const wchar_t* label) {
    DrawRowIcon(dc, x, y, icon);
    const BatteryLevel level = BatteryLevelOf(percentage, flag);
    DrawRowBar(dc, x, y, LevelColumn(level.percentage), level.percentage, level.text);
    DrawRowLabel(dc, x, y, label);
}

void DrawMemoryRow(HDC dc, int x, int y, unsigned long long free, unsigned long long total,
                   int icon, const wchar_t* label) {
    const double share = total == 0 ? 0.0 : double(free) * 100.0 / double(total);
    const int percentage = static_cast<int>(std::trunc(share));
    DrawRowIcon(dc, x, y, icon);
    DrawRowBar(dc, x, y, LevelColumn(percentage), percentage, nullptr);
    DrawRowText(dc, FormatSize(free).c_str(), FW_NORMAL, RGB(0, 0, 0), x + 40, y + 30, x + 120,
                y + 42, DT_LEFT);
    DrawRowText(dc, FormatSize(total).c_str(), FW_NORMAL, RGB(0, 0, 0), x + 120, y + 30, x + 200,
                y + 42, DT_RIGHT);
    DrawRowLabel(dc, x, y, label);
}
