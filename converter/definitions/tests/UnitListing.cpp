// Lists the units of definition files as the loader reads them: one line per unit with the
// category's name, the unit's name and its factor (17 significant digits), separated by tabs,
// in UTF-8. check_with_units.sh compares them with Debian's units program on the host.
//
//   unit_listing.exe HOST-PATH...    (paths of the Linux host, reached through drive Z:)
#include "converter/definitions/DefinitionLoader.h"
#include "test_support/HostPath.h"
#include "test_support/MessageBoxRecorder.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    std::string bytes(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(),
                        static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

class UnitPrinter : public CategoryReceiver {
public:
    void AddCategoryPage(std::unique_ptr<UnitCategory> category) override {
        const std::string name = Utf8(category->Name());
        for (int unit = 0; unit < category->UnitCount(); ++unit) {
            std::printf("%s\t%s\t%.17g\n", name.c_str(), Utf8(category->UnitName(unit)).c_str(),
                        category->Factor(unit));
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    int status = 0;
    for (int file = 1; file < argc; ++file) {
        MessageBoxRecorder recorder;
        UnitPrinter printer;
        if (!LoadDefinitionFile(printer, HostPath(argv[file]).c_str())) {
            std::fprintf(stderr, "%s: cannot be opened\n", argv[file]);
            status = 1;
        }
        for (const std::wstring& message : recorder.Texts()) {
            std::fprintf(stderr, "%s: %s\n", argv[file], Utf8(message).c_str());
            status = 1;
        }
    }
    std::fflush(stdout);
    return status;
}
