// File-name patterns of the file list's filter: "*" any run, "?" any one character, "[...]"
// and "[^...]" sets of characters and ranges, any other character itself.
//
// Literals match without regard to case; set members and ranges match exactly, with case.
#pragma once

#include <string>
#include <vector>

class WildcardPattern {
public:
    // Compiles a pattern; a set left open, or a range left without its end, fails, and a
    // failed pattern matches nothing.
    explicit WildcardPattern(const std::wstring& pattern);

    bool Compiled() const { return compiled; }
    bool Matches(const wchar_t* name) const;

private:
    struct Range {
        wchar_t first;
        wchar_t last;
    };
    struct Element {
        enum Kind { kAnyRun, kAnyOne, kLiteral, kSet } kind;
        wchar_t literal = 0; // folded to upper case
        bool negated = false;
        std::vector<Range> members;
    };

    bool MatchesOne(const Element& element, wchar_t character) const;

    std::vector<Element> elements;
    bool compiled = true;
};

// A filter of one or more patterns separated by ";" (empty parts skipped, spaces kept).
// The text "*.*" takes every file without matching.
class FileFilter {
public:
    explicit FileFilter(const std::wstring& text);

    // True when the filter takes every file or one of its patterns matches the name.
    bool Accepts(const wchar_t* name) const;

private:
    bool everything;
    std::vector<WildcardPattern> patterns;
};
