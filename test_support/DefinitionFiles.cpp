#include "DefinitionFiles.h"

#include "DefinitionGrammar.hpp"
#include "MessageBoxRecorder.h"
#include "converter/definitions/DefinitionLoader.h"
#include "converter/definitions/DefinitionScanner.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

TempDefinitionFile::TempDefinitionFile(const std::string& bytes) {
    wchar_t folder[MAX_PATH];
    wchar_t name[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"def", 0, name);
    path = name;
    Write(bytes);
}

TempDefinitionFile::~TempDefinitionFile() {
    DeleteFileW(path.c_str());
}

void TempDefinitionFile::Write(const std::string& bytes) const {
    FILE* file = _wfopen(path.c_str(), L"wb");
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

void CollectedCategories::AddCategoryPage(std::unique_ptr<UnitCategory> category) {
    categories.push_back(std::move(category));
}

std::vector<std::wstring> LoadResult::Describe() const {
    std::vector<std::wstring> lines;
    for (const auto& category : categories) {
        std::wostringstream line;
        line << category->Name() << L":";
        for (int unit = 0; unit < category->UnitCount(); ++unit) {
            line << (unit == 0 ? L" " : L", ") << category->UnitName(unit) << L"="
                 << category->Factor(unit);
            if (category->Engineering(unit) != 0) {
                line << L"(" << category->Engineering(unit) << L")";
            }
        }
        lines.push_back(line.str());
    }
    return lines;
}

LoadResult LoadDefinitionBytes(const std::string& bytes) {
    TempDefinitionFile file(bytes);
    MessageBoxRecorder recorder;
    CollectedCategories collected;
    LoadResult result;
    result.opened = LoadDefinitionFile(collected, file.Path());
    result.categories = std::move(collected.categories);
    result.messages = FirstLines(recorder.Texts());
    return result;
}

std::vector<std::wstring> FirstLines(std::vector<std::wstring> texts) {
    for (std::wstring& text : texts) {
        text.erase(std::min(text.size(), text.find(L'\n')));
    }
    return texts;
}

std::vector<std::string> ScanTokens(const std::string& bytes) {
    TempDefinitionFile file(bytes);
    FILE* input = _wfopen(file.Path(), L"rb");
    DefinitionScanner scanner;
    scanner.StartScanner(input);
    std::vector<std::string> tokens;
    for (;;) {
        TokenValue value{};
        const int token = scanner.NextToken(value);
        std::ostringstream text;
        switch (token) {
        case 0:
            text << "END";
            break;
        case EOL:
            text << "EOL";
            break;
        case SECTION:
        case STRING:
            text << (token == SECTION ? "SECTION(" : "STRING(") << value.text << ")";
            delete[] value.text;
            break;
        case NUMBER:
            text << "NUMBER(" << value.number << ")";
            break;
        case BAD_BYTE:
            text << "BAD_BYTE";
            break;
        default:
            if (token >= 32 && token < 127) {
                text << "'" << static_cast<char>(token) << "'";
            } else {
                text << token;
            }
        }
        tokens.push_back(text.str());
        if (token == 0) {
            break;
        }
    }
    fclose(input);
    scanner.Problems().Report(GetActiveWindow()); // as the loader tells them
    return tokens;
}
