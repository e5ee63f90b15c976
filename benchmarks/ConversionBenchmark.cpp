// Conversion speed of a full page: nine rows converted from one row and formatted, as a
// commit does; prints rows per second.
#include "converter/conversion/ConversionRules.h"
#include "converter/conversion/NumberText.h"

#include <windows.h>

#include <cstdio>

int main() {
    const double factors[9] = {1, 1000, 0.0254, 0.3048, 0.9144, 1609.344, 1852, 1e-10, 9.4607e15};
    const int engineering[9] = {0, 0, 0, 0, 0, 0, 0, 1, 1};
    constexpr int kPages = 300000;

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    size_t characters = 0;
    double values[9];
    const NumberSeparators separators = UserNumberSeparators();
    for (int page = 0; page < kPages; ++page) {
        const double typed = ReadRowText(L"123.456e2", separators).value_or(0);
        ConvertByRatio(factors, 9, page % 9, typed + page, values);
        for (int row = 0; row < 9; ++row) {
            characters += FormatValue(values[row], engineering[row]).size();
        }
    }
    QueryPerformanceCounter(&end);
    const double seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    const double rows = 9.0 * kPages;
    std::printf("%d pages of 9 rows in %.3f s: %.0f rows per second (%zu characters)\n", kPages,
                seconds, rows / seconds, characters);
    return 0;
}
