#include "UnitCategory.h"

#include <utility>

UnitCategory::UnitCategory(std::wstring name) : name(std::move(name)) {
}

bool UnitCategory::AddUnit(std::wstring unitName, double factor, int engineeringFlag) {
    if (unitCount == kMaxUnits) {
        return false;
    }
    if (factor == 0) {
        return true;
    }
    unitNames[unitCount] = std::move(unitName);
    factors[unitCount] = factor;
    engineering[unitCount] = engineeringFlag;
    ++unitCount;
    return true;
}
