#include "WildcardPattern.h"

#include <windows.h>

namespace {

wchar_t FoldCase(wchar_t character) {
    CharUpperBuffW(&character, 1);
    return character;
}

} // namespace

WildcardPattern::WildcardPattern(const std::wstring& pattern) {
    const size_t length = pattern.size();
    for (size_t at = 0; at < length; ++at) {
        Element element = {};
        const wchar_t character = pattern[at];
        if (character == L'*') {
            element.kind = Element::kAnyRun;
        } else if (character == L'?') {
            element.kind = Element::kAnyOne;
        } else if (character == L'[') {
            element.kind = Element::kSet;
            ++at;
            if (at < length && pattern[at] == L'^') {
                element.negated = true;
                ++at;
            }
            while (at < length && pattern[at] != L']') {
                const wchar_t first = pattern[at];
                if (at + 1 < length && pattern[at + 1] == L'-') {
                    if (at + 2 >= length) {
                        compiled = false; // the part ends right after the "-" of a range
                        return;
                    }
                    if (pattern[at + 2] != L']') {
                        element.members.push_back({first, pattern[at + 2]});
                        at += 3;
                        continue;
                    }
                }
                element.members.push_back({first, first});
                ++at;
            }
            if (at >= length) {
                compiled = false; // the part ends inside the set
                return;
            }
        } else {
            element.kind = Element::kLiteral;
            element.literal = FoldCase(character);
        }
        elements.push_back(std::move(element));
    }
}

bool WildcardPattern::MatchesOne(const Element& element, wchar_t character) const {
    switch (element.kind) {
    case Element::kAnyOne:
        return true;
    case Element::kLiteral:
        return FoldCase(character) == element.literal;
    case Element::kSet: {
        bool member = false;
        for (const Range& range : element.members) {
            member |= range.first <= character && character <= range.last;
        }
        return member != element.negated;
    }
    default:
        return false;
    }
}

// Walks pattern and name together; after a "*" the rest of the pattern is tried at each
// later position of the name by going back to the last "*" seen, which visits the same
// positions as trying them one by one, without the recursion.
bool WildcardPattern::Matches(const wchar_t* name) const {
    if (!compiled) {
        return false;
    }
    const size_t count = elements.size();
    size_t element = 0;
    const wchar_t* at = name;
    size_t starElement = count; // none yet
    const wchar_t* starAt = nullptr;
    while (*at != L'\0') {
        if (element < count && elements[element].kind == Element::kAnyRun) {
            starElement = element++;
            starAt = at;
        } else if (element < count && MatchesOne(elements[element], *at)) {
            ++element;
            ++at;
        } else if (starElement != count) {
            element = starElement + 1;
            at = ++starAt;
        } else {
            return false;
        }
    }
    while (element < count && elements[element].kind == Element::kAnyRun) {
        ++element;
    }
    return element == count;
}

FileFilter::FileFilter(const std::wstring& text) : everything(text == L"*.*") {
    if (everything) {
        return;
    }
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L';', start);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        if (end > start) {
            patterns.emplace_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
}

bool FileFilter::Accepts(const wchar_t* name) const {
    if (everything) {
        return true;
    }
    for (const WildcardPattern& pattern : patterns) {
        if (pattern.Matches(name)) {
            return true;
        }
    }
    return false;
}
