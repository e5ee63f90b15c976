// The number text of a conversion row: what may be typed, how it is read, how it is written.
#pragma once

#include <optional>
#include <string>

// Longest text a row holds, terminator excluded.
constexpr int kMaxRowText = 259;

// How the user's locale writes numbers: its decimal separator and the one between groups of
// thousands; 0 where the locale's separator is not a single character.
struct NumberSeparators {
    wchar_t decimal = L'.';
    wchar_t thousands = L',';
};

// The separators of the user's locale.
NumberSeparators UserNumberSeparators();

// True for the characters the rows' key filter lets through: digits, signs, ".", ",", "e",
// "E" and backspace.
bool IsNumberChar(wchar_t character);

// The ASCII form of a number character as a Japanese input method writes it: full-width
// digits, point, comma, signs (and the minus sign U+2212), "ｅ" and "Ｅ", and the
// ideographic space. Any other character is returned as it is.
wchar_t FoldFullWidth(wchar_t character);

// The value of a row's text, or nothing when the text cannot be taken as a number as it
// stands: it is longer than a row holds, or it has a comma (or a separator of the locale)
// that is neither the decimal separator nor a thousands separator between digit groups. So
// "1,000" reads as a thousand and "2,54" is refused where "," groups thousands, and "2,54"
// reads as 2.54 where it is the decimal separator. "." is always a decimal point: the rows
// write their numbers with it. Full-width characters read as their ASCII forms
// (FoldFullWidth). Otherwise the longest leading decimal number of the text (white space,
// sign, digits, one decimal point, an optional exponent) gives the value and the rest is
// ignored. A text without one reads as 0 when it is empty or a lone sign or point ("",
// "-", "+."), and is no number otherwise ("e5", "--5", "abc", "nan").
// "inf" and "infinity", in any case and with a sign, read as infinity.
std::optional<double> ReadRowText(const wchar_t* text, const NumberSeparators& separators);

// The text of a row's value: six significant digits as "%.6g" writes them; with the
// engineering flag set, in engineering notation right-aligned in 13 characters. Zero is
// written "0", whatever its sign.
std::wstring FormatValue(double value, int engineering);

// Rewrites "%.6g" text so that its exponent is a multiple of `step`: "1.23457e+07" becomes
// "12.3457e+6". Text without an exponent is returned unchanged.
std::string ToEngineering(const char* text, int step);
