// Loading speed of definition files: files of 1, 4 and 10 MB of sections, unit lines and
// comments, each loaded several times; prints MB/s per size and whether time grows linearly.
#include "Measuring.h"
#include "converter/definitions/DefinitionLoader.h"
#include "framework/app/MessageBoxes.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

class CountingReceiver : public CategoryReceiver {
public:
    void AddCategoryPage(std::unique_ptr<UnitCategory> category) override {
        units += category->UnitCount();
    }
    long long units = 0;
};

// Whole sections until the text reaches `bytes`.
std::string MakeDefinitionText(size_t bytes) {
    std::string text;
    text.reserve(bytes + 512);
    for (int section = 0; text.size() < bytes; ++section) {
        text += "# Section " + std::to_string(section) + ": factors relative to the base unit\r\n";
        text += "[Category " + std::to_string(section) + "]\r\n";
        for (int unit = 0; unit < 9; ++unit) {
            text += "\"unit " + std::to_string(unit) + " of " + std::to_string(section) +
                    "\" = " + std::to_string(unit + 1) + ".0254e-" + std::to_string(unit) +
                    (unit % 3 == 0 ? " (1)" : "") + "\r\n";
        }
    }
    return text;
}

// A message would mean the generated file is wrong; report it instead of waiting for a click.
int PrintMessage(HWND, const wchar_t* text, const wchar_t*, UINT) {
    std::fprintf(stderr, "message: %ls\n", text);
    return IDOK;
}

} // namespace

int main() {
    SetMessageBoxHandler(PrintMessage);
    wchar_t folder[MAX_PATH];
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"bch", 0, path);

    std::printf("%-8s %10s %10s %12s\n", "size", "best s", "MB/s", "s per MB");
    for (int megabytes : {1, 4, 10}) {
        const std::string text = MakeDefinitionText(size_t(megabytes) << 20);
        FILE* file = _wfopen(path, L"wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);

        double best = 1e9;
        long long units = 0;
        for (int run = 0; run < 5; ++run) {
            CountingReceiver receiver;
            best = std::min(best, Seconds([&] { LoadDefinitionFile(receiver, path); }));
            units = receiver.units;
        }
        const double size = double(text.size()) / (1 << 20);
        std::printf("%5.2f MB %10.4f %10.1f %12.5f   (%lld units)\n", size, best, size / best,
                    best / size, units);
    }
    DeleteFileW(path);
    return 0;
}
