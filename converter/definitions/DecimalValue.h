// Decimal text to double, shared by the definition scanner and the number text of the rows.
#pragma once

// The value of [first, last), which must be decimal text of the form digits, an optional
// "." with digits, and an optional exponent, rounded to the nearest double. A value too
// large for a double gives infinity, one too small gives 0, as the C library's strtod does.
double DecimalValue(const char* first, const char* last);
