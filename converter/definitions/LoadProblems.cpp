#include "LoadProblems.h"

#include "framework/app/Application.h"
#include "framework/app/MessageBoxes.h"

#include <windows.h>

#include <strsafe.h>

namespace {

// A count with its groups of thousands apart, "1 999"; the space does not break a line.
std::wstring GroupedCount(int count) {
    std::wstring digits = std::to_wstring(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<size_t>(at), 1, L'\u00A0');
    }
    return digits;
}

// The parser's and scanner's words and what the Japanese interface shows for them.
struct ProblemWords {
    const char* english;
    const wchar_t* japanese;
};
constexpr ProblemWords kProblemWords[] = {
    {"syntax error", L"構文ｴﾗｰ"},
    {"string not closed", L"文字列が閉じていません"},
    {"string too long", L"文字列が長すぎます"},
    {"App::yyparse: memory exhausted", L"ﾒﾓﾘが足りません"},
    {"yacc stack overflow", L"構文の入れ子が深すぎます"},
};

std::wstring WordsOf(const std::string& english) {
    if (Application::japanese) {
        for (const ProblemWords& words : kProblemWords) {
            if (english == words.english) {
                return words.japanese;
            }
        }
    }
    return std::wstring(english.begin(), english.end());
}

} // namespace

void LoadProblems::Add(Severity problem, const char* words, int line) {
    if (count++ == 0) {
        firstWords = words;
        firstLine = line;
    }
    if (problem == Severity::kError) {
        severity = Severity::kError;
    }
}

std::wstring LoadProblems::Message() const {
    if (count == 0) {
        return L"";
    }
    wchar_t text[kMessageTextSize] = {};
    std::wstring message = WordsOf(firstWords);
    if (firstLine > 0) {
        StringCchPrintfW(text, kMessageTextSize, LanguageText(L" in line %d", L" (%d行目)"),
                         firstLine);
        message += text;
    }
    if (count > 1) {
        const std::wstring more = GroupedCount(count - 1);
        StringCchPrintfW(text, kMessageTextSize,
                         count == 2 ? LanguageText(L" (%s more problem)", L" (ほかに%s件)")
                                    : LanguageText(L" (%s more problems)", L" (ほかに%s件)"),
                         more.c_str());
        message += text;
    }
    return message;
}

void LoadProblems::Report(HWND owner, const wchar_t* file) const {
    if (count == 0) {
        return;
    }
    std::wstring message = Message();
    if (file != nullptr) {
        message = std::wstring(file) + L"\n" + message;
    }
    // The usual cause: a Shift-JIS character whose second byte is the backslash, which
    // then escapes the closing quote.
    if (firstWords == "string not closed") {
        message += LanguageText(
            L"\nEnd each name with \" on its line. In Shift-JIS, a name whose last character "
            L"has \\ (0x5C) as its second byte needs one more \\ before that \".",
            L"\n名前は同じ行の \" で終えてください。表、十、ソ、能など2ﾊﾞｲﾄ目が \\ の文字で"
            L"終わる名前は、閉じる \" の前に \\ をもう1つ書いてください。");
    }
    if (severity == Severity::kDiagnostic) {
        ShowDebug(L"%s", message.c_str());
    } else {
        ShowError(owner, L"%s", message.c_str());
    }
}
