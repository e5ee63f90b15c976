// Gathering and sorting a folder of 10 000 and one of 50 000 files by each key, against a
// bare find-first/find-next loop over the same folder in the same run; each a median of
// several turns, the loop and the keys taking turns.
#include "Measuring.h"
#include "framework/app/Application.h"
#include "framework/filedialog/FileListModel.h"
#include "test_support/TempFolder.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kTurns = 7;

int BareLoop(const std::wstring& folder) {
    int count = 0;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((folder + L"\\*.*").c_str(), &found);
    do {
        ++count;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return count;
}

void MakeFolder(const std::wstring& folder, int files) {
    CreateDirectoryW(folder.c_str(), nullptr);
    const wchar_t* extensions[] = {L".txt", L".ini", L".dat", L".exe", L".bmp"};
    for (int file = 0; file < files; ++file) {
        const std::wstring name =
            folder + L"\\file " + std::to_wstring((file * 7919) % files) + extensions[file % 5];
        const HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(handle, "0123456789", file % 11, &written, nullptr);
        CloseHandle(handle);
    }
}

void Measure(const std::wstring& folder, int files) {
    MakeFolder(folder, files);
    BareLoop(folder); // the folder's listing is read once before anything is timed
    FileListModel model;
    model.SetLocation(kPlainFolder, folder.c_str());
    const char* keys[] = {"name", "size", "type", "date"};
    std::vector<double> bare;
    std::vector<double> sorted[4];
    for (int turn = 0; turn < kTurns; ++turn) {
        bare.push_back(Seconds([&] { BareLoop(folder); }));
        for (int key = kSortByName; key <= kSortByDate; ++key) {
            model.sortWord = kInitialSortWord | static_cast<DWORD>(key);
            sorted[key].push_back(Seconds([&] {
                model.Gather(nullptr, true);
                // Ordered as the list control's sort orders them.
                model.PrepareSort();
                std::sort(model.entries.begin(), model.entries.end(),
                          [&](const auto& a, const auto& b) {
                              return CompareRows(*a, *b, model.sortWord) < 0;
                          });
            }));
        }
    }
    std::printf("folder of %d files: bare find-first/find-next loop %.3f s (median of %d)\n", files,
                Median(bare), kTurns);
    for (int key = kSortByName; key <= kSortByDate; ++key) {
        const double median = Median(sorted[key]);
        std::printf("  gather and sort by %s: %.3f s, %.2f x the bare loop (target at most %s)\n",
                    keys[key], median, median / Median(bare), key == kSortByName ? "1.5" : "2");
    }
    TempFolder::RemoveTree(folder);
}

} // namespace

int main() {
    Application::instance = GetModuleHandleW(nullptr);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    for (const int files : {10000, 50000}) {
        Measure(std::wstring(temp) + L"mensurio-list-benchmark", files);
    }
    return 0;
}
