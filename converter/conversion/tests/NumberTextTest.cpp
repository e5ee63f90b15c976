#include "converter/conversion/NumberText.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

TEST(IsNumberChar, AcceptsExactlyTheNumberCharactersAndBackspace) {
    const std::wstring accepted = L"-+0123456789.,eE\b";
    for (wchar_t c = 0; c < 0x3000; ++c) {
        EXPECT_EQ(accepted.find(c) != std::wstring::npos, IsNumberChar(c)) << int(c);
    }
    EXPECT_FALSE(IsNumberChar(L'０')); // full-width digit
}

// What a row's text reads as where numbers are written as in English.
std::optional<double> Read(const std::wstring& text, NumberSeparators separators = {L'.', L','}) {
    return ReadRowText(text.c_str(), separators);
}

TEST(ReadRowText, TakesTheLongestLeadingNumber) {
    EXPECT_EQ(0, Read(L""));
    EXPECT_EQ(0, Read(L"-"));
    EXPECT_EQ(0, Read(L"."));
    EXPECT_EQ(0, Read(L"+."));
    for (const wchar_t* none : {L"e5", L"--5", L"+-2", L".e1", L"- 5"}) {
        EXPECT_EQ(std::nullopt, Read(none)) << none; // no number, not 0
    }
    EXPECT_EQ(1500, Read(L"1.5e3"));
    EXPECT_EQ(1.5, Read(L"1.5e"));
    EXPECT_EQ(1.5, Read(L"1.5e+"));
    EXPECT_EQ(12, Read(L"12-3"));
    EXPECT_EQ(0.5, Read(L".5"));
    EXPECT_EQ(5, Read(L"5."));
    EXPECT_EQ(-2.5e-3, Read(L"  \t-2.5E-3xyz"));
    EXPECT_EQ(7, Read(L"+7"));
    EXPECT_EQ(1.5, Read(L"1.5.3"));
    EXPECT_EQ(0.1, Read(L"0.1")); // nearest double, as the decimal text says
}

TEST(ReadRowText, CommasAsTheLocaleWritesThemOrNone) {
    EXPECT_EQ(1000, Read(L"1,000"));
    // The user's own separators: these tests run where numbers are written as in English.
    EXPECT_EQ(1000, ReadRowText(L"1,000", UserNumberSeparators()));
    EXPECT_EQ(-1234567.5, Read(L"-1,234,567.5e0"));
    // Any other comma: no number, never a shorter one.
    for (const wchar_t* text : {L"2,54", L"1,5", L",5", L"1,0000", L"1,0x0", L"1000,000",
                                L"1,000,00", L"12abc,5", L"1,", L"inf,"}) {
        EXPECT_EQ(std::nullopt, Read(text)) << text;
    }
    const NumberSeparators german = {L',', L'.'};
    EXPECT_EQ(2.54, Read(L"2,54", german));
    EXPECT_EQ(1.5, Read(L"1.5", german)); // what the rows write reads back
    EXPECT_EQ(std::nullopt, Read(L"1.000,5", german));
    const NumberSeparators french = {L',', L'\u00A0'};
    EXPECT_EQ(1000.5, Read(L"1\u00A0000,5", french));
    EXPECT_EQ(1.5, Read(L"1.5 ", french));
}

TEST(ReadRowText, ReadsNoHexadecimalNorNanButTheSpellingsOfInfinity) {
    // The C library's strtod would read these; a row holds decimal numbers only, and a word
    // is no number rather than 0.
    EXPECT_EQ(0, Read(L"0x10"));
    for (const wchar_t* word : {L"nan", L"infamous", L"infinite", L"abc", L"一二三"}) {
        EXPECT_EQ(std::nullopt, Read(word)) << word;
    }
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(infinity, Read(L"infinity"));
    EXPECT_EQ(-infinity, Read(L" -Infinity"));
    EXPECT_EQ(infinity, Read(L"+INF!"));
    // What a row shows for a value beyond every double reads back as that value.
    for (const double value : {infinity, -infinity}) {
        EXPECT_EQ(value, Read(FormatValue(value, 0)));
        EXPECT_EQ(value, Read(FormatValue(value, 1)));
    }
}

// As a Japanese input method writes numbers.
TEST(ReadRowText, FullWidthCharactersReadAsTheirAsciiForms) {
    EXPECT_EQ(123.5, Read(L"１２３．５"));
    EXPECT_EQ(-1500, Read(L"\u3000－１．５ｅ３"));
    EXPECT_EQ(150, Read(L"＋１．５Ｅ２"));
    EXPECT_EQ(-2, Read(L"\u22122"));
    EXPECT_EQ(1000, Read(L"１，０００"));
    EXPECT_EQ(std::nullopt, Read(L"１，５"));
    EXPECT_EQ(0, Read(L"－"));
    EXPECT_EQ(std::nullopt, Read(L"ｘ"));
    EXPECT_EQ(L'ａ', FoldFullWidth(L'ａ')); // a full-width letter stays itself
}

TEST(ReadRowText, HugeAndTinyExponentsSaturate) {
    EXPECT_EQ(std::numeric_limits<double>::infinity(), Read(L"1e999"));
    EXPECT_EQ(-std::numeric_limits<double>::infinity(), Read(L"-1e999"));
    EXPECT_EQ(0, Read(L"1e-999"));
    const std::wstring manyDigits = L"1" + std::wstring(250, L'0') + L"e99";
    EXPECT_EQ(std::numeric_limits<double>::infinity(), Read(manyDigits));
}

TEST(ReadRowText, TextLongerThanARowIsNoNumber) {
    EXPECT_EQ(42, Read(std::wstring(257, L' ') + L"42"));
    EXPECT_EQ(std::nullopt, Read(std::wstring(258, L' ') + L"42"));
    EXPECT_EQ(std::nullopt, Read(L"1" + std::wstring(299, L'0')));
    EXPECT_EQ(std::nullopt, Read(L"0." + std::wstring(298, L'0') + L"1"));
}

TEST(FormatValue, SixSignificantDigits) {
    EXPECT_EQ(L"0.0166667", FormatValue(1.0 / 60, 0));
    EXPECT_EQ(L"1.15741e-05", FormatValue(1.0 / 86400, 0));
    EXPECT_EQ(L"1.5", FormatValue(1.50, 0));
    EXPECT_EQ(L"100000", FormatValue(100000, 0));
    EXPECT_EQ(L"1e+06", FormatValue(1000000, 0));
    EXPECT_EQ(L"0.0001", FormatValue(0.0001, 0));
    EXPECT_EQ(L"1e-05", FormatValue(0.00001, 0));
    EXPECT_EQ(L"-273.15", FormatValue(-273.15, 0));
    EXPECT_EQ(L"0", FormatValue(0, 0));
    EXPECT_EQ(L"0", FormatValue(-0.0, 0));
    EXPECT_EQ(L"            0", FormatValue(-0.0, 1));
    EXPECT_EQ(L"inf", FormatValue(std::numeric_limits<double>::infinity(), 0));
}

TEST(FormatValue, EngineeringNotationRightAlignedInThirteen) {
    EXPECT_EQ(L"   12.3457e+6", FormatValue(12345678, 1));
    EXPECT_EQ(L"      12.3e-6", FormatValue(0.0000123, 1));
    EXPECT_EQ(L"      0.00015", FormatValue(0.00015, 1));
    EXPECT_EQ(L"       1.5e+6", FormatValue(1500000, 1));
    EXPECT_EQ(L"        -2e+6", FormatValue(-2000000, 1));
    // Any non-zero flag counts; a long text is not cut.
    EXPECT_EQ(L"         42.5", FormatValue(42.5, -7));
    EXPECT_EQ(L"-123.457e+300", FormatValue(-1.23457e302, 1));
    EXPECT_EQ(L"          inf", FormatValue(std::numeric_limits<double>::infinity(), 1));
}

TEST(ToEngineering, RoundsTheExponentDownToAMultipleOfTheStep) {
    EXPECT_EQ("12.3457e+6", ToEngineering("1.23457e+07", 3));
    EXPECT_EQ("12.3457e+6", ToEngineering("1.23457e+007", 3)); // three exponent digits
    EXPECT_EQ("1.5e-3", ToEngineering("1.5e-03", 3));
    EXPECT_EQ("150e-6", ToEngineering("1.5e-04", 3));
    EXPECT_EQ("-2e+6", ToEngineering("-2e+06", 3));
    EXPECT_EQ("1e+3", ToEngineering("+1E3", 3));
    // No exponent, or exponent 0: unchanged, spacing included.
    EXPECT_EQ("  1234.5", ToEngineering("  1234.5", 3));
    EXPECT_EQ("1.5e0", ToEngineering("1.5e0", 3));
    EXPECT_EQ("nan", ToEngineering("nan", 3));
}

} // namespace
