// The state of one load of a definition file, shared by the loader and the parser's actions.
#pragma once

#include "CategoryReceiver.h"
#include "DefinitionScanner.h"
#include "UnitCategory.h"

#include <windows.h>

#include <memory>

class DefinitionParse {
public:
    DefinitionParse(DefinitionScanner& scanner, CategoryReceiver& receiver);

    // Runs the generated parser over the scanner's file. Errors are reported as they are
    // found; the parse stops at the first.
    void Parse();

    // Hands the category being filled, if any, to the receiver.
    void FinishCategory();

    int NextToken(TokenValue& value) { return scanner.NextToken(value); }
    // The line where the token last read began.
    int TokenLine() const { return scanner.TokenLine(); }
    LoadProblems& Problems() { return scanner.Problems(); }

    // Parser actions. Each takes over the token's text.
    void OpenCategory(char* sectionName);
    void AddUnitLine(char* unitName, double factor, int engineering);

private:
    DefinitionScanner& scanner;
    CategoryReceiver& receiver;
    // The category being filled: set from the first section header on, until the next
    // header or the end of the file finishes it.
    std::unique_ptr<UnitCategory> openCategory;
};

// The engineering flag of "(n)": n truncated toward zero. Values no 32-bit integer holds
// give INT_MIN, as the processor's conversion does; only zero or not zero matters.
int TruncateFlag(double number);

// The stack depth at which the parser gives up with "yacc stack overflow".
constexpr long long kMaxParserDepth = 10000;

// Grows the parser's state and value stacks from `size` to size + (size + 1) / 2 entries,
// never beyond kMaxParserDepth. The grown stacks are kept for later loads. On failure it
// adds the problem and returns false, and the parse must stop.
bool GrowParserStacks(void** states, size_t stateEntryBytes, void** values, size_t valueEntryBytes,
                      long long* size, LoadProblems& problems);

template <class State, class Size>
bool GrowParserStacks(State** states, TokenValue** values, Size* size, LoadProblems& problems) {
    long long entries = *size;
    void* stateStack = *states;
    void* valueStack = *values;
    const bool grown = GrowParserStacks(&stateStack, sizeof(State), &valueStack, sizeof(TokenValue),
                                        &entries, problems);
    *states = static_cast<State*>(stateStack);
    *values = static_cast<TokenValue*>(valueStack);
    *size = static_cast<Size>(entries);
    return grown;
}
