#include "DefinitionLoader.h"

#include "DefinitionParse.h"
#include "DefinitionScanner.h"

#include <fcntl.h>
#include <io.h>

FILE* OpenDefinitionFileToRead(const wchar_t* path, DWORD& error) {
    const HANDLE handle =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return nullptr;
    }
    // Raw bytes: the scanner relies on seeing every CR of the CR LF line ends.
    const int descriptor =
        _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    FILE* file = descriptor == -1 ? nullptr : _fdopen(descriptor, "rb");
    if (file == nullptr) {
        error = ERROR_NOT_ENOUGH_MEMORY;
        if (descriptor == -1) {
            CloseHandle(handle);
        } else {
            _close(descriptor);
        }
    }
    return file;
}

bool LoadDefinitionFile(CategoryReceiver& receiver, const wchar_t* path) {
    DWORD error = 0;
    FILE* file = OpenDefinitionFileToRead(path, error);
    if (file == nullptr) {
        return false;
    }
    const LoadProblems problems = LoadDefinitionStream(receiver, file);
    std::fclose(file);
    problems.Report(GetActiveWindow());
    return true;
}

LoadProblems LoadDefinitionStream(CategoryReceiver& receiver, FILE* file) {
    DefinitionScanner scanner;
    scanner.StartScanner(file);
    DefinitionParse parse(scanner, receiver);
    parse.Parse();
    parse.FinishCategory();
    return scanner.Problems();
}
