// What typing, label taps, Tab and the clipboard do to the real program's pages.
#include "EndToEnd.h"

TEST_F(EndToEnd, FixedPagesStartAtZeroCelsiusAndOneSecond) {
    if (japanese) {
        GTEST_SKIP() << "English run only";
    }
    Program program;
    ASSERT_NE(nullptr, program.window);
    EXPECT_EQ((Texts{L"Temp", L"Time", L"Length", L"Nothing"}), program.TabTexts());
    EXPECT_EQ((Texts{L"0", L"32", L"273.15"}), Program::Rows(program.ShowPage(0)));
    EXPECT_EQ((Texts{L"1", L"0.0166667", L"0.000277778", L"1.15741e-05", L"3.16888e-08"}),
              Program::Rows(program.ShowPage(1)));
    // A page without rows.
    EXPECT_TRUE(Program::Rows(program.ShowPage(3)).empty());
}

TEST_F(EndToEnd, TypingAndLabelTapsConvert) {
    Program program;
    ASSERT_NE(nullptr, program.window);

    // -40 in the Fahrenheit row, committed with Enter.
    const HWND temperature = program.ShowPage(0);
    Program::Type(temperature, 1, L"-40\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(temperature).at(2) == L"233.15"; }));
    EXPECT_EQ((Texts{L"-40", L"-40", L"233.15"}), Program::Rows(temperature));
    EXPECT_EQ(GetDlgItem(temperature, IDC_ROW_EDIT + 1), program.Focus());

    // The day label: one day in every unit.
    const HWND time = program.ShowPage(1);
    Program::TapLabel(time, 3);
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(time).at(0) == L"86400"; }));
    EXPECT_EQ((Texts{L"86400", L"1440", L"24", L"1", L"0.00273791"}), Program::Rows(time));

    // 2 in the km row; letters are filtered out while typing.
    const HWND length = program.ShowPage(2);
    Program::Type(length, 1, L"2x\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(0) == L"2000"; }));
    EXPECT_EQ((Texts{L"2000", L"2", L"78740.2"}), Program::Rows(length));
}

TEST_F(EndToEnd, TabGoesFromTheLastRowToTheTabsAndFromThemToTheFirstRow) {
    Program program;
    ASSERT_NE(nullptr, program.window);
    const HWND length = program.ShowPage(2);
    // The focus in the last row first: the tabs may have it from the start.
    Program::Type(length, 2, L"1\r");
    EXPECT_TRUE(WaitFor([&] { return program.Focus() == GetDlgItem(length, IDC_ROW_EDIT + 2); }));
    Program::Type(length, 2, L"\t");
    EXPECT_TRUE(WaitFor([&] { return program.Focus() == program.Tabs(); }));
    SendMessageW(program.Tabs(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(WaitFor([&] { return program.Focus() == GetDlgItem(length, IDC_ROW_EDIT); }));
}

TEST_F(EndToEnd, CopyAndPasteCarryARowToAnother) {
    Program program;
    ASSERT_NE(nullptr, program.window);
    const HWND length = program.ShowPage(2);
    Program::Type(length, 0, L"2000\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(1) == L"2"; }));
    program.Post(IDC_COPY);           // the metre row, which has the focus
    Program::Type(length, 2, L"7\r"); // focuses the inch row
    program.Post(IDC_PASTE);
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(2) == L"2000"; }));
    EXPECT_EQ((Texts{L"50.8", L"0.0508", L"2000"}), Program::Rows(length));
}
