#include "converter/conversion/ConversionRules.h"
#include "converter/conversion/NumberText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The texts a page shows after converting from `sourceRow`.
std::vector<std::wstring> Shown(const double* values, int rowCount) {
    std::vector<std::wstring> texts;
    for (int row = 0; row < rowCount; ++row) {
        texts.push_back(FormatValue(values[row], 0));
    }
    return texts;
}

TEST(ConvertByRatio, UnitPageComputesRatioFirstForItsRowsOnly) {
    const double factors[] = {1, 1000, 0.0254};
    // One value more than the rows: a row past the page's last is never written.
    double values[4] = {0, 0, 0, -1};
    ConvertByRatio(factors, 3, 1, 3, values);
    EXPECT_EQ((std::vector<std::wstring>{L"3000", L"3", L"118110"}), Shown(values, 3));
    // (1000 / 0.0254) * 3, which is not the double 1000 * 3 / 0.0254.
    EXPECT_EQ((1000 / 0.0254) * 3, values[2]);
    EXPECT_NE(1000 * 3 / 0.0254, values[2]);
    EXPECT_EQ(3, values[1]);
    EXPECT_EQ(-1, values[3]);
}

TEST(ConvertByRatio, SourceRowKeepsExactlyItsValue) {
    const double factors[] = {0.3048, 0.0254, 1609.344, 1e-10, 3.7};
    for (int source = 0; source < 5; ++source) {
        double values[5] = {};
        ConvertByRatio(factors, 5, source, 0.1, values);
        EXPECT_EQ(0.1, values[source]);
    }
}

TEST(ConvertByRatio, ZeroIsZeroAndEveryResultADoubleHoldsIsShownWhateverTheFactors) {
    const double factors[] = {1, 1000, 0.0254};
    double values[3] = {9, 9, 9};
    ConvertByRatio(factors, 3, 0, 0, values);
    EXPECT_EQ((std::vector<std::wstring>{L"0", L"0", L"0"}), Shown(values, 3));

    // Their ratios lie beyond the doubles, both ways.
    const double apart[] = {1e300, 1e-300, 1};
    for (int source = 0; source < 3; ++source) {
        ConvertByRatio(apart, 3, source, 0, values);
        EXPECT_EQ((std::vector<std::wstring>{L"0", L"0", L"0"}), Shown(values, 3)) << source;
    }
    ConvertByRatio(apart, 3, 0, 1e-300, values);
    EXPECT_EQ((std::vector<std::wstring>{L"1e-300", L"1e+300", L"1"}), Shown(values, 3));
    ConvertByRatio(apart, 3, 1, 1e300, values);
    EXPECT_EQ((std::vector<std::wstring>{L"1e-300", L"1e+300", L"1"}), Shown(values, 3));
    // What no double holds is infinity.
    ConvertByRatio(apart, 3, 0, 1, values);
    EXPECT_EQ(L"inf", Shown(values, 3)[1]);
}

TEST(TimeScale, YearIsTheDoubleProductOfDaysAndSeconds) {
    EXPECT_EQ(0x417E1853E147AE15u, std::bit_cast<std::uint64_t>(kSecondsPerUnit[4]));
    EXPECT_NE(31556926.08, kSecondsPerUnit[4]);
}

TEST(TimeScale, OneMinuteAndOneYear) {
    double values[kTimeRows] = {};
    ConvertByRatio(kSecondsPerUnit, kTimeRows, 1, 1, values);
    EXPECT_EQ(
        (std::vector<std::wstring>{L"60", L"1", L"0.0166667", L"0.000694444", L"1.90133e-06"}),
        Shown(values, kTimeRows));

    ConvertByRatio(kSecondsPerUnit, kTimeRows, 4, 1, values);
    EXPECT_EQ(L"3.15569e+07", Shown(values, kTimeRows)[0]);
    EXPECT_EQ(L"365.242", Shown(values, kTimeRows)[3]);
}

TEST(TimeScale, InitialValuesAreOneSecond) {
    double values[kTimeRows + 1] = {};
    values[kTimeRows] = -1; // past the rows: never written
    InitialRatioValues(kSecondsPerUnit, kTimeRows, values);
    EXPECT_EQ((std::vector<std::wstring>{L"1", L"0.0166667", L"0.000277778", L"1.15741e-05",
                                         L"3.16888e-08"}),
              Shown(values, kTimeRows));
    EXPECT_EQ(-1, values[kTimeRows]);
}

TEST(Temperature, FormulasFromEachRow) {
    double values[kTemperatureRows] = {};
    ConvertTemperature(kCelsiusRow, 100, values);
    EXPECT_EQ((std::vector<std::wstring>{L"100", L"212", L"373.15"}), Shown(values, 3));
    ConvertTemperature(kFahrenheitRow, -40, values);
    EXPECT_EQ((std::vector<std::wstring>{L"-40", L"-40", L"233.15"}), Shown(values, 3));
    ConvertTemperature(kKelvinRow, 0, values);
    EXPECT_EQ((std::vector<std::wstring>{L"-273.15", L"-459.67", L"0"}), Shown(values, 3));
    // Above absolute zero, where no bound hides the Fahrenheit formula from kelvin.
    ConvertTemperature(kKelvinRow, 373.15, values);
    EXPECT_EQ((std::vector<std::wstring>{L"100", L"212", L"373.15"}), Shown(values, 3));
}

TEST(Temperature, NothingBelowAbsoluteZero) {
    EXPECT_TRUE(IsBelowAbsoluteZero(kCelsiusRow, -273.16));
    EXPECT_FALSE(IsBelowAbsoluteZero(kCelsiusRow, -273.15));
    EXPECT_TRUE(IsBelowAbsoluteZero(kFahrenheitRow, -459.68));
    EXPECT_FALSE(IsBelowAbsoluteZero(kFahrenheitRow, -459.67));
    EXPECT_TRUE(IsBelowAbsoluteZero(kKelvinRow, -1e-300));
    EXPECT_FALSE(IsBelowAbsoluteZero(kKelvinRow, 0));
    EXPECT_FALSE(IsBelowAbsoluteZero(3, -1e9));
    // Absolute zero in Fahrenheit is absolute zero in the others, not a rounding below it.
    double values[kTemperatureRows] = {};
    ConvertTemperature(kFahrenheitRow, -459.67, values);
    EXPECT_EQ(-273.15, values[kCelsiusRow]);
    EXPECT_EQ(0, values[kKelvinRow]);
}

TEST(Temperature, FahrenheitUsesTheFactorNotADivision) {
    double values[kTemperatureRows] = {};
    for (double fahrenheit : {33.0, 98.6, 451.0, -17.3}) {
        ConvertTemperature(kFahrenheitRow, fahrenheit, values);
        EXPECT_EQ((fahrenheit - 32) * 0.5555555555555556, values[kCelsiusRow]);
        EXPECT_EQ((fahrenheit - 32) * 0.5555555555555556 + 273.15, values[kKelvinRow]);
    }
    // Dividing by 1.8 would give 36.99999999999999.
    ConvertTemperature(kFahrenheitRow, 98.6, values);
    EXPECT_EQ(37.0, values[kCelsiusRow]);
}

TEST(Temperature, OtherSourceRowsComputeNothing) {
    double values[kTemperatureRows] = {1, 2, 3};
    ConvertTemperature(3, 100, values);
    ConvertTemperature(-1, 100, values);
    EXPECT_EQ(1, values[0]);
    EXPECT_EQ(2, values[1]);
    EXPECT_EQ(3, values[2]);
}

} // namespace
