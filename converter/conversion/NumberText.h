// The number text of a conversion row: what may be typed, how it is read, how it is written.
#pragma once

#include <string>

// Longest text a row holds, terminator excluded.
constexpr int kMaxRowText = 259;

// True for the characters the rows' key filter lets through: digits, signs, ".", ",", "e",
// "E" and backspace.
bool IsNumberChar(wchar_t character);

// The value of a row's text: the longest leading decimal number of the text converted to the
// ANSI code page (white space, sign, digits with at most one ".", optional exponent); 0 when
// there is none. A comma ends the number, so "1,5" reads as 1. "inf" and "-inf", which the
// rows show for values beyond every double, read as those values.
double ReadRowText(const wchar_t* text);

// The same rule on narrow text.
double ReadNumberPrefix(const char* text);

// The text of a row's value: six significant digits as "%.6g" writes them; with the
// engineering flag set, in engineering notation right-aligned in 13 characters.
std::wstring FormatValue(double value, int engineering);

// Rewrites "%.6g" text so that its exponent is a multiple of `step`: "1.23457e+07" becomes
// "12.3457e+6". Text without an exponent is returned unchanged.
std::string ToEngineering(const char* text, int step);
