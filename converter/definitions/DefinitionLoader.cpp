#include "DefinitionLoader.h"

#include "DefinitionParse.h"
#include "DefinitionScanner.h"

bool LoadDefinitionFile(CategoryReceiver& receiver, const wchar_t* path) {
    // Raw bytes: the scanner relies on seeing every CR of the CR LF line ends.
    FILE* file = _wfopen(path, L"rb");
    if (file == nullptr) {
        return false;
    }
    LoadDefinitionStream(receiver, file);
    std::fclose(file);
    return true;
}

void LoadDefinitionStream(CategoryReceiver& receiver, FILE* file) {
    DefinitionScanner scanner;
    scanner.StartScanner(file);
    DefinitionParse parse(scanner, receiver);
    parse.Parse();
    parse.FinishCategory();
    scanner.Problems().Report();
}
