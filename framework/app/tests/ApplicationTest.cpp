#include "framework/app/Application.h"

#include <gtest/gtest.h>

namespace {

// Restores the process values that a test changes.
class ApplicationValues : public ::testing::Test {
protected:
    void TearDown() override {
        Application::japanese = FALSE;
        Application::dpiX = 0;
        Application::dpiY = 0;
    }
};

TEST_F(ApplicationValues, ScalingRoundsHalfAwayFromZeroSymmetrically) {
    Application::dpiX = 192;
    Application::dpiY = 96;
    EXPECT_EQ(20, ScaleX(10));
    EXPECT_EQ(-20, ScaleX(-10));
    EXPECT_EQ(10, ScaleY(10));

    Application::dpiX = 131;
    EXPECT_EQ(14, ScaleX(10)); // (1310 + 48) / 96
    EXPECT_EQ(-14, ScaleX(-10));
    EXPECT_EQ(0, ScaleX(0));

    // 1 * 144 / 96 = 1.5 rounds away from zero in both directions.
    Application::dpiY = 144;
    EXPECT_EQ(2, ScaleY(1));
    EXPECT_EQ(-2, ScaleY(-1));
}

TEST_F(ApplicationValues, ValuesBeforeStartUpAreEnglishAndOrdinaryResolution) {
    EXPECT_FALSE(Application::japanese);
    EXPECT_FALSE(Application::hiRes);
    EXPECT_EQ(L"DlgUnit_E", LocalizedResourceName(L"DlgUnit"));
}

TEST_F(ApplicationValues, LanguageChoosesResourceSuffixAndText) {
    Application::japanese = TRUE;
    EXPECT_EQ(L"DlgUnit_J", LocalizedResourceName(L"DlgUnit"));
    EXPECT_STREQ(L"ｴﾗｰ", LanguageText(L"Error", L"ｴﾗｰ"));
    Application::japanese = FALSE;
    EXPECT_STREQ(L"Error", LanguageText(L"Error", L"ｴﾗｰ"));
}

} // namespace
