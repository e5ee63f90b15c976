// The rows of the pages: what they show, what typing and label taps do, and the texts that
// convert nothing.
#include "ConverterWindowTest.h"

TEST_F(ConverterWindowTest, FixedPagesStartAtZeroCelsiusAndOneSecond) {
    Open(kThreeSections);
    EXPECT_EQ((Texts{L"0", L"32", L"273.15"}), Rows(0));
    EXPECT_EQ((Texts{L"1", L"0.0166667", L"0.000277778", L"1.15741e-05", L"3.16888e-08"}), Rows(1));
    EXPECT_EQ(L"C degree celsius", TextOf(Page(0).labels[0]->handle));
    EXPECT_EQ(L"year", TextOf(Page(1).labels[4]->handle));
}

TEST_F(ConverterWindowTest, UnitPageShowsItsUnitsAndHidesUnusedRows) {
    Open(kThreeSections);
    ConverterPage& length = Page(2);
    EXPECT_EQ(4, length.rowCount);
    EXPECT_EQ((Texts{L"1", L"0.001", L"39.3701", L"3.28084"}), Rows(2));
    EXPECT_EQ(L"inch", TextOf(length.labels[2]->handle));
    for (int row = 4; row < 9; ++row) {
        EXPECT_FALSE(GetWindowLongPtrW(GetDlgItem(length.handle, IDC_ROW_EDIT + row), GWL_STYLE) &
                     WS_VISIBLE);
    }
    // Engineering notation, right-aligned in 13 characters.
    EXPECT_EQ((Texts{L"            1", L"   9.86923e-6"}), Rows(3));
    EXPECT_EQ(0, Page(4).rowCount);
}

TEST_F(ConverterWindowTest, TypingFiltersCharactersAndEnterConverts) {
    Open(kThreeSections);
    Type(2, 1, L"2x,\x18");
    EXPECT_EQ(L"2,", TextOf(Page(2).edits[1]->handle));
    EXPECT_EQ(L"1", TextOf(Page(2).edits[0]->handle)); // typing alone converts nothing
    Type(2, 1, L"2\r");
    EXPECT_EQ((Texts{L"2000", L"2", L"78740.2", L"6561.68"}), Rows(2));
    EXPECT_EQ(Page(2).edits[1]->handle, GetFocus());

    // The OK command converts from the focused row, normalising its text.
    Type(2, 0, L"1.50");
    SendMessageW(Page(2).handle, WM_COMMAND, IDOK, 0);
    EXPECT_EQ((Texts{L"1.5", L"0.0015", L"59.0551", L"4.92126"}), Rows(2));
}

TEST_F(ConverterWindowTest, LabelTapsCommitOneUnitOrZeroDegrees) {
    Open(kThreeSections);
    TapLabel(0, 1);
    EXPECT_EQ((Texts{L"-17.7778", L"0", L"255.372"}), Rows(0));
    TapLabel(1, 3);
    EXPECT_EQ((Texts{L"86400", L"1440", L"24", L"1", L"0.00273791"}), Rows(1));
    TapLabel(2, 1);
    EXPECT_EQ((Texts{L"1000", L"1", L"39370.1", L"3280.84"}), Rows(2));
}

TEST_F(ConverterWindowTest, RowsTakeWholeNumbersUpToTheirLimitAndReadTheirOwnText) {
    Open(kThreeSections);
    // A number wider than its field scrolls in whole, and converts.
    Type(2, 0, std::wstring(400, L'9'));
    EXPECT_EQ(259u, TextOf(Page(2).edits[0]->handle).size()); // what a row's text holds
    Paste(2, 1, L"12345678901234567890");
    EXPECT_EQ((Texts{L"1.23457e+22", L"1.23457e+19", L"4.8605e+23", L"4.05042e+22"}), Rows(2));
    // Beyond every double the rows show "inf", and an Enter on one changes nothing.
    Type(2, 1, L"1e308\r");
    EXPECT_EQ((Texts{L"inf", L"1e+308", L"inf", L"inf"}), Rows(2));
    Type(2, 0, L"\r");
    EXPECT_EQ((Texts{L"inf", L"1e+308", L"inf", L"inf"}), Rows(2));
}

TEST_F(ConverterWindowTest, TextsThatAreNoNumberAsTheyStandConvertNothing) {
    Open(kThreeSections);
    const Texts length = Rows(2);
    // Typed: a comma that groups no thousands; the row keeps the text to be mended, selected.
    const HWND metre = Page(2).edits[0]->handle;
    Type(2, 0, L"2,54\r");
    EXPECT_EQ((Texts{L"2,54", length[1], length[2], length[3]}), Rows(2));
    EXPECT_EQ(metre, GetFocus());
    EXPECT_EQ(MAKELONG(0, 4), SendMessageW(metre, EM_GETSEL, 0, 0));
    Type(2, 0, L"1,000\r");
    EXPECT_EQ((Texts{L"1000", L"1", L"39370.1", L"3280.84"}), Rows(2));
    // Pasted: longer than a row, with a stray comma, or a word; the row keeps what it had.
    for (const std::wstring& text :
         {L"1" + std::wstring(299, L'0'), L"1.000" + std::wstring(295, L'0') + L"e-5",
          L"0." + std::wstring(298, L'0') + L"1", std::wstring(L"3,5"), std::wstring(L"abc")}) {
        Paste(2, 1, text);
        EXPECT_EQ((Texts{L"1000", L"1", L"39370.1", L"3280.84"}), Rows(2)) << text.size();
    }
    SetFocus(metre);
    SendMessageW(metre, EM_SETSEL, 2, 2); // the cursor in the row
    SendMessageW(window->handle, WM_COMMAND, IDC_PASTE, 0);
    EXPECT_EQ(L"1000", TextOf(metre));
    EXPECT_EQ(MAKELONG(0, 4), SendMessageW(metre, EM_GETSEL, 0, 0));
    // A Japanese input method's full-width number, pasted or typed, is that number.
    Paste(2, 1, L"１２３．５");
    EXPECT_EQ((Texts{L"123500", L"123.5", L"4.8622e+06", L"405184"}), Rows(2));
    Type(2, 0, L"２\r");
    EXPECT_EQ(L"0.002", Rows(2)[1]);
    // A temperature below absolute zero, typed or pasted.
    Type(0, 0, L"-500\r");
    EXPECT_EQ((Texts{L"-500", L"32", L"273.15"}), Rows(0));
    Paste(0, 2, L"-1");
    EXPECT_EQ((Texts{L"-500", L"32", L"273.15"}), Rows(0));
    Type(0, 1, L"-459.67\r");
    EXPECT_EQ((Texts{L"-273.15", L"-459.67", L"0"}), Rows(0));
}

TEST_F(ConverterWindowTest, EnterOnAnUnchangedRowShowsOneQuantityInEveryRow) {
    Open(kThreeSections);
    Type(0, 1, L"50"); // typed into Fahrenheit, never committed
    Type(0, 0, L"\r"); // Enter on the Celsius row, which still shows what the page wrote
    EXPECT_EQ((Texts{L"0", L"32", L"273.15"}), Rows(0));
    EXPECT_EQ(Page(0).edits[0]->handle, GetFocus());
}
