// Gathering and sorting a folder of 10 000 files by each key, against a bare
// find-first/find-next loop over the same folder in the same run.
#include "Seconds.h"
#include "framework/app/Application.h"
#include "framework/filedialog/FileListModel.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr int kFiles = 10000;

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

} // namespace

int main() {
    Application::instance = GetModuleHandleW(nullptr);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"mensurio-list-benchmark";
    CreateDirectoryW(folder.c_str(), nullptr);
    const wchar_t* extensions[] = {L".txt", L".ini", L".dat", L".exe", L".bmp"};
    for (int file = 0; file < kFiles; ++file) {
        const std::wstring name =
            folder + L"\\file " + std::to_wstring((file * 7919) % kFiles) + extensions[file % 5];
        const HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(handle, "0123456789", file % 11, &written, nullptr);
        CloseHandle(handle);
    }

    BareLoop(folder); // the folder's listing is read once before anything is timed
    int listed = 0;
    const double bare = Seconds([&] { listed = BareLoop(folder); });
    std::printf("folder of %d files: bare find-first/find-next loop %.3f s\n", listed - 2, bare);
    FileListModel model;
    model.SetLocation(kPlainFolder, folder.c_str());
    const char* keys[] = {"name", "size", "type", "date"};
    for (int key = kSortByName; key <= kSortByDate; ++key) {
        model.SetSortKey(key);
        const double gathered = Seconds([&] {
            model.Gather(nullptr, true);
            // Ordered by the comparison that the list control's sort calls.
            std::sort(model.entries.begin(), model.entries.end(),
                      [&](const auto& a, const auto& b) {
                          return CompareRows(*a, *b, model.sortWord) < 0;
                      });
        });
        std::printf("  gather and sort by %s: %.3f s, %.2f x the bare loop (target at most 2)\n",
                    keys[key], gathered, gathered / bare);
    }

    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((folder + L"\\*.*").c_str(), &found);
    do {
        DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
    RemoveDirectoryW(folder.c_str());
    return 0;
}
