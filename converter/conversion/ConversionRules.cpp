#include "ConversionRules.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFahrenheitPerCelsius = 1.8;
// The double nearest to 5/9; a factor, not a division by 1.8, whose result differs.
constexpr double kCelsiusPerFahrenheit = 0.5555555555555556;
constexpr double kFahrenheitAtZeroCelsius = 32;
constexpr double kKelvinAtZeroCelsius = 273.15;

} // namespace

void ConvertByRatio(const double* scale, int rowCount, int sourceRow, double value,
                    double* rowValues) {
    const double sourceScale = scale[sourceRow];
    for (int row = 0; row < rowCount; ++row) {
        const double ratio = sourceScale / scale[row];
        rowValues[row] =
            std::isnormal(ratio)
                ? ratio * value
                : static_cast<double>(static_cast<long double>(sourceScale) / scale[row] * value);
    }
}

void InitialRatioValues(const double* scale, int rowCount, double* rowValues) {
    for (int row = 0; row < rowCount; ++row) {
        rowValues[row] = 1 / scale[row];
    }
}

bool IsBelowAbsoluteZero(int sourceRow, double value) {
    return sourceRow >= 0 && sourceRow < kTemperatureRows && value < kAbsoluteZero[sourceRow];
}

void ConvertTemperature(int sourceRow, double value, double* rowValues) {
    double celsius;
    switch (sourceRow) {
    case kCelsiusRow:
        rowValues[kCelsiusRow] = value;
        rowValues[kFahrenheitRow] = value * kFahrenheitPerCelsius + kFahrenheitAtZeroCelsius;
        rowValues[kKelvinRow] = value + kKelvinAtZeroCelsius;
        break;
    case kFahrenheitRow:
        celsius = (value - kFahrenheitAtZeroCelsius) * kCelsiusPerFahrenheit;
        rowValues[kCelsiusRow] = celsius;
        rowValues[kFahrenheitRow] = value;
        rowValues[kKelvinRow] = celsius + kKelvinAtZeroCelsius;
        break;
    case kKelvinRow:
        celsius = value - kKelvinAtZeroCelsius;
        rowValues[kCelsiusRow] = celsius;
        rowValues[kFahrenheitRow] = celsius * kFahrenheitPerCelsius + kFahrenheitAtZeroCelsius;
        rowValues[kKelvinRow] = value;
        break;
    default:
        return;
    }
    for (int row = 0; row < kTemperatureRows; ++row) {
        rowValues[row] = std::max(rowValues[row], kAbsoluteZero[row]);
    }
}
