#include "NumberText.h"

#include "converter/definitions/DecimalValue.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <iterator>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

template <typename Char> bool IsSpace(Char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsLetter(wchar_t c) {
    return (c | 0x20) >= L'a' && (c | 0x20) <= L'z';
}

// Skips leading white space and one sign; tells whether the sign was "-".
template <typename Char> const Char* SkipSpaceAndSign(const Char* p, bool& negative) {
    while (IsSpace(*p)) {
        ++p;
    }
    negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    return p;
}

// "%.6g" without the printf machinery: to_chars with a precision writes exactly what printf
// writes for it, and much faster.
char* WriteSixDigits(char* first, char* last, double value) {
    return std::to_chars(first, last, value, std::chars_format::general, 6).ptr;
}

wchar_t LocaleSeparator(LCTYPE which) {
    wchar_t text[4] = {};
    // A separator of one character: its length with the terminator is 2.
    return GetLocaleInfoW(LOCALE_USER_DEFAULT, which, text, std::size(text)) == 2 ? text[0] : L'\0';
}

// How many of the C library's names of infinity ("inf", "infinity", in any case) begin the
// text, as a whole word; 0 for none. A word that merely begins so ("information") is none.
int InfinityLength(const wchar_t* p) {
    for (const wchar_t* name : {L"infinity", L"inf"}) {
        const int length = static_cast<int>(wcslen(name));
        if (_wcsnicmp(p, name, length) == 0 && !IsLetter(p[length])) {
            return length;
        }
    }
    return 0;
}

// A character that separates the parts of a number in some locale; one left over after the
// reading makes the text no number rather than a shorter one. The point is the rows' own
// decimal point, and white space ends a number anywhere.
bool IsSeparator(wchar_t c, const NumberSeparators& separators) {
    return c != L'.' && !IsSpace(c) && c != L'\0' &&
           (c == L',' || c == separators.decimal || c == separators.thousands);
}

// Copies the digits of an integer part into `digits`, passing over thousands separators that
// stand between digit groups: after a first group of one to three digits, each separator is
// followed by exactly three. Returns where the integer part ends.
const wchar_t* ReadIntegerDigits(const wchar_t* p, wchar_t thousands, std::string& digits) {
    int groupDigits = 0;
    bool grouped = false;
    for (;; ++p) {
        if (IsDigit(*p)) {
            digits += static_cast<char>(*p);
            ++groupDigits;
        } else if (*p == thousands && thousands != L'\0' && groupDigits > 0 && groupDigits <= 3 &&
                   (!grouped || groupDigits == 3) && IsDigit(p[1]) && IsDigit(p[2]) &&
                   IsDigit(p[3]) && !IsDigit(p[4])) {
            grouped = true;
            groupDigits = 0;
        } else {
            return p;
        }
    }
}

} // namespace

NumberSeparators UserNumberSeparators() {
    return {LocaleSeparator(LOCALE_SDECIMAL), LocaleSeparator(LOCALE_STHOUSAND)};
}

bool IsNumberChar(wchar_t character) {
    return (character >= L'0' && character <= L'9') || character == L'-' || character == L'+' ||
           character == L'.' || character == L',' || character == L'e' || character == L'E' ||
           character == 8;
}

wchar_t FoldFullWidth(wchar_t character) {
    // From the full-width "＋" to "ｅ": every full-width number character lies there.
    if (character >= L'\uFF0B' && character <= L'\uFF45') {
        const wchar_t ascii = static_cast<wchar_t>(character - 0xFEE0);
        return IsNumberChar(ascii) ? ascii : character;
    }
    if (character == L'\u2212') {
        return L'-';
    }
    return character == L'\u3000' ? L' ' : character;
}

std::optional<double> ReadRowText(const wchar_t* original, const NumberSeparators& separators) {
    const size_t textLength = wcsnlen(original, kMaxRowText + 1);
    if (textLength > kMaxRowText) {
        return std::nullopt; // more than a row holds: no part of it stands for the whole
    }
    std::wstring folded(original, textLength);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldFullWidth);
    const wchar_t* const text = folded.c_str();
    // A "." groups nothing: it is the rows' own decimal point.
    const wchar_t thousands =
        separators.thousands == L'.' || separators.thousands == separators.decimal
            ? L'\0'
            : separators.thousands;
    bool negative;
    const wchar_t* p = SkipSpaceAndSign(text, negative);
    std::string digits;
    const wchar_t* end = ReadIntegerDigits(p, thousands, digits);
    bool hasDigits = !digits.empty();
    if (*end == L'.' || (*end == separators.decimal && separators.decimal != L'\0')) {
        digits += '.';
        for (++end; IsDigit(*end); ++end) {
            digits += static_cast<char>(*end);
            hasDigits = true;
        }
    }
    double magnitude = 0;
    if (hasDigits) {
        if (*end == L'e' || *end == L'E') {
            const wchar_t* const exponent = end + 1;
            const wchar_t* const exponentDigits =
                exponent + (*exponent == L'-' || *exponent == L'+' ? 1 : 0);
            if (IsDigit(*exponentDigits)) {
                digits += 'e';
                for (end = exponent; end < exponentDigits || IsDigit(*end); ++end) {
                    digits += static_cast<char>(*end);
                }
            }
        }
        magnitude = DecimalValue(digits.data(), digits.data() + digits.size());
    } else if (const int length = InfinityLength(p); length > 0) {
        magnitude = HUGE_VAL;
        end = p + length;
    } else {
        // No number: an empty row, a lone sign or point reads as 0; anything else ("e5",
        // "--5", a word) is no number.
        const wchar_t* rest = *p == L'.' ? p + 1 : p;
        while (IsSpace(*rest)) {
            ++rest;
        }
        if (*rest != L'\0') {
            return std::nullopt;
        }
        end = p;
    }
    for (const wchar_t* rest = end; *rest != L'\0'; ++rest) {
        if (IsSeparator(*rest, separators)) {
            return std::nullopt;
        }
    }
    return negative ? -magnitude : magnitude;
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
    if (value == 0) {
        value = 0; // no "-0"
    }
    char text[64];
    *WriteSixDigits(text, text + sizeof text - 1, value) = '\0';
    std::string shown = engineering != 0 ? ToEngineering(text, 3) : std::string(text);
    if (engineering != 0 && shown.size() < 13) {
        shown.insert(0, 13 - shown.size(), ' ');
    }
    // The text is ASCII, the same in every code page.
    return std::wstring(shown.begin(), shown.end());
}
