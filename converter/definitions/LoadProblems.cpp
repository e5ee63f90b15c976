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
    if (firstLine > 0) {
        StringCchPrintfW(text, kMessageTextSize, LanguageText(L"%hs in line %d", L"%hs (%d行目)"),
                         firstWords.c_str(), firstLine);
    } else {
        StringCchPrintfW(text, kMessageTextSize, L"%hs", firstWords.c_str());
    }
    std::wstring message = text;
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

void LoadProblems::Report() const {
    if (count == 0) {
        return;
    }
    const std::wstring message = Message();
    if (severity == Severity::kDiagnostic) {
        ShowDebug(L"%s", message.c_str());
    } else {
        ShowError(GetActiveWindow(), L"%s", message.c_str());
    }
}
