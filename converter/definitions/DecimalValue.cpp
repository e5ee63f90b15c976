#include "DecimalValue.h"

#include <charconv>
#include <cstdlib>
#include <string>

double DecimalValue(const char* first, const char* last) {
    double value = 0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Note: from_chars leaves the value alone when it is out of range; strtod gives the
        // infinity or zero that the text stands for.
        return std::strtod(std::string(first, last).c_str(), nullptr);
    }
    return value;
}
