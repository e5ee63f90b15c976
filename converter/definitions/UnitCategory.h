// One section of a definition file: a named group of at most nine units of one quantity.
#pragma once

#include <string>

class UnitCategory {
public:
    static constexpr int kMaxUnits = 9;

    explicit UnitCategory(std::wstring name);
    virtual ~UnitCategory() = default;

    UnitCategory(const UnitCategory&) = delete;
    UnitCategory& operator=(const UnitCategory&) = delete;

    // Appends a unit. Returns false when the category already holds nine units (the unit is
    // dropped). A factor that is not a finite normal double (0, infinity, NaN, a subnormal)
    // gives no usable conversion, so such a unit is dropped too, but counts as handled.
    bool AddUnit(std::wstring unitName, double factor, int engineering);

    const std::wstring& Name() const { return name; }
    int UnitCount() const { return unitCount; }
    const std::wstring& UnitName(int unit) const { return unitNames[unit]; }
    // Size of the unit in terms of one reference unit of the category; a finite normal double.
    double Factor(int unit) const { return factors[unit]; }
    const double* Factors() const { return factors; }
    // Not 0: show the unit's values in engineering notation.
    int Engineering(int unit) const { return engineering[unit]; }

private:
    std::wstring name;
    int unitCount = 0;
    std::wstring unitNames[kMaxUnits];
    double factors[kMaxUnits] = {};
    int engineering[kMaxUnits] = {};
};
