// What the benchmark programs share: timing, the median of their turns, and removing the
// trees of files they make.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// The wall-clock time a piece of work takes, by the performance counter.
inline double Seconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// The middle one of the turns' times (the upper middle of an even count).
inline double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline BOOL BareDeleteFile(const wchar_t* path) {
    return DeleteFileW(path);
}

// Deletes a tree a benchmark made, file by file with `deleteFile`, then its folders.
inline void DeleteTree(const std::wstring& folder,
                       BOOL (*deleteFile)(const wchar_t*) = BareDeleteFile) {
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(folder + L"\\" + name, deleteFile);
            } else {
                deleteFile((folder + L"\\" + name).c_str());
            }
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}
