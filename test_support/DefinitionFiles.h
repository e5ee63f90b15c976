// Test helpers: definition files written to disk, loaded, and what the load produced.
#pragma once

#include "converter/definitions/CategoryReceiver.h"

#include <memory>
#include <string>
#include <vector>

// A file in the temporary folder holding the given bytes, removed again with the object.
class TempDefinitionFile {
public:
    explicit TempDefinitionFile(const std::string& bytes);
    ~TempDefinitionFile();

    TempDefinitionFile(const TempDefinitionFile&) = delete;
    TempDefinitionFile& operator=(const TempDefinitionFile&) = delete;

    // Replaces the file's bytes.
    void Write(const std::string& bytes) const;
    const wchar_t* Path() const { return path.c_str(); }

private:
    std::wstring path;
};

class CollectedCategories : public CategoryReceiver {
public:
    void AddCategoryPage(std::unique_ptr<UnitCategory> category) override;

    std::vector<std::unique_ptr<UnitCategory>> categories;
};

struct LoadResult {
    bool opened = false;
    std::vector<std::unique_ptr<UnitCategory>> categories;
    // The problem each box told: its first line (advice may follow on the next).
    std::vector<std::wstring> messages;

    // "Name: unit=factor(flag), ..." per category, for compact comparisons.
    std::vector<std::wstring> Describe() const;
};

// Loads `bytes` as a definition file, recording the message boxes instead of showing them.
LoadResult LoadDefinitionBytes(const std::string& bytes);

// The first line of each text.
std::vector<std::wstring> FirstLines(std::vector<std::wstring> texts);

// The tokens of `bytes` as readable texts up to the end of input: EOL, SECTION(name),
// STRING(name), NUMBER(value), BAD_BYTE, a byte as 'c' or as its value, then END.
std::vector<std::string> ScanTokens(const std::string& bytes);
