#include "ProgramDriver.h"

#include "HardwareExceptions.h"
#include "HostPath.h"
#include "framework/app/RegistryKey.h"
#include "platform/MenuBar.h"
#include "resources/converter_ids.h"
#include "resources/filedialog_ids.h"
#include "resources/fileops_ids.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>

namespace {

// The classes of the menu bar (a toolbar), of dialogs and of popup menus.
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kSettingsKey[] = L"Software\\Orvintek\\Mensurio";

} // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 20) {
        if (condition()) {
            return true;
        }
        Sleep(20);
    }
    return condition();
}

std::wstring HostProgramFolder() {
    const std::wstring program = HostPath(MENSURIO_EXE);
    return program.substr(0, program.rfind(L'\\'));
}

std::wstring DeviceProgramFolder() {
    return HostProgramFolder().substr(2);
}

std::wstring RememberedDefinitionFile() {
    RegistryKey settings(HKEY_CURRENT_USER);
    wchar_t path[MAX_PATH] = {};
    DWORD size = sizeof path;
    if (settings.Open(kSettingsKey) == ERROR_SUCCESS) {
        settings.ReadString(L"ini", path, size);
    }
    return path;
}

void RememberDefinitionFile(const wchar_t* path) {
    RegistryKey settings(HKEY_CURRENT_USER);
    settings.Create(kSettingsKey);
    settings.WriteString(L"ini", path);
}

RemoteMemory::RemoteMemory(HANDLE process, size_t size) : process(process) {
    base = static_cast<BYTE*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
}

RemoteMemory::~RemoteMemory() {
    VirtualFreeEx(process, base, 0, MEM_RELEASE);
}

std::wstring RemoteMemory::Text(size_t offset) const {
    wchar_t text[260] = {};
    ReadProcessMemory(process, base + offset, text, sizeof text - 2, nullptr);
    return text;
}

Program::Program() {
    started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    debugger = CreateThread(nullptr, 0, Debug, this, 0, nullptr);
    WaitForSingleObject(started, INFINITE);
    if (process.hProcess == nullptr) {
        ADD_FAILURE() << "cannot start the program: " << startError;
        return;
    }
    WaitForInputIdle(process.hProcess, 10000);
    // The window of this process: one of an instance that has just ended may still be
    // there. A second instance ends without one.
    WaitFor([&] {
        window = FindOwnWindow(L"Mensurio", [](HWND) { return true; });
        return (window != nullptr && TabCount() >= 2) || !IsRunning();
    });
}

Program::~Program() {
    if (process.hProcess != nullptr) {
        if (IsRunning()) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, 5000);
        }
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    // The program has ended: its last debug event comes, and the thread with it.
    WaitForSingleObject(debugger, INFINITE);
    CloseHandle(debugger);
    CloseHandle(started);
    EXPECT_EQ(0, faults.load()) << "hardware exception(s) in the program, the last one code 0x"
                                << std::hex << lastFault.load();
}

DWORD WINAPI Program::Debug(void* self) {
    Program& program = *static_cast<Program*>(self);
    std::wstring commandLine = L"\"" + HostPath(MENSURIO_EXE) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    const BOOL created =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                       DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr, &startup, &program.process);
    program.startError = created ? 0 : GetLastError();
    SetEvent(program.started);
    if (!created) {
        return 1;
    }
    for (DEBUG_EVENT event; WaitForDebugEvent(&event, INFINITE);) {
        DWORD answer = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case EXCEPTION_DEBUG_EVENT: {
            const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
            if (event.u.Exception.dwFirstChance && IsHardwareException(record.ExceptionCode)) {
                program.lastFault = record.ExceptionCode;
                ++program.faults;
            }
            // The program's own handlers see everything but the debugger's first stop.
            if (record.ExceptionCode != EXCEPTION_BREAKPOINT) {
                answer = DBG_EXCEPTION_NOT_HANDLED;
            }
            break;
        }
        case CREATE_PROCESS_DEBUG_EVENT:
            CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            CloseHandle(event.u.LoadDll.hFile);
            break;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, answer);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) {
            break;
        }
    }
    return 0;
}

void Program::Post(int command) const {
    PostMessageW(window, WM_COMMAND, command, 0);
}

DWORD Program::Exit() const {
    Post(IDC_EXIT);
    return WaitForExit();
}

DWORD Program::WaitForExit(DWORD milliseconds) const {
    WaitForSingleObject(process.hProcess, milliseconds);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

bool Program::IsRunning() const {
    return WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Program::Tabs() const {
    return Child(WC_TABCONTROLW);
}

int Program::TabCount() const {
    return static_cast<int>(SendMessageW(Tabs(), TCM_GETITEMCOUNT, 0, 0));
}

int Program::CurrentTab() const {
    return static_cast<int>(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0));
}

Texts Program::TabTexts() const {
    Texts texts;
    const RemoteMemory memory(process.hProcess, 4096);
    for (int index = 0; index < TabCount(); ++index) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = memory.At(1024);
        item.cchTextMax = 256;
        SendMessageW(Tabs(), TCM_GETITEMW, index, memory.Put(0, item));
        texts.push_back(memory.Text(1024));
    }
    return texts;
}

HWND Program::ShowPage(int index) const {
    SendMessageW(window, WM_COMMAND, IDC_PAGE + index, 0);
    EXPECT_EQ(index, CurrentTab());
    return VisiblePage();
}

HWND Program::VisiblePage() const {
    // The pages are dialogs in the tab control; its scroll arrows, when there are many tabs,
    // are a child of it too.
    for (HWND child = FindWindowExW(Tabs(), nullptr, kDialogClass, nullptr); child != nullptr;
         child = FindWindowExW(Tabs(), child, kDialogClass, nullptr)) {
        if (IsWindowVisible(child)) {
            return child;
        }
    }
    return nullptr;
}

Texts Program::Rows(HWND page) {
    Texts texts;
    for (int row = 0; row < 9; ++row) {
        const HWND edit = GetDlgItem(page, IDC_ROW_EDIT + row);
        if (edit == nullptr || !(GetWindowLongPtrW(edit, GWL_STYLE) & WS_VISIBLE)) {
            break;
        }
        texts.push_back(TextOf(edit));
    }
    return texts;
}

void Program::Type(HWND page, int row, const std::wstring& keys) {
    const HWND edit = GetDlgItem(page, IDC_ROW_EDIT + row);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t key : keys) {
        PostMessageW(edit, WM_CHAR, key, 1);
    }
}

void Program::TapLabel(HWND page, int row) {
    PostMessageW(GetDlgItem(page, IDC_ROW_LABEL + row), WM_LBUTTONDOWN, MK_LBUTTON, 0);
}

HWND Program::Focus() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process.dwThreadId, &info);
    return info.hwndFocus;
}

RECT Program::FirstButton() const {
    const HWND bar = Child(kMenuBarClassName);
    const RemoteMemory memory(process.hProcess, sizeof(RECT));
    SendMessageW(bar, TB_GETITEMRECT, 0, memory.Put(0, RECT{}));
    return memory.Get<RECT>(0);
}

HWND Program::OpenDialog() const {
    return FindOwnWindow(kDialogClass,
                         [](HWND dialog) { return GetDlgItem(dialog, IDC_FILE_LIST) != nullptr; });
}

HWND Program::MessageBoxWindow() const {
    // A dialog of the program with a text, and no file list, question or progress bar.
    return FindOwnWindow(kDialogClass, [](HWND dialog) {
        return GetDlgItem(dialog, IDC_FILE_LIST) == nullptr &&
               GetDlgItem(dialog, IDC_QUESTION_TEXT) == nullptr &&
               GetDlgItem(dialog, IDC_PROGRESS_PLACE) == nullptr &&
               FindWindowExW(dialog, nullptr, L"Static", nullptr) != nullptr;
    });
}

HWND Program::QuestionWindow() const {
    return FindOwnWindow(kDialogClass, [](HWND dialog) {
        return GetDlgItem(dialog, IDC_QUESTION_TEXT) != nullptr &&
               GetDlgItem(dialog, IDYES) != nullptr && GetDlgItem(dialog, IDNO) != nullptr;
    });
}

HWND Program::ProgressWindow() const {
    return FindOwnWindow(kDialogClass, [](HWND dialog) {
        return GetDlgItem(dialog, IDC_PROGRESS_PLACE) != nullptr;
    });
}

HWND Program::PopupMenuWindow() const {
    return FindOwnWindow(kMenuClass, [](HWND) { return true; });
}

Texts Program::AnswerMessageBoxes() const {
    Texts texts;
    for (int answered = 0; answered < 5; ++answered) {
        const HWND box = MessageBoxWindow();
        if (box == nullptr) {
            break;
        }
        std::wstring text = TextOf(box) + L":";
        for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child != nullptr;
             child = FindWindowExW(box, child, L"Static", nullptr)) {
            text += L" " + TextOf(child);
        }
        for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n")) {
            text.erase(at, 2);
        }
        texts.push_back(text);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !IsWindow(box); }, 5000);
    }
    return texts;
}

HWND Program::Child(const wchar_t* className) const {
    // Without a window of its own, a search from null would look among the top-level ones.
    return window != nullptr ? FindWindowExW(window, nullptr, className, nullptr) : nullptr;
}

HWND Program::FindOwnWindow(const wchar_t* className,
                            const std::function<bool(HWND)>& accept) const {
    struct Search {
        DWORD processId;
        const wchar_t* className;
        const std::function<bool(HWND)>& accept;
        HWND found = nullptr;
    } search{process.dwProcessId, className, accept};
    EnumWindows(
        [](HWND candidate, LPARAM context) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(candidate, &owner);
            wchar_t name[16] = {};
            GetClassNameW(candidate, name, 16);
            if (owner == search.processId && wcscmp(name, search.className) == 0 &&
                IsWindowVisible(candidate) && search.accept(candidate)) {
                search.found = candidate;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

FileDialog::FileDialog(const Program& program) : program(program) {
    WaitFor([&] { return (handle = program.OpenDialog()) != nullptr; });
}

HWND FileDialog::List() const {
    return Control(IDC_FILE_LIST);
}

Texts FileDialog::Rows() const {
    Texts rows;
    const RemoteMemory memory(program.process.hProcess, 4096);
    const int count = static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        LVITEMW item = {};
        item.pszText = memory.At(1024);
        item.cchTextMax = 260;
        SendMessageW(List(), LVM_GETITEMTEXTW, row, memory.Put(0, item));
        rows.push_back(memory.Text(1024));
    }
    return rows;
}

int FileDialog::RowOf(const std::wstring& name) const {
    const Texts rows = Rows();
    const auto found = std::find(rows.begin(), rows.end(), name);
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

std::wstring FileDialog::Location() const {
    const RemoteMemory memory(program.process.hProcess, 4096);
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT;
    info.pszText = memory.At(1024);
    info.cchText = 260;
    SendMessageW(Control(IDC_COMMAND_BAR), TB_GETBUTTONINFOW, IDC_LOCATION, memory.Put(0, info));
    return memory.Text(1024);
}

void FileDialog::TypeName(const std::wstring& text) const {
    const HWND field = Control(IDC_NAME_FIELD);
    if (program.Focus() != field) {
        PostMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(field, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(WaitFor([&] { return program.Focus() == field; }));
    }
    SendMessageW(field, EM_SETSEL, 0, -1);
    for (wchar_t key : text) {
        PostMessageW(field, WM_CHAR, key, 1);
    }
    EXPECT_TRUE(WaitFor([&] { return TextOf(field) == text; })) << TextOf(field);
}

void FileDialog::Take(const std::wstring& text) const {
    TypeName(text);
    Post(IDOK);
}

void FileDialog::Command(int id) const {
    SendMessageTimeoutW(handle, WM_COMMAND, id, 0, SMTO_BLOCK, 5000, nullptr);
}

void FileDialog::Post(int id) const {
    PostMessageW(handle, WM_COMMAND, id, 0);
}

bool FileDialog::WaitUntilClosed(DWORD milliseconds) const {
    return WaitFor(
        [&] {
            for (const std::wstring& text : program.AnswerMessageBoxes()) {
                ADD_FAILURE() << "message box: " << text;
            }
            return !IsWindow(handle);
        },
        milliseconds);
}

void FileDialog::ChooseRow(int row) const {
    const RemoteMemory memory(program.process.hProcess, 256);
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(List(), LVM_SETITEMSTATE, row, memory.Put(0, item));
}
