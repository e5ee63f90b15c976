// Start-up time: from process start until the main window is up and idle (painted) with a
// definition file of 63 sections, against Wine's own notepad started the same way in the
// same run. Prints the median of several starts of each and their ratio.
#include "Measuring.h"
#include "framework/app/RegistryKey.h"
#include "test_support/HostPath.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Orvintek\\Mensurio";
constexpr int kRuns = 15;

std::wstring ProgramPath() {
    return HostPath(MENSURIO_EXE);
}

// Starts the command, waits until `windowClass` has a visible, idle window; returns the
// seconds that took, and ends the process.
double TimeStart(std::wstring commandLine, const wchar_t* windowClass) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start %ls\n", commandLine.c_str());
        return 0;
    }
    HWND window = nullptr;
    for (int waited = 0; waited < 20000; waited += 1) {
        window = FindWindowW(windowClass, nullptr);
        if (window != nullptr && IsWindowVisible(window)) {
            break;
        }
        Sleep(1);
    }
    WaitForInputIdle(process.hProcess, 20000);
    // The window has handled everything queued, its first paint included.
    SendMessageW(window, WM_NULL, 0, 0);
    QueryPerformanceCounter(&end);
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    const int sections = argc > 1 ? std::atoi(argv[1]) : 63;
    wchar_t folder[MAX_PATH];
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"stu", 0, path);
    std::string text;
    for (int section = 0; section < sections; ++section) {
        text += "[Category " + std::to_string(section) + "]\r\n";
        for (int unit = 0; unit < 9; ++unit) {
            text +=
                "\"unit " + std::to_string(unit) + "\" = " + std::to_string(unit + 1) + ".5\r\n";
        }
    }
    FILE* file = _wfopen(path, L"wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);

    RegistryKey settings(HKEY_CURRENT_USER);
    settings.Create(kSettingsKey);
    wchar_t saved[MAX_PATH] = {};
    DWORD size = sizeof saved;
    const bool hadPath = settings.ReadString(L"ini", saved, size) == ERROR_SUCCESS;
    settings.WriteString(L"ini", path);

    std::vector<double> mensurio;
    std::vector<double> notepad;
    for (int run = 0; run < kRuns; ++run) {
        mensurio.push_back(TimeStart(L"\"" + ProgramPath() + L"\"", L"Mensurio"));
        notepad.push_back(TimeStart(L"notepad.exe", L"Notepad"));
    }
    if (hadPath) {
        settings.WriteString(L"ini", saved);
    }
    DeleteFileW(path);

    std::printf("start-up until painted and idle, median of %d starts\n", kRuns);
    std::printf("  mensurio (%d sections): %.3f s\n", sections, Median(mensurio));
    std::printf("  notepad:                %.3f s\n", Median(notepad));
    std::printf("  ratio:                  %.2f (target at most 1.2)\n",
                Median(mensurio) / Median(notepad));
    return 0;
}
