// The About box: battery and memory rows drawn into a bitmap and read back by colour, the
// memory page's storage cards, and the sheet with its pages in both languages.
#include "framework/about/AboutBox.h"
#include "framework/about/AboutBatteryPage.h"
#include "framework/about/AboutMemoryPage.h"
#include "framework/about/AboutRows.h"
#include "framework/about/PercentBar.h"
#include "framework/app/Application.h"
#include "platform/DeviceStatus.h"
#include "resources/about_ids.h"
#include "test_support/GuiObjects.h"
#include "test_support/PixelCanvas.h"
#include "test_support/TestApplication.h"
#include "test_support/Texts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

enum class Hue { White, Grey, Red, Orange, Green, Blue, Dark, Other };

// The About rows drawn on a device-wide canvas, read by the colours of their parts.
class Canvas : public PixelCanvas {
public:
    Canvas() : PixelCanvas(240, 400) {}

    Hue HueAt(int x, int y) const {
        const DWORD pixel = Pixel(x, y);
        const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        if (r > 245 && g > 245 && b > 245) {
            return Hue::White;
        }
        // Black text, or the labels' dark blue.
        if (r < 80 && g < 80 && b < 160) {
            return Hue::Dark;
        }
        if (std::max({r, g, b}) - std::min({r, g, b}) < 40) {
            return Hue::Grey;
        }
        if (b > r + 40 && b > g + 20) {
            return Hue::Blue;
        }
        if (g > r + 20 && g > b + 20) {
            return Hue::Green;
        }
        if (r > g + 40 && r > b + 40) {
            return g > b + 40 ? Hue::Orange : Hue::Red;
        }
        return Hue::Other;
    }

    // Whether any pixel of the rectangle is dark: text was written there.
    bool HasText(int left, int top, int right, int bottom) const {
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                if (HueAt(x, y) == Hue::Dark) {
                    return true;
                }
            }
        }
        return false;
    }
};

class AboutBox : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitTestApplication(); }
    void TearDown() override {
        SetDeviceStatusForTesting(nullptr);
        Application::japanese = FALSE;
    }

    // A battery row at (4, 4): its bar spans x 44..203 and y 18..33.
    Canvas& Battery(int percentage, int flag) {
        DrawBatteryRow(canvas.dc, 4, 4, percentage, flag, IDI_BATTERY, L"Main Battery");
        return canvas;
    }
    Hue BarStart() const { return canvas.HueAt(47, 26); }
    Hue BarEnd() const { return canvas.HueAt(200, 26); }
    bool BarText() const { return canvas.HasText(60, 18, 188, 34); }

    Canvas canvas;
};

TEST_F(AboutBox, LevelColoursAndFill) {
    EXPECT_EQ(kRedBarColumn, LevelColumn(0));
    EXPECT_EQ(kRedBarColumn, LevelColumn(24));
    EXPECT_EQ(kOrangeBarColumn, LevelColumn(25));
    EXPECT_EQ(kOrangeBarColumn, LevelColumn(49));
    EXPECT_EQ(kGreenBarColumn, LevelColumn(50));
    EXPECT_EQ(kBlueBarColumn, LevelColumn(75));
    EXPECT_EQ(kBlueBarColumn, LevelColumn(100));
    EXPECT_EQ(kRedBarColumn, LevelColumn(255));

    // 80 % of a 100-pixel bar is 80 pixels of colour, then the empty grey.
    DrawPercentBar(canvas.dc, 0, 0, 100, 16, kBlueBarColumn, 80, L"");
    EXPECT_EQ(Hue::Blue, canvas.HueAt(78, 8));
    EXPECT_EQ(Hue::Grey, canvas.HueAt(82, 8));
    // Above 100 nothing is filled and, without a text of its own, nothing is written.
    DrawPercentBar(canvas.dc, 0, 20, 100, 16, kBlueBarColumn, 101, nullptr);
    EXPECT_EQ(Hue::Grey, canvas.HueAt(2, 28));
    EXPECT_FALSE(canvas.HasText(0, 20, 100, 36));
    DrawPercentBar(canvas.dc, 0, 40, 100, 16, kGreenBarColumn, 50, nullptr);
    EXPECT_TRUE(canvas.HasText(0, 40, 100, 56));
}

TEST_F(AboutBox, KnownBatteryPercentagesChooseTheirColour) {
    Battery(80, BATTERY_FLAG_HIGH);
    EXPECT_EQ(Hue::Blue, BarStart());
    EXPECT_EQ(Hue::Grey, BarEnd());
    EXPECT_TRUE(BarText());
    Battery(24, BATTERY_FLAG_LOW);
    EXPECT_EQ(Hue::Red, BarStart());
    Battery(25, BATTERY_FLAG_LOW);
    EXPECT_EQ(Hue::Orange, BarStart());
    Battery(50, 0);
    EXPECT_EQ(Hue::Green, BarStart());
    // The label sits above the bar, the icon left of it.
    EXPECT_TRUE(canvas.HasText(44, 4, 200, 18));
    EXPECT_NE(Hue::White, canvas.HueAt(20, 24));
}

TEST_F(AboutBox, UnknownPercentagesFollowTheFlag) {
    EXPECT_EQ(100, BatteryLevelOf(255, BATTERY_FLAG_HIGH).percentage);
    EXPECT_STREQ(L"High", BatteryLevelOf(255, BATTERY_FLAG_HIGH).text);
    EXPECT_EQ(25, BatteryLevelOf(255, BATTERY_FLAG_LOW).percentage);
    EXPECT_EQ(10, BatteryLevelOf(255, BATTERY_FLAG_CRITICAL).percentage);
    EXPECT_STREQ(L"Critical", BatteryLevelOf(255, BATTERY_FLAG_CRITICAL).text);
    EXPECT_STREQ(L"Low", BatteryLevelOf(255, BATTERY_FLAG_LOW).text);
    // Charging, no battery and an unknown state show an empty bar with their word.
    for (const auto& [flag, text] : {std::pair{BATTERY_FLAG_CHARGING, L"Charging"},
                                     std::pair{BATTERY_FLAG_NO_BATTERY, L"None"},
                                     std::pair{BATTERY_FLAG_UNKNOWN, L"Unknown"}}) {
        EXPECT_EQ(0, BatteryLevelOf(255, flag).percentage) << flag;
        EXPECT_STREQ(text, BatteryLevelOf(255, flag).text);
    }
    // Only the low byte of the flag counts.
    EXPECT_STREQ(L"High", BatteryLevelOf(255, 0x101).text);
    // A flag of no known meaning keeps the unknown percentage and gives no text.
    EXPECT_EQ(255, BatteryLevelOf(255, 0x10).percentage);
    EXPECT_EQ(nullptr, BatteryLevelOf(255, 0x10).text);
    EXPECT_EQ(nullptr, BatteryLevelOf(60, BATTERY_FLAG_CHARGING).text);
    Application::japanese = TRUE;
    EXPECT_STREQ(L"多い", BatteryLevelOf(255, BATTERY_FLAG_HIGH).text);
    EXPECT_STREQ(L"なし", BatteryLevelOf(255, BATTERY_FLAG_NO_BATTERY).text);
    EXPECT_STREQ(L"充電中", BatteryLevelOf(255, BATTERY_FLAG_CHARGING).text);
    EXPECT_STREQ(L"少ない", BatteryLevelOf(255, BATTERY_FLAG_LOW).text);
    EXPECT_STREQ(L"極少", BatteryLevelOf(255, BATTERY_FLAG_CRITICAL).text);
    EXPECT_STREQ(L"不明", BatteryLevelOf(255, BATTERY_FLAG_UNKNOWN).text);

    Battery(255, BATTERY_FLAG_HIGH);
    EXPECT_EQ(Hue::Blue, BarStart());
    EXPECT_EQ(Hue::Blue, BarEnd());
    Battery(255, BATTERY_FLAG_CHARGING);
    EXPECT_EQ(Hue::Grey, BarStart());
    EXPECT_TRUE(BarText());
    Battery(255, 0x10);
    EXPECT_EQ(Hue::Grey, BarStart());
    EXPECT_FALSE(BarText());
}

TEST_F(AboutBox, MemoryRows) {
    // 1536 bytes free of 1 MB is 0 %: an empty bar.
    DrawMemoryRow(canvas.dc, 4, 4, 1536, 1048576, IDI_MEMORY, L"Rest of data memory");
    EXPECT_EQ(Hue::Grey, BarStart());
    // The free size under the bar's left end, the total under its right end.
    EXPECT_TRUE(canvas.HasText(44, 34, 120, 46));
    EXPECT_TRUE(canvas.HasText(120, 34, 204, 46));
    // A total of 0 bytes draws an empty bar.
    DrawMemoryRow(canvas.dc, 4, 4, 0, 0, IDI_MEMORY, L"Rest of data memory");
    EXPECT_EQ(Hue::Grey, BarStart());
}

TEST_F(AboutBox, MemoryPageDrawsEveryReadableStorageCard) {
    DeviceStatusForTesting device;
    device.memory.dwTotalPhys = 64u << 20;
    device.memory.dwAvailPhys = 48u << 20; // 75 %: blue
    device.storeSize = 32u << 20;
    device.storeFree = 4u << 20; // 12 %: red
    constexpr DWORD kCard = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;
    device.rootFolders = {
        {L"Windows", FILE_ATTRIBUTE_DIRECTORY, true, 1u << 20, 1u << 19},
        // 6 GB with 5 GB free is 83 %; cut to 32 bits it would read as 1 GB of 2 GB.
        {L"Storage Card", kCard, true, 6ull << 30, 5ull << 30},
        {L"Unreadable Card", kCard, false, 0, 0},
        {L"Card 2", kCard, true, 100, 30}, // 30 %: orange
    };
    SetDeviceStatusForTesting(&device);
    AboutMemoryPage page;
    page.PaintRows(canvas.dc);

    EXPECT_EQ(Hue::Blue, canvas.HueAt(47, 4 + 22));
    EXPECT_EQ(Hue::Red, canvas.HueAt(47, 52 + 22));
    EXPECT_EQ(Hue::Blue, canvas.HueAt(47, 100 + 22));
    EXPECT_EQ(Hue::Orange, canvas.HueAt(47, 150 + 22));
    EXPECT_EQ(Hue::White, canvas.HueAt(47, 200 + 22));
}

TEST_F(AboutBox, BatteryPageShowsMainAndBackupBatteries) {
    DeviceStatusForTesting device;
    device.power.BatteryLifePercent = 80;
    device.power.BatteryFlag = BATTERY_FLAG_HIGH;
    device.power.BackupBatteryLifePercent = BATTERY_PERCENTAGE_UNKNOWN;
    device.power.BackupBatteryFlag = BATTERY_FLAG_NO_BATTERY;
    SetDeviceStatusForTesting(&device);
    AboutBatteryPage page;
    page.PaintRows(canvas.dc);
    EXPECT_EQ(Hue::Blue, canvas.HueAt(47, 4 + 22));
    EXPECT_EQ(Hue::Grey, canvas.HueAt(47, 46 + 22));
    EXPECT_TRUE(canvas.HasText(60, 46 + 14, 188, 46 + 30));
}

// What the shown sheet holds, read by a timer while it runs modally, then closed with OK.
struct ShownSheet {
    std::wstring caption;
    std::vector<std::wstring> tabs;
    std::vector<std::wstring> texts;
};
ShownSheet shown;

void CALLBACK ReadAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND sheet =
        FindWindowW(nullptr, Application::japanese ? L"ﾊﾞｰｼﾞｮﾝ情報..." : L"About...");
    if (sheet == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    shown.caption = TextOf(sheet);
    shown.tabs = TabTextsOf(PropSheet_GetTabControl(sheet));
    wchar_t text[300] = {};
    const HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    for (int control = IDC_ABOUT_TEXT + 1; control <= IDC_ABOUT_TEXT + 6; ++control) {
        GetDlgItemTextW(page, control, text, 300);
        shown.texts.push_back(text);
    }
    PostMessageW(sheet, WM_COMMAND, IDOK, 0);
}

TEST_F(AboutBox, SheetShowsTheVersionPageFirst) {
    shown = {};
    SetTimer(nullptr, 0, 50, ReadAndClose);
    ShowAboutBox(nullptr);
    EXPECT_EQ(L"About...", shown.caption);
    EXPECT_EQ((std::vector<std::wstring>{L"Version", L"Memory", L"Battery"}), shown.tabs);
    ASSERT_EQ(6u, shown.texts.size());
    EXPECT_EQ(L"Mensurio", shown.texts[0]);
    EXPECT_EQ(L"Version 0.80", shown.texts[1]);
    EXPECT_FALSE(shown.texts[2].empty());
    EXPECT_EQ(L"", shown.texts[5]); // there is no string 106
}

// The box opened and closed many times holds no more drawing or window objects than after
// the first few.
TEST_F(AboutBox, OpeningsLeakNoObjects) {
    // Each page is shown and drawn before the box closes.
    const auto showPagesAndClose = [](HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND sheet = FindWindowW(nullptr, L"About...");
        if (sheet == nullptr) {
            return;
        }
        KillTimer(nullptr, timer);
        for (int page = 1; page < 3; ++page) {
            PropSheet_SetCurSel(sheet, nullptr, page);
            UpdateWindow(PropSheet_GetCurrentPageHwnd(sheet));
        }
        PostMessageW(sheet, WM_COMMAND, IDOK, 0);
    };
    const auto open = [&](int times) {
        for (int i = 0; i < times; ++i) {
            SetTimer(nullptr, 0, 10, showPagesAndClose);
            ShowAboutBox(nullptr);
        }
        return CountGuiObjects();
    };
    const GuiObjects first = open(5);
    const GuiObjects later = open(200);
    EXPECT_TRUE(NoMoreObjects(first, later))
        << first.gdi << " " << later.gdi << " " << first.user << " " << later.user;
}

TEST_F(AboutBox, JapaneseSheet) {
    Application::japanese = TRUE;
    shown = {};
    SetTimer(nullptr, 0, 50, ReadAndClose);
    ShowAboutBox(nullptr);
    EXPECT_EQ(L"ﾊﾞｰｼﾞｮﾝ情報...", shown.caption);
    EXPECT_EQ((std::vector<std::wstring>{L"ﾊﾞｰｼﾞｮﾝ", L"ﾒﾓﾘ", L"ﾊﾞｯﾃﾘ"}), shown.tabs);
}

} // namespace
