// Definition files are user files: any bytes must load without a crash, a hang, a leak or
// a broken invariant. Mutates a small corpus with a fixed seed, so that a failure repeats.
#include "AllocationCounter.h"
#include "converter/definitions/DefinitionLoader.h"
#include "test_support/DefinitionFiles.h"
#include "test_support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kCorpus = {
    "# lengths\r\n[Length]\r\n\"m\" = 1\r\n\"km\" = 1000\r\n\"inch\" = 0.0254\r\n",
    "[Pressure]\r\n\"Pa\" = 1 (1)\r\n\"kPa\" = 1000 (1)\r\n\"atm\" = 101325 (1)\r\n",
    "[A]\"a\" = 1 \"b\" = 2.5e-3 (2.9)[B]\r\n\"c\\\"q\\\\\\n\" = .5\r\n",
    "\"before\" = 2\r\n[\x92\xB7\x82\xB3]\r\n\"\x95\x5C\x5C\" = 3\r\n# \x83\x5C\r\n",
    "[Long \\\r\nname]\r\n\"x\" = 1\\\r\n\r\n\r\n[Empty]\r\n",
};

// Bytes that mean something to the scanner or the grammar, besides random ones.
using namespace std::string_literals;
const std::string kInteresting = "\"[]\\\r\n#=().eE+-0123456789 \t\0\x80\xff\x5c\x5d"s;

std::string Mutate(const std::string& seed, const std::string& other, std::mt19937& random) {
    std::string bytes = seed;
    const int steps = 1 + static_cast<int>(random() % 8);
    for (int step = 0; step < steps; ++step) {
        const size_t at = bytes.empty() ? 0 : random() % (bytes.size() + 1);
        switch (random() % 6) {
        case 0: // insert a meaningful byte
            bytes.insert(at, 1, kInteresting[random() % kInteresting.size()]);
            break;
        case 1: // insert a random byte
            bytes.insert(at, 1, static_cast<char>(random() % 256));
            break;
        case 2: // delete a run
            if (!bytes.empty()) {
                bytes.erase(at, 1 + random() % 8);
            }
            break;
        case 3: // repeat a run, sometimes many times over
            if (at < bytes.size()) {
                const std::string run = bytes.substr(at, 1 + random() % 16);
                const size_t times = random() % 4 == 0 ? 1 + random() % 40 : 1;
                for (size_t i = 0; i < times; ++i) {
                    bytes.insert(at, run);
                }
            }
            break;
        case 4: // overwrite a byte
            if (at < bytes.size()) {
                bytes[at] = kInteresting[random() % kInteresting.size()];
            }
            break;
        default: // splice in part of another file
            bytes.insert(at, other.substr(random() % (other.size() + 1)));
            break;
        }
    }
    return bytes;
}

// Keeps the line feeds that the scanner copies to the standard output out of the test log.
class StandardOutputSilenced {
public:
    StandardOutputSilenced() {
        fflush(stdout);
        saved = _dup(_fileno(stdout));
        const int nul = _open("NUL", _O_WRONLY);
        _dup2(nul, _fileno(stdout));
        _close(nul);
    }
    ~StandardOutputSilenced() {
        fflush(stdout);
        _dup2(saved, _fileno(stdout));
        _close(saved);
    }

private:
    int saved;
};

const std::set<std::wstring> kKnownMessages = {L"yacc stack overflow",
                                               L"App::yyparse: memory exhausted"};
// Messages that end with " in line " and a line of the file.
const std::wstring kLineMessages[] = {L"string too long", L"string not closed", L"syntax error"};

// Whether `message` is one the load may show, the first problem's words and how many more
// there were; a line it names must be one of the file's `lines` lines.
bool IsKnownMessage(std::wstring message, int lines) {
    if (const size_t more = message.find(L" (");
        more != std::wstring::npos && message.back() == L')' &&
        message.find(L" more problem") != std::wstring::npos) {
        message.erase(more);
    }
    if (kKnownMessages.count(message) != 0) {
        return true;
    }
    for (const std::wstring& words : kLineMessages) {
        const std::wstring prefix = words + L" in line ";
        if (message.compare(0, prefix.size(), prefix) == 0) {
            const int line = _wtoi(message.c_str() + prefix.size());
            return line >= 1 && line <= lines && message == prefix + std::to_wstring(line);
        }
    }
    return false;
}

// What is wrong with the categories and messages of one load; empty when nothing is.
std::string CheckLoad(const CollectedCategories& collected,
                      const std::vector<std::wstring>& messages, int lines) {
    for (const auto& category : collected.categories) {
        if (category->Name().size() > 259) {
            return "category name longer than 259";
        }
        if (category->UnitCount() < 0 || category->UnitCount() > 9) {
            return "unit count " + std::to_string(category->UnitCount());
        }
        for (int unit = 0; unit < category->UnitCount(); ++unit) {
            if (category->UnitName(unit).size() > 259) {
                return "unit name longer than 259";
            }
            if (!std::isnormal(category->Factor(unit))) {
                return "factor that is not a finite normal double stored";
            }
        }
    }
    if (messages.size() > 1) {
        return "more than one message";
    }
    for (const std::wstring& message : messages) {
        if (!IsKnownMessage(message, lines)) {
            return "unknown message";
        }
    }
    return "";
}

TEST(DefinitionFuzz, MutatedFilesKeepTheInvariants) {
    std::mt19937 random(20261207);
    // One file, opened once: opening a file per case would cost more than the loads.
    TempDefinitionFile path("");
    FILE* file = _wfopen(path.Path(), L"w+b");
    ASSERT_NE(nullptr, file);
    const int fd = _fileno(file);
    MessageBoxRecorder recorder;

    // Allocations that the runtime makes once, on the first message, are not leaks.
    LoadDefinitionBytes("[A]\r\n\"" + std::string(300, 'x') + "\" = 1\r\n\"open\r\nx");

    constexpr int kCases = 100000;
    int categories = 0;
    std::string failure;
    {
        // Failures are reported once the standard output is back.
        StandardOutputSilenced silenced;
        for (int run = 0; run < kCases && failure.empty(); ++run) {
            const std::string& seed = kCorpus[random() % kCorpus.size()];
            const std::string& other = kCorpus[random() % kCorpus.size()];
            const std::string bytes = Mutate(seed, other, random);
            _chsize(fd, 0);
            _lseek(fd, 0, SEEK_SET);
            _write(fd, bytes.data(), static_cast<unsigned>(bytes.size()));
            _lseek(fd, 0, SEEK_SET);

            recorder.Clear();
            const long long allocationsBefore = LiveAllocations();
            auto collected = std::make_unique<CollectedCategories>();
            LoadDefinitionStream(*collected, file).Report(nullptr);
            const int lines = 1 + static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
            failure = CheckLoad(*collected, FirstLines(recorder.Texts()), lines);
            categories += static_cast<int>(collected->categories.size());
            collected.reset();
            recorder.Clear();
            if (failure.empty() && LiveAllocations() != allocationsBefore) {
                failure = "leak of " + std::to_string(LiveAllocations() - allocationsBefore);
            }
            if (!failure.empty()) {
                failure += " in case " + std::to_string(run);
            }
        }
    }
    fclose(file);
    EXPECT_EQ("", failure);
    // The mutations must leave most files readable, or the test checks little.
    EXPECT_GT(categories, kCases / 2);
}

} // namespace
