#include "converter/definitions/DefinitionLoader.h"
#include "AllocationCounter.h"
#include "converter/definitions/DefinitionParse.h"
#include "framework/app/Application.h"
#include "test_support/DefinitionFiles.h"
#include "test_support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;
using Messages = std::vector<std::wstring>;

// The grammar's message about the given line of the file.
Messages SyntaxErrorIn(int line) {
    return {L"syntax error in line " + std::to_wstring(line)};
}

TEST(LoadDefinitionFile, SectionsBecomeCategoriesInFileOrder) {
    const LoadResult result = LoadDefinitionBytes("# lengths, factor = size in metres\r\n"
                                                  "[Length]\r\n"
                                                  "\"m\" = 1\r\n"
                                                  "\"km\" = 1000\r\n"
                                                  "\"inch\" = 0.0254\r\n"
                                                  "[Pressure]\r\n"
                                                  "\"Pa\" = 1 (1)\r\n"
                                                  "\"kPa\" = 1000 (1)\r\n");
    EXPECT_TRUE(result.opened);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ((Lines{L"Length: m=1, km=1000, inch=0.0254", L"Pressure: Pa=1(1), kPa=1000(1)"}),
              result.Describe());
}

TEST(LoadDefinitionFile, MissingFileIsNotOpenedSilently) {
    MessageBoxRecorder recorder;
    CollectedCategories collected;
    EXPECT_FALSE(LoadDefinitionFile(collected, L"C:\\no such folder\\units.ini"));
    EXPECT_TRUE(collected.categories.empty());
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST(LoadDefinitionFile, FilesWithoutAnyLineAreSyntaxErrors) {
    // The end of input is the token refused; its line is the one the file ends on.
    const std::pair<const char*, int> files[] = {
        {"", 1}, {"# only a comment\r\n", 2}, {"# no line end", 1}};
    for (const auto& [bytes, line] : files) {
        const LoadResult result = LoadDefinitionBytes(bytes);
        EXPECT_TRUE(result.opened);
        EXPECT_EQ(SyntaxErrorIn(line), result.messages) << bytes;
        EXPECT_TRUE(result.categories.empty());
    }
}

TEST(LoadDefinitionFile, ErrorsAreShownInTheErrorBox) {
    MessageBoxRecorder recorder;
    CollectedCategories collected;
    TempDefinitionFile file("");
    LoadDefinitionFile(collected, file.Path());
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(L"Error", recorder.Boxes()[0].caption);
    EXPECT_EQ(GetActiveWindow(), recorder.Boxes()[0].owner);
}

TEST(LoadDefinitionFile, LineEndsAloneAreAcceptedWithoutCategories) {
    const LoadResult result = LoadDefinitionBytes("\r\n\r\n\r\n");
    EXPECT_TRUE(result.messages.empty());
    EXPECT_TRUE(result.categories.empty());
}

TEST(LoadDefinitionFile, UnitLinesBeforeTheFirstSectionAreIgnored) {
    const LoadResult result = LoadDefinitionBytes("\"lost\" = 3\r\n[A]\r\n\"a\" = 2\r\n");
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ((Lines{L"A: a=2"}), result.Describe());
}

TEST(LoadDefinitionFile, SectionWithoutUnitsAndUnitsWithoutLineEnds) {
    const LoadResult result =
        LoadDefinitionBytes("[Empty]\r\n[Two]\"a\" = 1 \"b\" = 2 (3)[Last]\"c\" = 4");
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ((Lines{L"Empty:", L"Two: a=1, b=2(3)", L"Last: c=4"}), result.Describe());
}

TEST(LoadDefinitionFile, EngineeringFlagIsTheSecondNumberTruncated) {
    const LoadResult result =
        LoadDefinitionBytes("[F]\r\n\"a\" = 1 (0.5)\r\n\"b\" = 1 (2)\r\n\"c\" = 1 (2.9)\r\n");
    EXPECT_EQ((Lines{L"F: a=1, b=1(2), c=1(2)"}), result.Describe());
    EXPECT_EQ(0, TruncateFlag(-0.9));
    EXPECT_EQ(INT_MIN, TruncateFlag(1e300));
    EXPECT_EQ(INT_MAX, TruncateFlag(2147483647.5));
}

// The grammar's lists keep the parser's stacks short, so files never reach this growth: it
// is driven here with stacks of its own.
TEST(ParserStacks, GrowByHalfKeepTheirEntriesForLaterLoadsAndStopAtTheLimit) {
    LoadProblems problems;
    int ownStates[4] = {1, 2, 3, 4};
    double ownValues[4] = {5, 6, 7, 8};
    void* states = ownStates;
    void* values = ownValues;
    long long size = 4;
    // Memory that cannot be had is told, before any stacks are kept.
    LoadProblems exhausted;
    EXPECT_FALSE(
        GrowParserStacks(&states, SIZE_MAX / 64, &values, sizeof(double), &size, exhausted));
    EXPECT_EQ(2, exhausted.Count());
    EXPECT_EQ(ownStates, states);
    ASSERT_TRUE(GrowParserStacks(&states, sizeof(int), &values, sizeof(double), &size, problems));
    EXPECT_EQ(6, size);
    const auto entries = [&](long long count) {
        return std::make_pair(
            std::vector<int>(static_cast<int*>(states), static_cast<int*>(states) + count),
            std::vector<double>(static_cast<double*>(values),
                                static_cast<double*>(values) + count));
    };
    EXPECT_EQ(std::make_pair(std::vector<int>{1, 2, 3, 4}, std::vector<double>{5, 6, 7, 8}),
              entries(4));
    static_cast<int*>(states)[5] = 9;
    static_cast<double*>(values)[5] = 10;
    ASSERT_TRUE(GrowParserStacks(&states, sizeof(int), &values, sizeof(double), &size, problems));
    EXPECT_EQ(9, size);
    EXPECT_EQ(9, static_cast<int*>(states)[5]);
    EXPECT_EQ(10, static_cast<double*>(values)[5]);
    ASSERT_TRUE(GrowParserStacks(&states, sizeof(int), &values, sizeof(double), &size, problems));
    EXPECT_EQ(14, size); // half of an odd size rounds up

    // A later load starts on its own stacks again and takes the kept ones, large enough.
    const void* const kept = states;
    int laterStates[4] = {11, 12, 13, 14};
    double laterValues[4] = {15, 16, 17, 18};
    states = laterStates;
    values = laterValues;
    size = 4;
    ASSERT_TRUE(GrowParserStacks(&states, sizeof(int), &values, sizeof(double), &size, problems));
    EXPECT_EQ(kept, states);
    EXPECT_EQ(std::make_pair(std::vector<int>{11, 12, 13, 14}, std::vector<double>{15, 16, 17, 18}),
              entries(4));
    EXPECT_EQ(0, problems.Count());

    // Never beyond the limit, and no growth at it.
    std::vector<int> deepStates(kMaxParserDepth - 1);
    std::vector<double> deepValues(kMaxParserDepth - 1);
    states = deepStates.data();
    values = deepValues.data();
    size = kMaxParserDepth - 1;
    ASSERT_TRUE(GrowParserStacks(&states, sizeof(int), &values, sizeof(double), &size, problems));
    EXPECT_EQ(kMaxParserDepth, size);
    EXPECT_FALSE(GrowParserStacks(&states, sizeof(int), &values, sizeof(double), &size, problems));
    EXPECT_EQ(1, problems.Count());
    EXPECT_EQ(L"yacc stack overflow", problems.Message());
}

TEST(LoadDefinitionFile, SyntaxErrorKeepsWhatCameBefore) {
    // A negative factor: the line before stands, the category is finished.
    LoadResult result = LoadDefinitionBytes("[A]\r\n\"a\" = 1\r\n\"b\" = -2\r\n\"c\" = 3\r\n");
    EXPECT_EQ(SyntaxErrorIn(3), result.messages);
    EXPECT_EQ((Lines{L"A: a=1"}), result.Describe());

    // A unit line missing its number.
    result = LoadDefinitionBytes("[A]\r\n\"a\" = 1\r\n\"b\" =\r\n[B]\r\n");
    EXPECT_EQ(SyntaxErrorIn(3), result.messages);
    EXPECT_EQ((Lines{L"A: a=1"}), result.Describe());

    // End of input where a line is incomplete.
    result = LoadDefinitionBytes("[A]\r\n\"a\" = 1 (2");
    EXPECT_EQ(SyntaxErrorIn(2), result.messages);
    EXPECT_EQ((Lines{L"A:"}), result.Describe());
}

TEST(LoadDefinitionFile, StrayTokenAfterAUnitLineDropsThatUnit) {
    LoadResult result = LoadDefinitionBytes("[A]\r\n\"a\" = 1\r\n\"b\" = 2 x\r\n");
    EXPECT_EQ(SyntaxErrorIn(3), result.messages);
    EXPECT_EQ((Lines{L"A: a=1"}), result.Describe());

    // A high byte is such a token too.
    result = LoadDefinitionBytes("[A]\r\n\"a\" = 1\x80 garbage");
    EXPECT_EQ(SyntaxErrorIn(2), result.messages);
    EXPECT_EQ((Lines{L"A:"}), result.Describe());

    // So is a NUL byte before the end of the file.
    result = LoadDefinitionBytes(std::string("[A]\r\n\"a\" = 1\0\"b\" = 2", 20));
    EXPECT_EQ(SyntaxErrorIn(2), result.messages);
    EXPECT_EQ((Lines{L"A:"}), result.Describe());
}

TEST(LoadDefinitionFile, StrayTokenAfterAnyLineKeepsThatLineOut) {
    // After a flag.
    LoadResult result = LoadDefinitionBytes("[A]\r\n\"a\" = 1\r\n\"b\" = 2 (1) x\r\n");
    EXPECT_EQ(SyntaxErrorIn(3), result.messages);
    EXPECT_EQ((Lines{L"A: a=1"}), result.Describe());

    // After a section header: the section is not opened, the one before is finished.
    result = LoadDefinitionBytes("[A]\r\n\"a\" = 1 (1)\r\n[B] =\r\n\"b\" = 2\r\n");
    EXPECT_EQ(SyntaxErrorIn(3), result.messages);
    EXPECT_EQ((Lines{L"A: a=1(1)"}), result.Describe());

    // A unit line that another line follows on the same line still stands.
    result = LoadDefinitionBytes("[A]\"a\" = 1 (1)\"b\" = 2 (2) (");
    EXPECT_EQ(SyntaxErrorIn(1), result.messages);
    EXPECT_EQ((Lines{L"A: a=1(1)"}), result.Describe());
}

TEST(LoadDefinitionFile, BytesNoTokenStartsWithAreSyntaxErrorsButEndPaddingIsNot) {
    // [ゾーン] in Shift-JIS: the second byte of ゾ closes the name, and the next byte of
    // 0x80 or above starts no token.
    LoadResult result = LoadDefinitionBytes("[A]\r\n\"a\" = 1\r\n"
                                            "[\x83\x5D\x81\x5B\x83\x93]\r\n\"b\" = 2\r\n");
    EXPECT_EQ(SyntaxErrorIn(3), result.messages);
    EXPECT_EQ((Lines{L"A: a=1"}), result.Describe());

    result = LoadDefinitionBytes(std::string("[A]\r\n\"a\" = 1\r\n\0\0\r\n[B]\r\n", 20));
    EXPECT_EQ(SyntaxErrorIn(3), result.messages);
    EXPECT_EQ((Lines{L"A: a=1"}), result.Describe());

    // NULs up to the end, after a line end, a line or a comment, only pad the file.
    for (const char* last : {"\"b\" = 2\r\n", "\"b\" = 2 (1)", "\"b\" = 2\r\n# end"}) {
        result = LoadDefinitionBytes("[A]\r\n" + std::string(last) + std::string(70000, '\0'));
        EXPECT_TRUE(result.messages.empty()) << last;
        EXPECT_EQ(1u, result.categories.size()) << last;
        EXPECT_EQ(1, result.categories.empty() ? 0 : result.categories[0]->UnitCount()) << last;
    }
}

TEST(LoadDefinitionFile, LexicalMessagesDoNotStopTheParse) {
    const std::string overlong(300, 'x');
    const LoadResult result =
        LoadDefinitionBytes("[A]\r\n\"" + overlong + "\" = 1\r\n\"open = 2\r\n\"b\" = 3\r\n");
    EXPECT_EQ((Messages{L"string too long in line 2 (1 more problem)"}), result.messages);
    EXPECT_EQ((Lines{L"A: =1, b=3"}), result.Describe());
}

TEST(LoadDefinitionFile, OneMessagePerLoadNamesTheFirstProblemsLineInBothLanguages) {
    // Lines end with CR LF or a lone LF, also inside comments, names and continuations; a
    // name's problem is on the line of its quote.
    const std::string head = "# one\r\n[Two\nthree]\n\r\n\"a\" = 1\\\r\n";
    const std::string bytes =
        head + "\"" + std::string(300, 'x') + "\" = 1\r\n\"open\r\n\"b\" = 2 x\r\n";
    LoadResult result = LoadDefinitionBytes(bytes);
    EXPECT_EQ((Messages{L"string too long in line 6 (2 more problems)"}), result.messages);
    EXPECT_EQ((Lines{L"Twothree: a=1, =1"}), result.Describe());
    EXPECT_EQ((Messages{L"string not closed in line 6 (1 more problem)"}),
              LoadDefinitionBytes(head + "\"open\r\n\"b\" = 2 x\r\n").messages);
    EXPECT_EQ(SyntaxErrorIn(6), LoadDefinitionBytes(head + "\"b\" = 2 x\r\n").messages);

    // A fault on every line is still one message.
    std::string everyLine = "[A]\r\n";
    for (int line = 0; line < 2000; ++line) {
        everyLine += "\"open\r\n";
    }
    EXPECT_EQ((Messages{L"string not closed in line 2 (1\u00A0999 more problems)"}),
              LoadDefinitionBytes(everyLine).messages);
    everyLine.resize(std::string("[A]\r\n").size() + 201 * std::string("\"open\r\n").size());
    EXPECT_EQ((Messages{L"string not closed in line 2 (200 more problems)"}),
              LoadDefinitionBytes(everyLine).messages);

    Application::japanese = TRUE;
    MessageBoxRecorder recorder;
    CollectedCategories collected;
    for (const std::string& file : {bytes, head + "\"b\" = 2 x\r\n"}) {
        TempDefinitionFile written(file);
        LoadDefinitionFile(collected, written.Path());
    }
    Application::japanese = FALSE;
    EXPECT_EQ((Messages{L"文字列が長すぎます (6行目) (ほかに2件)", L"構文ｴﾗｰ (6行目)"}),
              recorder.Texts());
    // A load that a syntax error stopped is told as an error, whatever came first.
    ASSERT_EQ(2u, recorder.Boxes().size());
    EXPECT_EQ(L"ｴﾗｰ", recorder.Boxes()[0].caption);
    EXPECT_EQ(L"ｴﾗｰ", recorder.Boxes()[1].caption);
}

TEST(LoadDefinitionFile, LastLineWithoutLineEndAndLfOnlyFiles) {
    LoadResult result = LoadDefinitionBytes("[A]\r\n\"a\" = 1\r\n\"b\" = 2");
    EXPECT_EQ((Lines{L"A: a=1, b=2"}), result.Describe());

    // Without CR the file is one long line: still valid, as no token needs a line end.
    result = LoadDefinitionBytes("[A]\n\"a\" = 1\n# a comment runs to the end\n\"b\" = 2\n");
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ((Lines{L"A: a=1"}), result.Describe());

    // CR alone is a stray byte, which keeps the section header before it out.
    result = LoadDefinitionBytes("[A]\r\"a\" = 1\r");
    EXPECT_EQ(SyntaxErrorIn(1), result.messages);
    EXPECT_TRUE(result.categories.empty());
}

TEST(LoadDefinitionFile, CategoriesKeepNineUnitsAndDropZeroFactors) {
    std::string bytes = "[Many]\r\n\"zero\" = 0\r\n\"zero too\" = 0.0\r\n";
    for (int unit = 1; unit <= 12; ++unit) {
        bytes += "\"u" + std::to_string(unit) + "\" = " + std::to_string(unit) + "\r\n";
    }
    const LoadResult result = LoadDefinitionBytes(bytes);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ((Lines{L"Many: u1=1, u2=2, u3=3, u4=4, u5=5, u6=6, u7=7, u8=8, u9=9"}),
              result.Describe());
}

TEST(LoadDefinitionFile, FactorsThatAreNotFiniteNormalDoublesAreDroppedLikeZero) {
    const LoadResult result = LoadDefinitionBytes("[A]\r\n\"over\" = 1.0e400\r\n"
                                                  "\"tiny\" = 4.9e-324\r\n"
                                                  "\"least normal\" = 2.2250738585072014e-308\r\n"
                                                  "\"a\" = 1\r\n");
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ((Lines{L"A: least normal=2.22507e-308, a=1"}), result.Describe());

    // NaN cannot be written in a file, but is no factor either.
    UnitCategory category(L"B");
    EXPECT_TRUE(category.AddUnit(L"nan", std::nan(""), 0));
    EXPECT_TRUE(category.AddUnit(L"minus inf", -HUGE_VAL, 0));
    EXPECT_EQ(0, category.UnitCount());
}

TEST(LoadDefinitionFile, AFileAfterASyntaxErrorIsReadAlone) {
    LoadResult first = LoadDefinitionBytes("[A]\r\n\"a\" = 1\r\n\"open");
    EXPECT_EQ((Lines{L"A: a=1"}), first.Describe());
    first = LoadDefinitionBytes("[B]\r\n\"b\" = 1 =\r\n");
    EXPECT_EQ(SyntaxErrorIn(2), first.messages);
    const LoadResult second = LoadDefinitionBytes("\"x\" = 5\r\n[C]\r\n\"c\" = 2\r\n");
    EXPECT_TRUE(second.messages.empty());
    EXPECT_EQ((Lines{L"C: c=2"}), second.Describe());
}

TEST(LoadDefinitionFile, ShiftJisNamesOnAJapaneseCodePage) {
    if (GetACP() != 932) {
        // The Japanese test run sets the variable, so that a wrong locale cannot pass silently.
        ASSERT_EQ(nullptr, getenv("MENSURIO_JAPANESE_RUN")) << "code page " << GetACP();
        GTEST_SKIP() << "needs the Japanese code page (run with LC_ALL=ja_JP.UTF-8)";
    }
    // [長さ] "ﾒｰﾄﾙ" = 1, "表" (0x95 0x5C) = 2, "ソ\" (0x83 0x5C 0x5C) = 3
    const LoadResult result = LoadDefinitionBytes("[\x92\xB7\x82\xB3]\r\n"
                                                  "\"\xD2\xB0\xC4\xD9\" = 1\r\n"
                                                  "\"\x95\x5C\x5C\" = 2\r\n"
                                                  "\"\x83\x5C\x5C\" = 3\r\n");
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ((Lines{L"長さ: ﾒｰﾄﾙ=1, 表=2, ソ=3"}), result.Describe());

    // "表" directly before the closing quote escapes it: the name runs on to the next quote.
    const LoadResult escaped = LoadDefinitionBytes("[S]\r\n\"\x95\x5C\" = 1\"\r\n");
    EXPECT_EQ(SyntaxErrorIn(2), escaped.messages);
}

// Ten megabytes in one file: valid sections, one unclosed name, one number, one comment.
TEST(LoadDefinitionFile, TenMegabyteFiles) {
    const size_t tenMegabytes = 10u << 20;
    std::string sections;
    for (int section = 0; sections.size() < tenMegabytes; ++section) {
        sections += "[S" + std::to_string(section) + "]\r\n\"a\" = 1\r\n\"b\" = 2.5e3 (1)\r\n";
    }
    LoadResult result = LoadDefinitionBytes(sections);
    EXPECT_TRUE(result.messages.empty());
    ASSERT_GT(result.categories.size(), 250000u);
    EXPECT_EQ(L"S0: a=1, b=2500(1)", result.Describe()[0]);

    result = LoadDefinitionBytes("[A]\r\n\"" + std::string(tenMegabytes, 'n'));
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ((Lines{L"A:"}), result.Describe());

    result = LoadDefinitionBytes("[A]\r\n\"big\" = " + std::string(tenMegabytes, '9'));
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ((Lines{L"A:"}), result.Describe());

    result = LoadDefinitionBytes("[A]\r\n#" + std::string(tenMegabytes, '#') + "\r\n\"a\" = 1");
    EXPECT_EQ((Lines{L"A: a=1"}), result.Describe());
}

TEST(LoadDefinitionFile, ErrorsFreeEverythingTheLoadAllocated) {
    for (const char* bytes : {"[A]\r\n\"a\" = 1\r\n\"b\" = 2 x\r\n", "[A]\"b\" = 1 (2 [B]",
                              "[A]\r\n\"a\" = \"b\" = 3", "\"a\" = 1 [", "[A][B][C]\"", ""}) {
        TempDefinitionFile file(bytes);
        MessageBoxRecorder recorder;
        const long long before = LiveAllocations();
        {
            CollectedCategories collected;
            LoadDefinitionFile(collected, file.Path());
        }
        recorder.Clear();
        EXPECT_EQ(before, LiveAllocations()) << bytes;
    }
}

} // namespace
