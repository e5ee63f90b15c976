// Opening the file selection dialog on a folder of 5 000 files: from the call until the
// dialog has first painted its list with the icons, for our dialog (ChooseFileToOpen) and
// for the platform's GetOpenFileNameW on the same folder with the same request, in turns in
// the same run. Prints the medians and their ratio; a folder of three files is timed the
// same way for comparison.
//
// How "painted" is seen, the same for both dialogs. A creation hook of this thread
// (WH_CBT) subclasses every list-view control created inside a dialog (#32770), and its
// parent. The list's first WM_PAINT, whether taken from the queue or sent, is handed on;
// the list view asks its parent for the icons of the rows it draws (LVN_GETDISPINFO) while
// it paints, so when that call returns the icons are there. A marker message is then
// posted to the thread. A hook on the messages taken from the queue (WH_GETMESSAGE) sees the
// marker come out; when the queue still holds posted, sent, input or paint messages, the
// marker goes again right after the next message has been taken out and handled (posted at
// once, it would come out ahead of input and paint messages for ever), until it comes out
// of an otherwise empty queue: the dialog is idle, and that is the end of the turn. The
// dialog is then closed by posting it WM_COMMAND IDCANCEL, outside the time measured.
//
// No hook runs for every message sent (WH_CALLWNDPROC): under Wine each such call goes to
// the server, which made filling a list of 5 000 rows ten times slower and swamped what is
// measured. The subclass procedures are plain calls.
#include "Measuring.h"
#include "framework/app/Application.h"
#include "framework/app/MenuBars.h"
#include "framework/filedialog/FileNameDialog.h"
#include "framework/shell/IconCache.h"
#include "test_support/TempFolder.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kTextFiles = 4995;
constexpr int kIniFiles = 5;
constexpr int kLargeTurns = 9;
constexpr int kSmallTurns = 5;
// A turn that has not painted by then is given up: its dialog is closed.
constexpr UINT kWatchdogMilliseconds = 120000;
// Messages stepped over after the paint before the dialog is taken as never idle.
constexpr int kMaxSteps = 100000;
// The timer that makes sure the queue yields a message while the marker waits to go again.
constexpr UINT kNudgeMilliseconds = 10;

// What the hooks and subclass procedures of one turn have seen.
struct Turn {
    bool active = false;
    bool listPainted = false;
    bool idle = false;
    bool gaveUp = false;
    HWND dialog = nullptr;
    HWND list = nullptr;
    bool stepping = false; // the marker goes again after the next message
    UINT_PTR nudge = 0;
    int steps = 0;
    int rows = 0;         // of the list when the dialog became idle
    int iconRequests = 0; // LVN_GETDISPINFO asking for an image, until idle
    LARGE_INTEGER start = {};
    LARGE_INTEGER end = {};
};

Turn turn;
UINT marker = 0;
HHOOK getMessageHook = nullptr;
HHOOK creationHook = nullptr;
// The procedures the subclassed lists and their parents had.
std::map<HWND, WNDPROC> previousProcedures;

bool HasClass(HWND window, const wchar_t* name) {
    wchar_t text[64] = {};
    GetClassNameW(window, text, 64);
    return _wcsicmp(text, name) == 0;
}

void PostMarker() {
    PostThreadMessageW(GetCurrentThreadId(), marker, 0, 0);
}

// Does nothing: its WM_TIMER only makes sure the queue yields one more message to step on.
void CALLBACK Nudge(HWND, UINT, UINT_PTR, DWORD) {
}

void NoteMarker() {
    if (!turn.active || turn.idle) {
        return;
    }
    // What is still waiting, timers aside: a caret's blink would never let it be empty.
    const DWORD waiting = HIWORD(GetQueueStatus(QS_ALLINPUT)) & ~QS_TIMER;
    if (waiting != 0 && turn.steps < kMaxSteps) {
        turn.stepping = true;
        turn.nudge = SetTimer(nullptr, turn.nudge, kNudgeMilliseconds, Nudge);
        return;
    }
    QueryPerformanceCounter(&turn.end);
    turn.idle = true;
    if (turn.nudge != 0) {
        KillTimer(nullptr, turn.nudge);
        turn.nudge = 0;
    }
    turn.rows = ListView_GetItemCount(turn.list);
    PostMessageW(turn.dialog, WM_COMMAND, IDCANCEL, 0);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM removed, LPARAM lParam) {
    if (code == HC_ACTION && removed == PM_REMOVE) {
        MSG& message = *reinterpret_cast<MSG*>(lParam);
        if (message.hwnd == nullptr && message.message == marker) {
            message.message = WM_NULL; // ours alone: nobody else handles it
            NoteMarker();
        } else if (turn.stepping) {
            // The marker comes out again right after this message has been handled.
            turn.stepping = false;
            ++turn.steps;
            PostMarker();
        }
    }
    return CallNextHookEx(getMessageHook, code, removed, lParam);
}

LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = previousProcedures.find(window);
    const WNDPROC previous = found != previousProcedures.end() ? found->second : DefWindowProcW;
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

LRESULT CALLBACK ListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallPrevious(window, message, wParam, lParam);
    if (message == WM_PAINT && turn.active && !turn.listPainted) {
        turn.listPainted = true;
        turn.list = window;
        turn.dialog = GetAncestor(window, GA_ROOT);
        PostMarker();
    }
    return result;
}

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && turn.active && !turn.idle) {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if ((header.code == LVN_GETDISPINFOW || header.code == LVN_GETDISPINFOA) &&
            (reinterpret_cast<const NMLVDISPINFOW&>(header).item.mask & LVIF_IMAGE)) {
            ++turn.iconRequests;
        }
    }
    return CallPrevious(window, message, wParam, lParam);
}

void Subclass(HWND window, WNDPROC procedure) {
    if (previousProcedures.count(window) == 0) {
        previousProcedures[window] = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    }
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto window = reinterpret_cast<HWND>(wParam);
        const HWND parent = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->hwndParent;
        if (parent != nullptr && HasClass(window, WC_LISTVIEWW) &&
            HasClass(GetAncestor(parent, GA_ROOT), L"#32770")) {
            Subclass(window, ListProcedure);
            Subclass(parent, ParentProcedure);
        }
    }
    return CallNextHookEx(creationHook, code, wParam, lParam);
}

// Closes whatever dialog of this thread is open when a turn has taken far too long.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    if (!turn.active || turn.idle) {
        return;
    }
    turn.gaveUp = true;
    turn.idle = true;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            if (HasClass(window, L"#32770") && IsWindowVisible(window)) {
                PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            }
            return TRUE;
        },
        0);
}

struct Result {
    double seconds = 0;
    int rows = 0;
    int iconRequests = 0;
    bool ok = false;
};

// Opens one dialog on `folder`, by our dialog or the platform's, and times it to idle.
Result TimeDialog(bool ours, const std::wstring& folder) {
    wchar_t file[260] = {};
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = nullptr;
    request.lpstrFilter = L"All Files\0*.*\0";
    request.lpstrFile = file;
    request.nMaxFile = 260;
    request.lpstrInitialDir = folder.c_str();
    request.Flags = OFN_FILEMUSTEXIST;

    turn = Turn();
    previousProcedures.clear();
    const DWORD thread = GetCurrentThreadId();
    getMessageHook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, thread);
    creationHook = SetWindowsHookExW(WH_CBT, CreationHook, nullptr, thread);
    const UINT_PTR watchdog = SetTimer(nullptr, 0, kWatchdogMilliseconds, Watchdog);
    turn.active = true;
    QueryPerformanceCounter(&turn.start);
    if (ours) {
        ChooseFileToOpen(request);
    } else {
        GetOpenFileNameW(&request);
    }
    turn.active = false;
    KillTimer(nullptr, watchdog);
    if (turn.nudge != 0) {
        KillTimer(nullptr, turn.nudge);
    }
    UnhookWindowsHookEx(getMessageHook);
    UnhookWindowsHookEx(creationHook);

    // Whatever the closed dialog left in the queue, a late marker among it, goes now.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.hwnd != nullptr) {
            DispatchMessageW(&message);
        }
    }

    Result result;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    result.seconds = double(turn.end.QuadPart - turn.start.QuadPart) / double(frequency.QuadPart);
    result.rows = turn.rows;
    result.iconRequests = turn.iconRequests;
    result.ok = turn.idle && !turn.gaveUp;
    const char* name = ours ? "ours" : "GetOpenFileNameW";
    if (turn.gaveUp) {
        std::printf("  %s: the list did not paint and settle in time; turn left out\n", name);
    } else if (!turn.idle) {
        std::printf("  %s: the dialog closed before its list painted; turn left out\n", name);
    } else if (turn.steps >= kMaxSteps) {
        std::printf("  %s: the queue never emptied after the paint\n", name);
    }
    return result;
}

std::string List(const std::vector<double>& times) {
    std::string text;
    for (double time : times) {
        char number[32];
        std::snprintf(number, sizeof number, " %.3f", time);
        text += number;
    }
    return text;
}

void MakeFile(const std::wstring& path, std::mt19937& random) {
    static const std::string bytes(4096, 'x');
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(handle, bytes.data(), random() % 4096, &written, nullptr);
    CloseHandle(handle);
}

void MakeFolder(const std::wstring& folder, int textFiles, int iniFiles) {
    std::mt19937 random(5000);
    CreateDirectoryW(folder.c_str(), nullptr);
    for (int file = 1; file <= textFiles; ++file) {
        wchar_t name[32];
        swprintf(name, 32, L"\\file %04d.txt", file);
        MakeFile(folder + name, random);
    }
    for (int file = 1; file <= iniFiles; ++file) {
        MakeFile(folder + L"\\settings " + std::to_wstring(file) + L".ini", random);
    }
}

struct Figures {
    std::vector<double> ours;
    std::vector<double> platform;
    int oursRows = 0;
    int platformRows = 0;
    int oursIcons = 0;
    int platformIcons = 0;
    int failures = 0;
};

// `turns` turns of each, in the order ours, theirs, theirs, ours, ... so that neither
// always follows the other; first one untimed turn of each, which loads what a first
// dialog loads.
Figures Measure(const std::wstring& folder, int turns) {
    Figures figures;
    TimeDialog(true, folder);
    TimeDialog(false, folder);
    for (int index = 0; index < 2 * turns; ++index) {
        const bool ours = index % 4 == 0 || index % 4 == 3;
        const Result result = TimeDialog(ours, folder);
        if (!result.ok) {
            ++figures.failures;
            continue;
        }
        (ours ? figures.ours : figures.platform).push_back(result.seconds);
        (ours ? figures.oursRows : figures.platformRows) = result.rows;
        (ours ? figures.oursIcons : figures.platformIcons) = result.iconRequests;
    }
    return figures;
}

void Report(const char* what, const Figures& figures, bool withTarget) {
    if (figures.ours.empty() || figures.platform.empty()) {
        std::printf("%s: no complete turns (%d failed)\n", what, figures.failures);
        return;
    }
    const double ours = Median(figures.ours);
    const double platform = Median(figures.platform);
    std::printf("%s, median of %zu turns each: ours %.3f s, GetOpenFileNameW %.3f s\n", what,
                figures.ours.size(), ours, platform);
    std::printf("  turns: ours%s; GetOpenFileNameW%s\n", List(figures.ours).c_str(),
                List(figures.platform).c_str());
    std::printf("  rows listed: ours %d, GetOpenFileNameW %d; icons asked for by the first "
                "paint: ours %d, GetOpenFileNameW %d\n",
                figures.oursRows, figures.platformRows, figures.oursIcons, figures.platformIcons);
    std::printf("  ours / GetOpenFileNameW %.2f%s\n", ours / platform,
                withTarget ? " (target at most 0.5)" : "");
    if (figures.failures > 0) {
        std::printf("  %d turns failed and are left out\n", figures.failures);
    }
}

} // namespace

int main() {
    InitApplicationValues(GetModuleHandleW(nullptr));
    InitControlClasses(0xFF);
    marker = RegisterWindowMessageW(L"MensurioFileDialogBenchmarkIdle");
    // As the converter does from its first Open... on: the file types and icons stay
    // loaded between openings of the dialog.
    const IconCache programIcons;

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring large = std::wstring(temp) + L"mensurio-dialog-benchmark";
    const std::wstring small = std::wstring(temp) + L"mensurio-dialog-benchmark-small";
    TempFolder::RemoveTree(large);
    TempFolder::RemoveTree(small);
    MakeFolder(large, kTextFiles, kIniFiles);
    MakeFolder(small, 2, 1);

    const Figures largeFigures = Measure(large, kLargeTurns);
    const Figures smallFigures = Measure(small, kSmallTurns);
    Report("folder of 5000 files", largeFigures, true);
    Report("folder of 3 files", smallFigures, false);

    TempFolder::RemoveTree(large);
    TempFolder::RemoveTree(small);
    return 0;
}
