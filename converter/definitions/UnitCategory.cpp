#include "UnitCategory.h"

#include <cmath>
#include <utility>

UnitCategory::UnitCategory(std::wstring name) : name(std::move(name)) {
}

bool UnitCategory::AddUnit(std::wstring unitName, double factor, int engineeringFlag) {
    if (unitCount == kMaxUnits) {
        return false;
    }
    // Only a finite normal factor converts: 0 could never be converted from, infinity and
    // NaN make every value on the page infinite or NaN, and a subnormal has lost digits and
    // overflows the ratios taken with it.
    if (!std::isnormal(factor)) {
        return true;
    }
    unitNames[unitCount] = std::move(unitName);
    factors[unitCount] = factor;
    engineering[unitCount] = engineeringFlag;
    ++unitCount;
    return true;
}
