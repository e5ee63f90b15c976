#include "converter/definitions/UnitCategory.h"

#include <gtest/gtest.h>

namespace {

TEST(UnitCategory, HoldsNineUnitsInOrderAndDropsTheRest) {
    UnitCategory category(L"Length");
    EXPECT_EQ(L"Length", category.Name());
    EXPECT_EQ(0, category.UnitCount());
    for (int unit = 0; unit < 9; ++unit) {
        EXPECT_TRUE(category.AddUnit(L"u" + std::to_wstring(unit), unit + 1, unit % 2));
    }
    EXPECT_FALSE(category.AddUnit(L"tenth", 10, 0));
    EXPECT_FALSE(category.AddUnit(L"zero after the ninth", 0, 0));
    ASSERT_EQ(9, category.UnitCount());
    EXPECT_EQ(L"u8", category.UnitName(8));
    EXPECT_EQ(9, category.Factor(8));
    EXPECT_EQ(0, category.Engineering(8));
    EXPECT_EQ(1, category.Engineering(7));
}

TEST(UnitCategory, ZeroFactorsAreHandledButTakeNoPlace) {
    UnitCategory category(L"");
    EXPECT_TRUE(category.AddUnit(L"x", 0, 0));
    EXPECT_TRUE(category.AddUnit(L"y", -0.0, 1));
    EXPECT_EQ(0, category.UnitCount());
    EXPECT_TRUE(category.AddUnit(L"", 2, 0));
    EXPECT_TRUE(category.AddUnit(L"", 2, 0)); // duplicates stay
    EXPECT_EQ(2, category.UnitCount());
}

} // namespace
