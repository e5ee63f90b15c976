// Cuts a definition file into the tokens of its grammar.
//
// The rules are flex's (longest match, then the earliest rule) and live in
// DefinitionScanner.l; this class owns one scanner and its state between tokens.
#pragma once

#include "LoadProblems.h"

#include <cstdio>

// The value a token carries: NUMBER a double; SECTION and STRING a text of 0 to 259 bytes,
// allocated with new[] and owned by whoever receives the token.
union TokenValue {
    double number;
    char* text;
};

class DefinitionScanner {
public:
    // Longest name a SECTION or STRING token carries; longer names are reported and emptied.
    static constexpr int kMaxNameBytes = 259;

    // Collects the bytes of a section or unit name. It counts one byte past the longest name
    // so that an overlong name can be told from one of exactly 259 bytes.
    struct NameBuffer {
        char bytes[kMaxNameBytes + 2];
        int length = 0;

        void Append(const char* text, int count);
        // The finished name as a token text, or the empty text after "string too long", a
        // problem of `line`, the line where the name began.
        char* TakeText(int line, LoadProblems& problems);
    };

    // What the rules keep between matches besides the start state.
    struct ScanState {
        NameBuffer name;
        // The line of the next byte to be read, from 1; each line feed, whether of a CR LF or
        // alone, begins a new one.
        int line = 1;
        // The line where the last token began; for a name, where its "[" or quote stood.
        int tokenLine = 1;
        // What the scan found wrong with the file so far.
        LoadProblems problems;

        // Called for each match: moves the line on past its line feeds. `startsToken` is set
        // for matches in the INITIAL state, with which every token begins.
        void Advance(bool startsToken, const char* text, int length);
    };

    DefinitionScanner();
    ~DefinitionScanner();

    DefinitionScanner(const DefinitionScanner&) = delete;
    DefinitionScanner& operator=(const DefinitionScanner&) = delete;

    // Resets every state for a new file: start state INITIAL, at the beginning of a line,
    // name buffer empty, nothing left over from an earlier file.
    void StartScanner(FILE* file);

    // The next token's code (0 at the end of input, a byte's own value for a byte of 0x01 to
    // 0x7F that starts no other token, BAD_BYTE for one that no token may start with); fills
    // the value of SECTION, STRING and NUMBER tokens.
    int NextToken(TokenValue& value);

    // The line of the file where the token last returned began (for the end of input, the
    // line the file ends on); messages about the token name it.
    int TokenLine() const { return state.tokenLine; }

    // The problems of the file found so far, the parser's included; told once a load is over.
    LoadProblems& Problems() { return state.problems; }

private:
    void* scanner = nullptr;
    ScanState state;
};
