#include "NumberText.h"

#include "converter/definitions/DecimalValue.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cwchar>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Skips leading white space and one sign; tells whether the sign was "-".
const char* SkipSpaceAndSign(const char* p, bool& negative) {
    while (IsSpace(*p)) {
        ++p;
    }
    negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    return p;
}

const char* SkipDigits(const char* p) {
    while (IsDigit(*p)) {
        ++p;
    }
    return p;
}

// "%.6g" without the printf machinery: to_chars with a precision writes exactly what printf
// writes for it, and much faster.
char* WriteSixDigits(char* first, char* last, double value) {
    return std::to_chars(first, last, value, std::chars_format::general, 6).ptr;
}

} // namespace

bool IsNumberChar(wchar_t character) {
    return (character >= L'0' && character <= L'9') || character == L'-' || character == L'+' ||
           character == L'.' || character == L',' || character == L'e' || character == L'E' ||
           character == 8;
}

double ReadNumberPrefix(const char* text) {
    bool negative;
    const char* const numberStart = SkipSpaceAndSign(text, negative);
    const char* const integerEnd = SkipDigits(numberStart);
    const char* end = integerEnd;
    if (*end == '.') {
        end = SkipDigits(end + 1);
    }
    const bool hasDigits = integerEnd != numberStart || end - integerEnd > 1;
    if (!hasDigits) {
        // What the rows write for a value beyond every double reads back as that value; a
        // word that merely begins so ("information") is no number.
        const auto isLetter = [](char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; };
        const bool infinite = (numberStart[0] | 0x20) == 'i' && (numberStart[1] | 0x20) == 'n' &&
                              (numberStart[2] | 0x20) == 'f' && !isLetter(numberStart[3]);
        if (infinite) {
            return negative ? -HUGE_VAL : HUGE_VAL;
        }
        return 0;
    }
    if (*end == 'e' || *end == 'E') {
        const char* exponent = end + 1;
        if (*exponent == '+' || *exponent == '-') {
            ++exponent;
        }
        if (IsDigit(*exponent)) {
            end = SkipDigits(exponent);
        }
    }
    const double magnitude = DecimalValue(numberStart, end);
    return negative ? -magnitude : magnitude;
}

double ReadRowText(const wchar_t* text) {
    // Room for a double-byte character per row character; the reading sees at most the
    // first 259 bytes, as a row's narrow text holds no more.
    char narrow[2 * kMaxRowText + 1];
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(wcsnlen(text, kMaxRowText)), narrow,
                            sizeof narrow - 1, nullptr, nullptr);
    narrow[std::min(length, kMaxRowText)] = '\0';
    return ReadNumberPrefix(narrow);
}

std::string ToEngineering(const char* text, int step) {
    bool negative;
    const char* p = SkipSpaceAndSign(text, negative);
    double mantissa = 0;
    for (; IsDigit(*p); ++p) {
        mantissa = mantissa * 10 + (*p - '0');
    }
    if (*p == '.') {
        ++p;
        for (int i = 1; IsDigit(*p); ++p, ++i) {
            mantissa += (*p - '0') / std::pow(10.0, i);
        }
    }
    if (negative) {
        mantissa = -mantissa;
    }
    int exponent = 0;
    if (*p == 'e' || *p == 'E') {
        ++p;
        const bool negativeExponent = *p == '-';
        if (*p == '-' || *p == '+') {
            ++p;
        }
        for (; IsDigit(*p); ++p) {
            exponent = exponent * 10 + (*p - '0');
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    if (exponent == 0) {
        return text;
    }
    // Round the exponent down to a multiple of the step: 7 -> 6, -5 -> -6, -3 -> -3.
    int remainder = exponent % step;
    if (remainder < 0) {
        remainder += step;
    }
    const int engineeringExponent = exponent - remainder;
    const double scaled = mantissa * std::pow(10.0, remainder);

    char result[64];
    char* end = WriteSixDigits(result, result + sizeof result, scaled);
    std::snprintf(end, static_cast<size_t>(result + sizeof result - end), "e%+d",
                  engineeringExponent);
    return result;
}

std::wstring FormatValue(double value, int engineering) {
    char text[64];
    *WriteSixDigits(text, text + sizeof text - 1, value) = '\0';
    std::string shown = engineering != 0 ? ToEngineering(text, 3) : std::string(text);
    if (engineering != 0 && shown.size() < 13) {
        shown.insert(0, 13 - shown.size(), ' ');
    }
    // The text is ASCII, the same in every code page.
    return std::wstring(shown.begin(), shown.end());
}
