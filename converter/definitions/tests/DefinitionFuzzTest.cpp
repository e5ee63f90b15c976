// Definition files are user files: any bytes must load without a crash, a hang or a broken
// invariant. Mutates a small corpus with a fixed seed, so that a failure repeats.
#include "DefinitionFiles.h"
#include "converter/definitions/DefinitionLoader.h"
#include "framework/app/tests/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
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

TEST(DefinitionFuzz, MutatedFilesKeepTheInvariants) {
    const std::set<std::wstring> knownMessages = {
        L"string too long", L"string not closed", L"syntax error", L"yacc stack overflow",
        L"App::yyparse: memory exhausted"};
    std::mt19937 random(20261207);
    // One file, opened once: opening a file per case would cost more than the loads.
    TempDefinitionFile path("");
    FILE* file = _wfopen(path.Path(), L"w+b");
    ASSERT_NE(nullptr, file);
    const int fd = _fileno(file);
    MessageBoxRecorder recorder;
    StandardOutputSilenced silenced;

    constexpr int kCases = 100000;
    int categories = 0;
    for (int run = 0; run < kCases; ++run) {
        const std::string& seed = kCorpus[random() % kCorpus.size()];
        const std::string& other = kCorpus[random() % kCorpus.size()];
        const std::string bytes = Mutate(seed, other, random);
        _chsize(fd, 0);
        _lseek(fd, 0, SEEK_SET);
        ASSERT_EQ(static_cast<int>(bytes.size()),
                  _write(fd, bytes.data(), static_cast<unsigned>(bytes.size())));
        _lseek(fd, 0, SEEK_SET);

        CollectedCategories collected;
        recorder.Clear();
        LoadDefinitionStream(collected, file);
        for (const auto& category : collected.categories) {
            ASSERT_LE(category->Name().size(), 259u) << "case " << run;
            ASSERT_GE(category->UnitCount(), 0);
            ASSERT_LE(category->UnitCount(), 9) << "case " << run;
            for (int unit = 0; unit < category->UnitCount(); ++unit) {
                ASSERT_LE(category->UnitName(unit).size(), 259u) << "case " << run;
                ASSERT_NE(0, category->Factor(unit)) << "case " << run;
            }
        }
        for (const std::wstring& message : recorder.Texts()) {
            ASSERT_TRUE(knownMessages.count(message)) << "case " << run;
        }
        categories += static_cast<int>(collected.categories.size());
    }
    fclose(file);
    // The mutations must leave most files readable, or the test checks little.
    EXPECT_GT(categories, kCases / 2);
}

} // namespace
