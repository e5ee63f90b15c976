// The definition files shipped with the program load without a message and convert between
// related units to their defined values.
#include "converter/definitions/DefinitionLoader.h"
#include "test_support/DefinitionFiles.h"
#include "test_support/HostPath.h"
#include "test_support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

// A shipped sample file, in the repository's samples folder.
std::wstring SamplePath(const char* name) {
    return HostPath((std::string(MENSURIO_SAMPLES_DIR) + "/" + name).c_str());
}

struct LoadedSample {
    bool opened = false;
    std::vector<std::wstring> messages;
    CollectedCategories collected;

    // The size of one `from` in units `to` of category `name`, by the unit page's rule.
    double Convert(const std::wstring& name, const std::wstring& from, const std::wstring& to) {
        for (const auto& category : collected.categories) {
            if (category->Name() != name) {
                continue;
            }
            double fromFactor = 0;
            double toFactor = 0;
            for (int unit = 0; unit < category->UnitCount(); ++unit) {
                if (category->UnitName(unit) == from) {
                    fromFactor = category->Factor(unit);
                }
                if (category->UnitName(unit) == to) {
                    toFactor = category->Factor(unit);
                }
            }
            return (fromFactor / toFactor) * 1;
        }
        ADD_FAILURE() << "no category";
        return 0;
    }
};

void Load(LoadedSample& sample, const char* name) {
    MessageBoxRecorder recorder;
    sample.opened = LoadDefinitionFile(sample.collected, SamplePath(name).c_str());
    sample.messages = recorder.Texts();
}

TEST(SampleFiles, EnglishFileLoadsWithDefinedFactors) {
    LoadedSample sample;
    Load(sample, "units.ini");
    ASSERT_TRUE(sample.opened);
    EXPECT_TRUE(sample.messages.empty());
    EXPECT_GE(sample.collected.categories.size(), 20u);
    for (const auto& category : sample.collected.categories) {
        EXPECT_GT(category->UnitCount(), 1) << category->Name().c_str();
    }
    EXPECT_DOUBLE_EQ(2.54, sample.Convert(L"Length", L"inch", L"cm"));
    EXPECT_DOUBLE_EQ(5280, sample.Convert(L"Length", L"mile", L"ft"));
    EXPECT_DOUBLE_EQ(0.45359237, sample.Convert(L"Mass", L"lb", L"kg"));
    EXPECT_DOUBLE_EQ(16, sample.Convert(L"Mass", L"lb", L"oz"));
    EXPECT_DOUBLE_EQ(101325, sample.Convert(L"Pressure", L"atm", L"Pa"));
    EXPECT_DOUBLE_EQ(4.184, sample.Convert(L"Energy", L"cal", L"J"));
    EXPECT_DOUBLE_EQ(3.785411784, sample.Convert(L"Volume", L"US gal", L"L"));
    EXPECT_DOUBLE_EQ(1024, sample.Convert(L"Data", L"KiB", L"byte"));
    EXPECT_DOUBLE_EQ(180, sample.Convert(L"Angle", L"turn", L"degree") / 2);
}

TEST(SampleFiles, ShiftJisFileLoadsWithItsJapaneseNames) {
    LoadedSample sample;
    Load(sample, "units_ja.ini");
    ASSERT_TRUE(sample.opened);
    EXPECT_TRUE(sample.messages.empty());
    ASSERT_GE(sample.collected.categories.size(), 8u);
    if (GetACP() != 932) {
        ASSERT_EQ(nullptr, getenv("MENSURIO_JAPANESE_RUN")) << "code page " << GetACP();
        return; // names are only readable on the Japanese code page
    }
    EXPECT_EQ(L"長さ", sample.collected.categories[0]->Name());
    EXPECT_EQ(L"ﾒｰﾄﾙ", sample.collected.categories[0]->UnitName(0));
    EXPECT_DOUBLE_EQ(3.75, sample.Convert(L"質量", L"貫", L"ｷﾛｸﾞﾗﾑ"));
    EXPECT_DOUBLE_EQ(6, sample.Convert(L"長さ", L"間", L"尺"));
    EXPECT_DOUBLE_EQ(100, sample.Convert(L"体積", L"石", L"升"));
}

} // namespace
