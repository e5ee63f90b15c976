#include "test_support/DefinitionFiles.h"
#include "test_support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Tokens = std::vector<std::string>;

TEST(DefinitionScanner, SectionAndUnitLines) {
    EXPECT_EQ((Tokens{"SECTION(Length)", "EOL", "END"}), ScanTokens("[Length]\r\n"));
    EXPECT_EQ((Tokens{"STRING(m)", "'='", "NUMBER(1)", "EOL", "END"}), ScanTokens("\"m\" = 1\r\n"));
    EXPECT_EQ((Tokens{"STRING(Pa)", "'='", "NUMBER(1)", "'('", "NUMBER(1)", "')'", "END"}),
              ScanTokens("\"Pa\"\t=1 (1)"));
}

TEST(DefinitionScanner, CommentsOnlyAtTheStartOfALine) {
    EXPECT_EQ((Tokens{"END"}), ScanTokens("# a word\r\n"));
    EXPECT_EQ((Tokens{"'#'", "'a'", "'w'", "'o'", "'r'", "'d'", "EOL", "END"}),
              ScanTokens("  # a word\r\n"));
    // After a line end, a comment's own line end, and a lone LF.
    EXPECT_EQ((Tokens{"EOL", "STRING(x)", "END"}), ScanTokens("\r\n# one\r\n# two\r\n\"x\""));
    EXPECT_EQ((Tokens{"'a'", "END"}), ScanTokens("a\n# comment"));
    // A comment runs to CR LF; a lone LF does not end it.
    EXPECT_EQ((Tokens{"'b'", "END"}), ScanTokens("# one\n\"x\"\r\nb"));
    // A continuation gives no EOL, but it does end a line for "#".
    EXPECT_EQ((Tokens{"'a'", "END"}), ScanTokens("a\\\r\n# comment"));
}

TEST(DefinitionScanner, NumbersHaveNoSignAndAnExponentOnlyAfterAPoint) {
    EXPECT_EQ((Tokens{"NUMBER(0.5)", "NUMBER(5)", "NUMBER(500)", "END"}),
              ScanTokens(".5 5. 5.0E+2"));
    EXPECT_EQ((Tokens{"'-'", "NUMBER(5)", "END"}), ScanTokens("-5"));
    EXPECT_EQ((Tokens{"NUMBER(1500)", "NUMBER(0.0002)", "END"}), ScanTokens("1.5e3 2.e-4"));
    EXPECT_EQ((Tokens{"NUMBER(1)", "'e'", "NUMBER(3)", "END"}), ScanTokens("1e3"));
    EXPECT_EQ((Tokens{"NUMBER(1.5)", "'e'", "END"}), ScanTokens("1.5e"));
    EXPECT_EQ((Tokens{"'.'", "'e'", "NUMBER(3)", "END"}), ScanTokens(".e3"));
    EXPECT_EQ((Tokens{"NUMBER(inf)", "END"}), ScanTokens("1.0e999"));
}

TEST(DefinitionScanner, QuotedNameEscapes) {
    EXPECT_EQ((Tokens{"STRING(a\nb)", "END"}), ScanTokens("\"a\\nb\""));
    EXPECT_EQ((Tokens{"STRING(a\\tb)", "END"}), ScanTokens("\"a\\tb\""));
    EXPECT_EQ((Tokens{"STRING(say \"hi\" \\)", "END"}), ScanTokens("\"say \\\"hi\\\" \\\\\""));
    // A lone CR stays, a lone LF is not stored.
    EXPECT_EQ((Tokens{"STRING(a\rb)", "END"}), ScanTokens("\"a\rb\""));
    EXPECT_EQ((Tokens{"STRING(ab)", "END"}), ScanTokens("\"a\nb\""));
}

TEST(DefinitionScanner, UnclosedQuotedNameEndsAtTheLineEnd) {
    MessageBoxRecorder recorder;
    EXPECT_EQ((Tokens{"NUMBER(2)", "END"}), ScanTokens("\"open = 1\r\n2"));
    // With what to do: the usual cause is a Shift-JIS character that ends in the byte of "\\".
    EXPECT_EQ((std::vector<std::wstring>{
                  L"string not closed in line 1\nEnd each name with \" on its line. In "
                  L"Shift-JIS, a name whose last character has \\ (0x5C) as its second byte "
                  L"needs one more \\ before that \"."}),
              recorder.Texts());
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(L"Debug", recorder.Boxes()[0].caption);
}

TEST(DefinitionScanner, SectionNameRunsToTheBracketOverLines) {
    // Line feeds are not stored.
    EXPECT_EQ((Tokens{"SECTION(a\r\rb)", "END"}), ScanTokens("[a\r\r\n\nb]"));
    EXPECT_EQ((Tokens{"SECTION()", "SECTION(\")", "END"}), ScanTokens("[][\"]"));
}

TEST(DefinitionScanner, NamesOfUpTo259BytesAreKeptLongerOnesEmptied) {
    MessageBoxRecorder recorder;
    const std::string name259(259, 'n');
    EXPECT_EQ((Tokens{"STRING(" + name259 + ")", "END"}), ScanTokens("\"" + name259 + "\""));
    EXPECT_EQ((Tokens{"SECTION(" + name259 + ")", "END"}), ScanTokens("[" + name259 + "]"));
    EXPECT_TRUE(recorder.Texts().empty());

    for (size_t length : {260u, 261u, 10000u}) {
        const std::string name(length, 'n');
        EXPECT_EQ((Tokens{"STRING()", "SECTION()", "END"}),
                  ScanTokens("\"" + name + "\"[" + name + "]"));
    }
    // One message per scan of a file.
    EXPECT_EQ(std::vector<std::wstring>(3, L"string too long in line 1 (1 more problem)"),
              recorder.Texts());
}

TEST(DefinitionScanner, EndOfInputInsideAnOpenNameOrCommentIsSilent) {
    MessageBoxRecorder recorder;
    EXPECT_EQ((Tokens{"END"}), ScanTokens("\"never closed"));
    EXPECT_EQ((Tokens{"END"}), ScanTokens("[never closed"));
    EXPECT_EQ((Tokens{"END"}), ScanTokens("# never closed"));
    EXPECT_EQ((Tokens{"END"}), ScanTokens(""));
    EXPECT_TRUE(recorder.Texts().empty());
}

TEST(DefinitionScanner, HighBytesAndNulOutsideNames) {
    EXPECT_EQ((Tokens{"BAD_BYTE", "BAD_BYTE", "END"}), ScanTokens("\x80\xff"));
    EXPECT_EQ((Tokens{"NUMBER(1)", "BAD_BYTE", "NUMBER(2)", "END"}),
              ScanTokens(std::string("1\0 2", 4)));
    // NULs that run to the end of the file are no token.
    EXPECT_EQ((Tokens{"NUMBER(1)", "END"}), ScanTokens(std::string("1\0\0", 3)));
    // Inside names every byte is stored as it is.
    EXPECT_EQ((Tokens{"STRING(\x81\x40\xfe)", "END"}), ScanTokens("\"\x81\x40\xfe\""));
}

TEST(DefinitionScanner, LfOnlyLinesGiveNoLineEnds) {
    EXPECT_EQ((Tokens{"SECTION(A)", "STRING(m)", "'='", "NUMBER(1)", "END"}),
              ScanTokens("[A]\n\"m\" = 1\n"));
    EXPECT_EQ((Tokens{"SECTION(A)", "13", "STRING(m)", "END"}), ScanTokens("[A]\r\"m\""));
}

TEST(DefinitionScanner, ShiftJisSecondBytesActAsBackslashAndBracket) {
    // "表" is 0x95 0x5C and "ソ" 0x83 0x5C: the 0x5C joins the next byte as an escape.
    EXPECT_EQ((Tokens{"STRING(\x95\"x)", "END"}), ScanTokens("\"\x95\x5C\"x\""));
    EXPECT_EQ((Tokens{"STRING(\x83\\)", "END"}), ScanTokens("\"\x83\x5C\x5C\""));
    EXPECT_EQ((Tokens{"STRING(\x95\\x)", "END"}), ScanTokens("\"\x95\x5Cx\""));
    // A second byte of 0x5D ends a section name.
    EXPECT_EQ((Tokens{"SECTION(\x81)", "'a'", "END"}), ScanTokens("[\x81\x5D"
                                                                  "a"));
}

} // namespace
