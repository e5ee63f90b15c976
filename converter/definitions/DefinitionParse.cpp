#include "DefinitionParse.h"

#include "DefinitionGrammar.hpp"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Longest converted name, terminator included.
constexpr int kMaxWideName = 1024;

// Takes a token text and converts it from the ANSI code page.
std::wstring TakeWideName(char* text) {
    wchar_t wide[kMaxWideName];
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kMaxWideName) == 0) {
        wide[0] = L'\0';
    }
    delete[] text;
    return wide;
}

// Stacks that outgrew the parser's own 500 entries; kept for the life of the process.
struct GrownStacks {
    void* states = nullptr;
    void* values = nullptr;
    long long capacity = 0;
};
GrownStacks grownStacks;

} // namespace

DefinitionParse::DefinitionParse(DefinitionScanner& scanner, CategoryReceiver& receiver)
    : scanner(scanner), receiver(receiver) {
}

void DefinitionParse::Parse() {
    yyparse(*this);
}

void DefinitionParse::FinishCategory() {
    if (openCategory) {
        receiver.AddCategoryPage(std::move(openCategory));
    }
}

void DefinitionParse::OpenCategory(char* sectionName) {
    std::wstring name = TakeWideName(sectionName);
    FinishCategory();
    openCategory = std::make_unique<UnitCategory>(std::move(name));
}

void DefinitionParse::AddUnitLine(char* unitName, double factor, int engineering) {
    std::wstring name = TakeWideName(unitName);
    // A unit line before the first section header belongs to no category.
    if (openCategory) {
        openCategory->AddUnit(std::move(name), factor, engineering);
    }
}

int TruncateFlag(double number) {
    if (number > INT_MIN - 1.0 && number < INT_MAX + 1.0) {
        return static_cast<int>(number);
    }
    return INT_MIN;
}

bool GrowParserStacks(void** states, size_t stateEntryBytes, void** values, size_t valueEntryBytes,
                      long long* size, LoadProblems& problems) {
    const long long oldSize = *size;
    if (oldSize < kMaxParserDepth) {
        const long long newSize = std::min(oldSize + (oldSize + 1) / 2, kMaxParserDepth);
        const size_t usedStateBytes = static_cast<size_t>(oldSize) * stateEntryBytes;
        const size_t usedValueBytes = static_cast<size_t>(oldSize) * valueEntryBytes;
        const bool onParserStacks = *states != grownStacks.states;
        if (onParserStacks && grownStacks.capacity >= newSize) {
            // A later load: the stacks grown before are large enough.
            std::memcpy(grownStacks.states, *states, usedStateBytes);
            std::memcpy(grownStacks.values, *values, usedValueBytes);
        } else {
            void* newStates = std::malloc(static_cast<size_t>(newSize) * stateEntryBytes);
            void* newValues = std::malloc(static_cast<size_t>(newSize) * valueEntryBytes);
            if (newStates == nullptr || newValues == nullptr) {
                std::free(newStates);
                std::free(newValues);
                problems.Add(LoadProblems::Severity::kError, "App::yyparse: memory exhausted");
                problems.Add(LoadProblems::Severity::kError, "yacc stack overflow");
                return false;
            }
            std::memcpy(newStates, *states, usedStateBytes);
            std::memcpy(newValues, *values, usedValueBytes);
            std::free(grownStacks.states);
            std::free(grownStacks.values);
            grownStacks = {newStates, newValues, newSize};
        }
        *states = grownStacks.states;
        *values = grownStacks.values;
        *size = newSize;
        return true;
    }
    problems.Add(LoadProblems::Severity::kError, "yacc stack overflow");
    return false;
}
