// The three conversion rules of the pages: factor ratios (unit pages), the fixed time
// scale and the temperature formulas. Pure arithmetic in IEEE double precision, in exactly
// the order written, so that every row shows the same digits on every machine.
#pragma once

#include <bit>
#include <cstdint>

constexpr int kTimeRows = 5;
constexpr int kTemperatureRows = 3;

// 365.2422 days, the product evaluated in double precision: one unit in the last place above
// the double nearest to 31556926.08.
constexpr double kSecondsPerYear = 365.2422 * 86400;
static_assert(std::bit_cast<std::uint64_t>(kSecondsPerYear) == 0x417E1853E147AE15);

// Seconds per unit of the time page's rows: second, minute, hour, day, year.
constexpr double kSecondsPerUnit[kTimeRows] = {1, 60, 3600, 86400, kSecondsPerYear};

// Temperature page rows.
enum TemperatureRow { kCelsiusRow = 0, kFahrenheitRow = 1, kKelvinRow = 2 };

// Row values a temperature page starts with: 0 degrees Celsius.
constexpr double kInitialTemperatures[kTemperatureRows] = {0, 32, 273.15};

// value[i] = (scale[source] / scale[i]) * value, for every row i: the ratio first, then the
// product, so the source row gets exactly `value`. `scale` holds a category's factors or the
// seconds per time unit; none is 0. Where the ratio of two factors lies beyond the range of
// a double (1e300 against 1e-300), the row is computed in a wider type instead, so that
// zero stays zero and any result a double holds is shown.
void ConvertByRatio(const double* scale, int rowCount, int sourceRow, double value,
                    double* rowValues);

// The quantity of one reference unit in every row: 1 / scale[i].
void InitialRatioValues(const double* scale, int rowCount, double* rowValues);

// Absolute zero in each temperature row's scale.
constexpr double kAbsoluteZero[kTemperatureRows] = {-273.15, -459.67, 0};

// Whether `value` in a temperature row lies below absolute zero, a temperature that cannot be.
bool IsBelowAbsoluteZero(int sourceRow, double value);

// Computes the three temperature rows from `value` in `sourceRow`. Any other source row
// computes nothing. A computed row never goes below absolute zero in its own scale, where
// rounding alone would take it (-459.67 F would give -5.7e-14 K).
void ConvertTemperature(int sourceRow, double value, double* rowValues);
