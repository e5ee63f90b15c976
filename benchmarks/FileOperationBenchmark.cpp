// File operations on a tree of 5 000 files in 100 folders (about 20 MB): copy and delete by
// our engine (confirmations off), by the platform's SHFileOperationW and by a bare loop of
// CopyFileW / DeleteFileW, each on an identical fresh tree, and delete by a loop that makes
// the device layer's check per file (under Wine, DeleteFileW on a link to a file deletes
// the file it points to: the engine cannot do without the check); then one file of 200 MB
// copied by our engine and by a bare CopyFileW, in turns. (Under Wine no Win32 program can have
// the host's kernel copy a file, as `cp` does: the platform's own copy is the measure.)
#include "Measuring.h"
#include "framework/app/Application.h"
#include "framework/fileops/FileOperation.h"
#include "platform/DeviceFiles.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 50;

void MakeTree(const std::wstring& root) {
    std::mt19937 random(5000);
    std::string bytes(8192, 'x');
    CreateDirectoryW(root.c_str(), nullptr);
    for (int folder = 0; folder < kFolders; ++folder) {
        const std::wstring path = root + L"\\folder " + std::to_wstring(folder);
        CreateDirectoryW(path.c_str(), nullptr);
        for (int file = 0; file < kFilesPerFolder; ++file) {
            const std::wstring name = path + L"\\file " + std::to_wstring(file) + L".dat";
            const HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            DWORD written = 0;
            WriteFile(handle, bytes.data(), random() % 8192, &written, nullptr);
            CloseHandle(handle);
        }
    }
}

// Calls visit(name, isFolder) for every entry of `folder`, as a bare loop of the platform's
// calls would list it.
template <typename Visit> void ForEachChild(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            visit(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

void BareCopy(const std::wstring& source, const std::wstring& target) {
    CreateDirectoryW(target.c_str(), nullptr);
    ForEachChild(source, [&](const std::wstring& name, bool isFolder) {
        if (isFolder) {
            BareCopy(source + L"\\" + name, target + L"\\" + name);
        } else {
            CopyFileW((source + L"\\" + name).c_str(), (target + L"\\" + name).c_str(), FALSE);
        }
    });
}

// Deletes a tree file by file with `deleteFile`: the loop that is measured against the
// engine's delete.
void DeleteTree(const std::wstring& folder, BOOL (*deleteFile)(const wchar_t*)) {
    ForEachChild(folder, [&](const std::wstring& name, bool isFolder) {
        if (isFolder) {
            DeleteTree(folder + L"\\" + name, deleteFile);
        } else {
            deleteFile((folder + L"\\" + name).c_str());
        }
    });
    RemoveDirectoryW(folder.c_str());
}

BOOL BareDeleteFile(const wchar_t* path) {
    return DeleteFileW(path);
}

void BareDelete(const std::wstring& folder) {
    DeleteTree(folder, BareDeleteFile);
}

// A double-terminated list of one path.
std::wstring One(const std::wstring& path) {
    return path + L'\0' + L'\0';
}

void Ours(UINT operation, const std::wstring& source, const std::wstring& destination) {
    const std::wstring list = One(source);
    FileOpRequest request = {};
    request.operation = operation;
    request.sources = list.c_str();
    request.destination = destination.empty() ? nullptr : destination.c_str();
    request.flags = kNoConfirmation;
    RunFileOperation(request);
}

void Platform(UINT operation, const std::wstring& source, const std::wstring& destination) {
    const std::wstring from = One(source);
    const std::wstring to = One(destination);
    SHFILEOPSTRUCTW request = {};
    request.wFunc = operation;
    request.pFrom = from.c_str();
    request.pTo = destination.empty() ? nullptr : to.c_str();
    request.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
    SHFileOperationW(&request);
}

// One file of 200 MB copied by our engine and by CopyFileW, nine times each in turns, the
// file read once first so that both find it in the page cache; medians are compared.
void CopyLargeFile(const std::wstring& root) {
    const std::wstring file = root + L"\\large.bin";
    std::mt19937 random(200);
    std::vector<char> block(1024 * 1024);
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    for (int megabyte = 0; megabyte < 200; ++megabyte) {
        std::generate(block.begin(), block.end(), [&] { return static_cast<char>(random()); });
        DWORD written = 0;
        WriteFile(handle, block.data(), static_cast<DWORD>(block.size()), &written, nullptr);
    }
    CloseHandle(handle);
    const std::wstring ours = root + L"\\ours";
    const std::wstring bare = root + L"\\bare";
    CreateDirectoryW(ours.c_str(), nullptr);
    CreateDirectoryW(bare.c_str(), nullptr);
    CopyFileW(file.c_str(), (bare + L"\\large.bin").c_str(), FALSE); // into the page cache
    std::vector<double> times[2];
    for (int turn = 0; turn < 18; ++turn) {
        DeleteFileW((ours + L"\\large.bin").c_str());
        DeleteFileW((bare + L"\\large.bin").c_str());
        if (turn % 2 == 0) {
            times[0].push_back(Seconds([&] { Ours(kCopyFiles, file, ours); }));
        } else {
            times[1].push_back(
                Seconds([&] { CopyFileW(file.c_str(), (bare + L"\\large.bin").c_str(), FALSE); }));
        }
    }
    const double our = Median(times[0]);
    const double platform = Median(times[1]);
    std::printf("one file of 200 MB: ours %.2f s (%.0f MB/s), CopyFileW %.2f s (%.0f MB/s)\n", our,
                200 / our, platform, 200 / platform);
    std::printf("  throughput of ours / CopyFileW %.2f (target at least 0.8)\n", platform / our);
    BareDelete(ours);
    BareDelete(bare);
    DeleteFileW(file.c_str());
}

void Report(const char* what, double ours, double platform, double bare) {
    std::printf("%s: ours %.2f s, SHFileOperationW %.2f s, bare loop %.2f s\n", what, ours,
                platform, bare);
    std::printf("  ours / SHFileOperationW %.2f (target at most 0.6), ours / bare loop %.2f\n",
                ours / platform, ours / bare);
}

} // namespace

int main() {
    Application::instance = GetModuleHandleW(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"mensurio-fileops-benchmark";
    CreateDirectoryW(root.c_str(), nullptr);
    // The ways take turns going first, each delete way once at least, so that none always
    // meets the disk still writing back what the previous one wrote; medians are compared.
    constexpr int kRounds = 4;
    constexpr int kCopyWays = 3;
    constexpr int kDeleteWays = 4;
    std::vector<double> copies[kCopyWays];
    std::vector<double> deletes[kDeleteWays];
    const auto copyOf = [&](int way) { return root + L"\\copy " + std::to_wstring(way); };
    for (int round = 0; round < kRounds; ++round) {
        const std::wstring tree = root + L"\\tree";
        MakeTree(tree);
        for (int turn = 0; turn < kCopyWays; ++turn) {
            const int way = (round + turn) % kCopyWays;
            const std::wstring copy = copyOf(way);
            copies[way].push_back(Seconds([&] {
                if (way == 0) {
                    Ours(kCopyFiles, tree, copy);
                } else if (way == 1) {
                    Platform(FO_COPY, tree, copy + L"\\tree");
                } else {
                    CreateDirectoryW(copy.c_str(), nullptr);
                    BareCopy(tree, copy + L"\\tree");
                }
            }));
        }
        CreateDirectoryW(copyOf(3).c_str(), nullptr);
        BareCopy(tree, copyOf(3) + L"\\tree");
        // Each copy is the fresh tree that a delete then removes.
        for (int turn = 0; turn < kDeleteWays; ++turn) {
            const int way = (round + turn) % kDeleteWays;
            const std::wstring copy = copyOf(way) + L"\\tree";
            deletes[way].push_back(Seconds([&] {
                if (way == 0) {
                    Ours(kDeleteFiles, copy, L"");
                } else if (way == 1) {
                    Platform(FO_DELETE, copy, L"");
                } else if (way == 2) {
                    BareDelete(copy);
                } else {
                    DeleteTree(copy, DeviceDeleteFile);
                }
            }));
        }
        BareDelete(tree);
    }
    std::printf("tree of %d files in %d folders, median of %d rounds\n", kFolders * kFilesPerFolder,
                kFolders, kRounds);
    Report("copy", Median(copies[0]), Median(copies[1]), Median(copies[2]));
    std::printf("  target: at most 0.6 x SHFileOperationW and 1.3 x the bare loop\n");
    Report("delete", Median(deletes[0]), Median(deletes[1]), Median(deletes[2]));
    std::printf("  checking loop %.2f s: ours / checking loop %.2f (target at most 1.3), "
                "checking loop / bare loop %.2f\n",
                Median(deletes[3]), Median(deletes[0]) / Median(deletes[3]),
                Median(deletes[3]) / Median(deletes[2]));
    CopyLargeFile(root);
    BareDelete(root);
    return 0;
}
