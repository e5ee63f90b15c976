// The real program, started as a process and driven from this one as a user's automation
// would: windows are found by class, typing is posted characters, taps are posted clicks,
// and texts are read back across the process boundary.
#include "converter/definitions/tests/DefinitionFiles.h"
#include "framework/app/RegistryKey.h"
#include "framework/app/tests/HostPath.h"
#include "framework/app/tests/TempFolder.h"
#include "framework/app/tests/Texts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Orvintek\\Mensurio";
constexpr wchar_t kMakerKey[] = L"Software\\Orvintek";

// The built program, as Wine sees it.
std::wstring ProgramPath() {
    return HostPath(MENSURIO_EXE);
}

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 10000) {
    for (DWORD waited = 0; waited < milliseconds; waited += 20) {
        if (condition()) {
            return true;
        }
        Sleep(20);
    }
    return condition();
}

// The program's folder as this process reaches it ("Z:\work\...") and as the program names
// it, without the drive: the program's paths have none, like the device's.
std::wstring HostProgramFolder() {
    const std::wstring program = ProgramPath();
    return program.substr(0, program.rfind(L'\\'));
}

std::wstring DeviceProgramFolder() {
    return HostProgramFolder().substr(2);
}

std::wstring LastComponent(const std::wstring& path) {
    return path.substr(path.rfind(L'\\') + 1);
}

bool EndsWithIni(const std::wstring& name) {
    return name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".ini") == 0;
}

// The section names of a definition file in their order, read as the device reads the
// file: bytes in its code page.
std::vector<std::wstring> SectionNames(const std::wstring& hostPath) {
    std::vector<std::wstring> names;
    const HANDLE file = CreateFileW(hostPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot read the sample file";
        return names;
    }
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        const size_t open = bytes.find_first_not_of(" \t", start);
        if (open < end && bytes[open] == '[') {
            const size_t close = bytes.find(']', open);
            if (close < end) {
                const std::string name = bytes.substr(open + 1, close - open - 1);
                std::wstring wide(name.size() + 1, L'\0');
                wide.resize(MultiByteToWideChar(CP_ACP, 0, name.data(),
                                                static_cast<int>(name.size()), wide.data(),
                                                static_cast<int>(wide.size())));
                names.push_back(wide);
            }
        }
        start = end + 2;
    }
    return names;
}

// What the Open dialog lists of a folder with the *.ini filter: its folders and its .ini
// files, sorted here by their code units.
Texts IniListing(const std::wstring& hostFolder) {
    Texts names;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((hostFolder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || EndsWithIni(name)) {
            names.push_back(name);
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// Texts for a failure message.
std::wstring Joined(const Texts& texts) {
    std::wstring joined;
    for (const std::wstring& text : texts) {
        joined += (joined.empty() ? L"" : L", ") + text;
    }
    return joined;
}

Texts Sorted(Texts texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

// A running instance of the program.
class Program {
public:
    explicit Program(const std::wstring& environment = L"") {
        std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        (void)environment;
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            ADD_FAILURE() << "cannot start the program: " << GetLastError();
            return;
        }
        WaitForInputIdle(process.hProcess, 10000);
        WaitFor([&] {
            window = FindWindowW(L"Mensurio", nullptr);
            return window != nullptr && TabCount() >= 2;
        });
    }

    ~Program() {
        if (process.hProcess != nullptr) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process.hProcess, 1);
                WaitForSingleObject(process.hProcess, 5000);
            }
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND Tabs() const { return GetDlgItem(window, 11800); }
    int TabCount() const { return static_cast<int>(SendMessageW(Tabs(), TCM_GETITEMCOUNT, 0, 0)); }

    // The tab texts, read through memory in the program's process.
    Texts TabTexts() const {
        Texts texts;
        auto* remote = static_cast<BYTE*>(
            VirtualAllocEx(process.hProcess, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
        for (int index = 0; index < TabCount(); ++index) {
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = reinterpret_cast<wchar_t*>(remote + 1024);
            item.cchTextMax = 256;
            WriteProcessMemory(process.hProcess, remote, &item, sizeof item, nullptr);
            SendMessageW(Tabs(), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(remote));
            wchar_t text[256] = {};
            ReadProcessMemory(process.hProcess, remote + 1024, text, sizeof text - 2, nullptr);
            texts.push_back(text);
        }
        VirtualFreeEx(process.hProcess, remote, 0, MEM_RELEASE);
        return texts;
    }

    // Chooses a page from the Unit menu and returns its dialog, shown.
    HWND ShowPage(int index) {
        SendMessageW(window, WM_COMMAND, 40301 + index, 0);
        EXPECT_EQ(index, SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0));
        return VisiblePage();
    }

    // The shown page's dialog; the tab strip's scroll arrows, when there are many tabs, are
    // a child of the tab control too.
    HWND VisiblePage() const {
        for (HWND child = FindWindowExW(Tabs(), nullptr, L"#32770", nullptr); child != nullptr;
             child = FindWindowExW(Tabs(), child, L"#32770", nullptr)) {
            if (IsWindowVisible(child)) {
                return child;
            }
        }
        return nullptr;
    }

    static Texts Rows(HWND page) {
        Texts texts;
        for (int row = 0; row < 9; ++row) {
            const HWND edit = GetDlgItem(page, 10700 + row);
            if (edit == nullptr || !(GetWindowLongPtrW(edit, GWL_STYLE) & WS_VISIBLE)) {
                break;
            }
            texts.push_back(TextOf(edit));
        }
        return texts;
    }

    // Types into a row as a user would: select all, then one character at a time.
    static void Type(HWND page, int row, const std::wstring& keys) {
        const HWND edit = GetDlgItem(page, 10700 + row);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        for (wchar_t key : keys) {
            PostMessageW(edit, WM_CHAR, key, 1);
        }
    }

    static void TapLabel(HWND page, int row) {
        PostMessageW(GetDlgItem(page, 11900 + row), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    }

    HWND Focus() const {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(process.dwThreadId, &info);
        return info.hwndFocus;
    }

    DWORD WaitForExit(DWORD milliseconds = 10000) const {
        WaitForSingleObject(process.hProcess, milliseconds);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    // The menu bar's first button, measured in the program's process.
    RECT FirstButton() const {
        const HWND bar = FindWindowExW(window, nullptr, L"menu_worker", nullptr);
        auto* remote =
            VirtualAllocEx(process.hProcess, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
        SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(remote));
        RECT rect = {};
        ReadProcessMemory(process.hProcess, remote, &rect, sizeof rect, nullptr);
        VirtualFreeEx(process.hProcess, remote, 0, MEM_RELEASE);
        return rect;
    }

    // The visible Open dialog of the program (a dialog of its own with the file list), or
    // null.
    HWND OpenDialog() const {
        return FindOwnDialog([](HWND dialog) { return GetDlgItem(dialog, 11000) != nullptr; });
    }

    // A message box of the program (a dialog of its own with a text and no file list), or
    // null. The delete question and the file operation's progress are not message boxes:
    // an OK posted to the question would answer it.
    HWND MessageBoxWindow() const {
        return FindOwnDialog([](HWND dialog) {
            return GetDlgItem(dialog, 11000) == nullptr && GetDlgItem(dialog, 11901) == nullptr &&
                   GetDlgItem(dialog, 11100) == nullptr &&
                   FindWindowExW(dialog, nullptr, L"Static", nullptr) != nullptr;
        });
    }

    // A question before files are deleted: its text and its Yes and No buttons.
    HWND QuestionWindow() const {
        return FindOwnDialog([](HWND dialog) {
            return GetDlgItem(dialog, 11901) != nullptr && GetDlgItem(dialog, IDYES) != nullptr &&
                   GetDlgItem(dialog, IDNO) != nullptr;
        });
    }

    // The progress dialog of a file operation, with the place of its percentage bar.
    HWND ProgressWindow() const {
        return FindOwnDialog([](HWND dialog) { return GetDlgItem(dialog, 11100) != nullptr; });
    }

    // A popup menu the program is tracking, or null.
    HWND PopupMenuWindow() const {
        return FindOwnWindow(L"#32768", [](HWND) { return true; });
    }

    // A menu's items (read in the program's process, where its items are), with their
    // commands and whether each is checked.
    struct MenuItem {
        std::wstring text;
        UINT command;
        bool checked;
    };
    std::vector<MenuItem> MenuItems(ULONG_PTR menu) {
        std::vector<MenuItem> items;
        const int count = static_cast<int>(CallUser32("GetMenuItemCount", {menu}));
        for (int index = 0; index < count && index < 64; ++index) {
            const auto position = static_cast<ULONG_PTR>(index);
            const auto text = reinterpret_cast<ULONG_PTR>(remoteCall + 1024);
            CallUser32("GetMenuStringW", {menu, position, text, 256, MF_BYPOSITION});
            wchar_t read[256] = {};
            ReadProcessMemory(process.hProcess, remoteCall + 1024, read, sizeof read - 2, nullptr);
            const UINT command = CallUser32("GetMenuItemID", {menu, position});
            const UINT state = CallUser32("GetMenuState", {menu, position, MF_BYPOSITION});
            items.push_back({read, command, state != 0xFFFFFFFF && (state & MF_CHECKED) != 0});
        }
        return items;
    }

    // Answers every message box the program shows with OK and returns their texts, without
    // the line breaks (CR LF) that fit them to the screen.
    Texts AnswerMessageBoxes() const {
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
            for (size_t at = text.find(L"\r\n"); at != std::wstring::npos;
                 at = text.find(L"\r\n")) {
                text.erase(at, 2);
            }
            texts.push_back(text);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            WaitFor([&] { return !IsWindow(box); }, 5000);
        }
        return texts;
    }

    // The items of the Unit menu, read in the program's process: Wine keeps a menu's items
    // in the process that made it, where a driver has to go to read them.
    Texts UnitMenuItems() {
        const HWND bar = FindWindowExW(window, nullptr, L"menu_worker", nullptr);
        const auto menu = static_cast<ULONG_PTR>(SendMessageW(bar, WM_USER + 402, 0, 0));
        // Menu handles are 32-bit values in every process.
        const ULONG_PTR unitMenu = CallUser32("GetSubMenu", {menu, 2});
        Texts items;
        const int count = static_cast<int>(CallUser32("GetMenuItemCount", {unitMenu}));
        for (int index = 0; index < count; ++index) {
            const auto text = reinterpret_cast<ULONG_PTR>(remoteCall + 1024);
            CallUser32("GetMenuStringW",
                       {unitMenu, static_cast<ULONG_PTR>(index), text, 256, MF_BYPOSITION});
            wchar_t read[256] = {};
            ReadProcessMemory(process.hProcess, remoteCall + 1024, read, sizeof read - 2, nullptr);
            items.push_back(read);
        }
        return items;
    }

    PROCESS_INFORMATION process = {};
    HWND window = nullptr;

private:
    template <typename Accept> HWND FindOwnDialog(Accept accept) const {
        return FindOwnWindow(L"#32770", accept);
    }

    // A visible top-level window of the program's process, of the class and accepted.
    template <typename Accept> HWND FindOwnWindow(const wchar_t* className, Accept accept) const {
        struct Search {
            DWORD processId;
            const wchar_t* className;
            Accept accept;
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

    // Runs a user32 function with up to five arguments on a thread of the program and
    // returns the low 32 bits of its result. The thread starts in a few instructions that
    // take the function and its arguments from a block and call it.
    DWORD CallUser32(const char* function, std::initializer_list<ULONG_PTR> arguments) {
        static constexpr unsigned char kCaller[] = {
            0x48, 0x83, 0xEC, 0x38,       // sub rsp, 38h
            0x48, 0x89, 0xC8,             // mov rax, rcx         (the block)
            0x4C, 0x8B, 0x50, 0x28,       // mov r10, [rax+28h]   (fifth argument)
            0x4C, 0x89, 0x54, 0x24, 0x20, // mov [rsp+20h], r10
            0x48, 0x8B, 0x48, 0x08,       // mov rcx, [rax+8]
            0x48, 0x8B, 0x50, 0x10,       // mov rdx, [rax+10h]
            0x4C, 0x8B, 0x40, 0x18,       // mov r8, [rax+18h]
            0x4C, 0x8B, 0x48, 0x20,       // mov r9, [rax+20h]
            0xFF, 0x10,                   // call [rax]
            0x48, 0x83, 0xC4, 0x38,       // add rsp, 38h
            0xC3,                         // ret
        };
        if (remoteCall == nullptr) {
            remoteCall = static_cast<BYTE*>(VirtualAllocEx(process.hProcess, nullptr, 4096,
                                                           MEM_COMMIT, PAGE_EXECUTE_READWRITE));
            WriteProcessMemory(process.hProcess, remoteCall, kCaller, sizeof kCaller, nullptr);
            remoteUser32 = RemoteModule(L"user32.dll");
        }
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        const auto address = reinterpret_cast<ULONG_PTR>(GetProcAddress(user32, function));
        if (remoteCall == nullptr || remoteUser32 == 0 || address == 0) {
            ADD_FAILURE() << "cannot call " << function << " in the program";
            return 0;
        }
        if (arguments.size() > 5) {
            ADD_FAILURE() << function << ": more arguments than the caller passes";
            return 0;
        }
        ULONG_PTR block[6] = {address - reinterpret_cast<ULONG_PTR>(user32) + remoteUser32};
        std::copy(arguments.begin(), arguments.end(), block + 1);
        WriteProcessMemory(process.hProcess, remoteCall + 512, block, sizeof block, nullptr);
        const HANDLE thread = CreateRemoteThread(
            process.hProcess, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(remoteCall),
            remoteCall + 512, 0, nullptr);
        DWORD result = 0;
        if (thread == nullptr || WaitForSingleObject(thread, 5000) != WAIT_OBJECT_0 ||
            !GetExitCodeThread(thread, &result)) {
            ADD_FAILURE() << "the call of " << function << " in the program did not end";
        }
        if (thread != nullptr) {
            CloseHandle(thread);
        }
        return result;
    }

    ULONG_PTR RemoteModule(const wchar_t* name) const {
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process.dwProcessId);
        if (snapshot == INVALID_HANDLE_VALUE) {
            return 0;
        }
        ULONG_PTR base = 0;
        MODULEENTRY32W module = {};
        module.dwSize = sizeof module;
        for (BOOL more = Module32FirstW(snapshot, &module); more && base == 0;
             more = Module32NextW(snapshot, &module)) {
            if (_wcsicmp(module.szModule, name) == 0) {
                base = reinterpret_cast<ULONG_PTR>(module.modBaseAddr);
            }
        }
        CloseHandle(snapshot);
        return base;
    }

    BYTE* remoteCall = nullptr;
    ULONG_PTR remoteUser32 = 0;
};

// Memory in the program's process for messages that carry pointers.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size) : process(process) {
        base =
            static_cast<BYTE*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteMemory() { VirtualFreeEx(process, base, 0, MEM_RELEASE); }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    template <typename Value> LPARAM Put(size_t offset, const Value& value) const {
        WriteProcessMemory(process, base + offset, &value, sizeof value, nullptr);
        return reinterpret_cast<LPARAM>(base + offset);
    }
    template <typename Value> Value Get(size_t offset) const {
        Value value = {};
        ReadProcessMemory(process, base + offset, &value, sizeof value, nullptr);
        return value;
    }
    std::wstring Text(size_t offset) const {
        wchar_t text[260] = {};
        ReadProcessMemory(process, base + offset, text, sizeof text - 2, nullptr);
        return text;
    }
    wchar_t* At(size_t offset) const { return reinterpret_cast<wchar_t*>(base + offset); }

private:
    HANDLE process;
    BYTE* base = nullptr;
};

// The program's Open dialog, driven as a user would: a tap into the name field, typed
// characters, and the commands of its buttons and menus.
class FileDialog {
public:
    FileDialog(Program& program, HWND handle) : program(program), handle(handle) {}

    HWND Control(int id) const { return GetDlgItem(handle, id); }
    HWND List() const { return Control(11000); }
    bool IsOpen() const { return IsWindow(handle) && IsWindowVisible(handle); }

    // The rows of the file list, top to bottom.
    Texts Rows() const {
        Texts rows;
        RemoteMemory memory(program.process.hProcess, 4096);
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

    // The text of the location button on the command bar: the current place or folder.
    std::wstring Location() const {
        RemoteMemory memory(program.process.hProcess, 4096);
        TBBUTTONINFOW info = {};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_TEXT;
        info.pszText = memory.At(1024);
        info.cchText = 260;
        SendMessageW(Control(13300), TB_GETBUTTONINFOW, 35, memory.Put(0, info));
        return memory.Text(1024);
    }

    int View() const {
        return static_cast<int>(GetWindowLongPtrW(List(), GWL_STYLE) & LVS_TYPEMASK);
    }

    bool ButtonEnabled(int command) const {
        const HWND bar = FindWindowExW(handle, nullptr, L"menu_worker", nullptr);
        return SendMessageW(bar, TB_ISBUTTONENABLED, command, 0) != 0;
    }

    // A tap into the name field, everything in it selected, then the text typed.
    void TypeName(const std::wstring& text) const {
        const HWND field = Control(10700);
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

    // A command that opens nothing modal, carried out before this returns.
    void Command(int id) const {
        SendMessageTimeoutW(handle, WM_COMMAND, id, 0, SMTO_BLOCK, 5000, nullptr);
    }

    // OK or Cancel: posted, as they may end the dialog or bring up a message box.
    void Post(int id) const { PostMessageW(handle, WM_COMMAND, id, 0); }

    // Waits for the dialog to end; a message box shown instead is a failure, and answered.
    bool WaitUntilClosed(DWORD milliseconds = 5000) const {
        const bool closed = WaitFor(
            [&] {
                for (const std::wstring& text : program.AnswerMessageBoxes()) {
                    ADD_FAILURE() << "message box: " << text;
                }
                return !IsWindow(handle);
            },
            milliseconds);
        return closed;
    }

    // Clicks a column's header in the Details view.
    void ClickHeader(int column) const {
        const HWND header = reinterpret_cast<HWND>(SendMessageW(List(), LVM_GETHEADER, 0, 0));
        RemoteMemory memory(program.process.hProcess, 256);
        SendMessageW(header, HDM_GETITEMRECT, column, memory.Put(0, RECT{}));
        const RECT rect = memory.Get<RECT>(0);
        const LPARAM middle =
            MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        PostMessageW(header, WM_LBUTTONUP, 0, middle);
    }

    // The row that reads `name`, or -1.
    int RowOf(const std::wstring& name) const {
        const Texts rows = Rows();
        const auto found = std::find(rows.begin(), rows.end(), name);
        return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
    }

    // Selects a row and gives it the focus rectangle, as a tap on it does.
    void ChooseRow(int row) const {
        RemoteMemory memory(program.process.hProcess, 256);
        LVITEMW item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(List(), LVM_SETITEMSTATE, row, memory.Put(0, item));
    }

    // Starts editing a row's name in place, replaces the name with `text` and ends the edit
    // with Enter. False when no edit started.
    bool Rename(int row, const std::wstring& text) const {
        const auto edit = reinterpret_cast<HWND>(SendMessageW(List(), LVM_EDITLABELW, row, 0));
        if (edit == nullptr) {
            return false;
        }
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        PressEnter(edit);
        return true;
    }

    // The edit of a name in place, or null.
    HWND LabelEdit() const {
        return reinterpret_cast<HWND>(SendMessageW(List(), LVM_GETEDITCONTROL, 0, 0));
    }

    static void PressEnter(HWND window) {
        PostMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageW(window, WM_CHAR, L'\r', 1);
    }

    std::wstring HeaderText(int column) const {
        const HWND header = reinterpret_cast<HWND>(SendMessageW(List(), LVM_GETHEADER, 0, 0));
        RemoteMemory memory(program.process.hProcess, 4096);
        HDITEMW item = {};
        item.mask = HDI_TEXT;
        item.pszText = memory.At(1024);
        item.cchTextMax = 260;
        SendMessageW(header, HDM_GETITEMW, column, memory.Put(0, item));
        return memory.Text(1024);
    }

    Program& program;
    HWND handle;
};

// Keeps the prefix's registry as it was: the remembered path, the language toggle and the
// screen resolution.
class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        RegistryKey settings(HKEY_CURRENT_USER);
        if (settings.Open(kSettingsKey) == ERROR_SUCCESS) {
            DWORD size = sizeof savedPath;
            hadPath = settings.ReadString(L"ini", savedPath, size) == ERROR_SUCCESS;
        }
        file = std::make_unique<TempDefinitionFile>(
            "[Length]\r\n\"m\" = 1\r\n\"km\" = 1000\r\n\"inch\" = 0.0254\r\n[Nothing]\r\n");
        Remember(file->Path());
    }

    void TearDown() override {
        if (hadPath) {
            Remember(savedPath);
        }
        RegistryKey maker(HKEY_CURRENT_USER);
        if (maker.Open(kMakerKey) == ERROR_SUCCESS) {
            RegDeleteValueW(maker.Handle(), L"LangToggle");
        }
        SetDpi(96);
    }

    static void Remember(const wchar_t* path) {
        RegistryKey settings(HKEY_CURRENT_USER);
        settings.Create(kSettingsKey);
        settings.WriteString(L"ini", path);
    }

    static std::wstring Remembered() {
        RegistryKey settings(HKEY_CURRENT_USER);
        wchar_t path[MAX_PATH] = {};
        DWORD size = sizeof path;
        if (settings.Open(kSettingsKey) == ERROR_SUCCESS) {
            settings.ReadString(L"ini", path, size);
        }
        return path;
    }

    static void SetLangToggle(DWORD value) {
        RegistryKey maker(HKEY_CURRENT_USER);
        maker.Create(kMakerKey);
        RegSetValueExW(maker.Handle(), L"LangToggle", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&value), sizeof value);
    }

    static void SetDpi(DWORD dpi) {
        RegistryKey desktop(HKEY_CURRENT_USER);
        desktop.Create(L"Control Panel\\Desktop");
        RegSetValueExW(desktop.Handle(), L"LogPixels", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }

    std::unique_ptr<TempDefinitionFile> file;
    wchar_t savedPath[MAX_PATH] = {};
    bool hadPath = false;
};

TEST_F(EndToEnd, ConvertsAsAUserTypesAndTaps) {
    if (GetUserDefaultLangID() == 0x0411) {
        GTEST_SKIP() << "English run only";
    }
    Program program;
    ASSERT_NE(nullptr, program.window);
    EXPECT_EQ((Texts{L"Temp", L"Time", L"Length", L"Nothing"}), program.TabTexts());

    // The fixed pages start at 0 degrees Celsius and one second.
    const HWND temperature = program.ShowPage(0);
    EXPECT_EQ((Texts{L"0", L"32", L"273.15"}), Program::Rows(temperature));
    const HWND time = program.ShowPage(1);
    EXPECT_EQ((Texts{L"1", L"0.0166667", L"0.000277778", L"1.15741e-05", L"3.16888e-08"}),
              Program::Rows(time));

    // -40 in the Fahrenheit row, committed with Enter.
    program.ShowPage(0);
    Program::Type(temperature, 1, L"-40\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(temperature)[2] == L"233.15"; }));
    EXPECT_EQ((Texts{L"-40", L"-40", L"233.15"}), Program::Rows(temperature));
    EXPECT_EQ(GetDlgItem(temperature, 10701), program.Focus());

    // The day label: one day in every unit.
    program.ShowPage(1);
    Program::TapLabel(time, 3);
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(time)[0] == L"86400"; }));
    EXPECT_EQ((Texts{L"86400", L"1440", L"24", L"1", L"0.00273791"}), Program::Rows(time));

    // 2 in the km row; letters are filtered out while typing.
    const HWND length = program.ShowPage(2);
    Program::Type(length, 1, L"2x\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length)[0] == L"2000"; }));
    EXPECT_EQ((Texts{L"2000", L"2", L"78740.2"}), Program::Rows(length));

    // Tab from the last row goes back to the tabs; Tab on the tabs into the first row.
    Program::Type(length, 2, L"\t");
    EXPECT_TRUE(WaitFor([&] { return program.Focus() == program.Tabs(); }));
    SendMessageW(program.Tabs(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetDlgItem(length, 10700), program.Focus());

    // Copy the metre row, paste into the inch row: it converts from there.
    PostMessageW(program.window, WM_COMMAND, 40201, 0);
    Program::Type(length, 2, L"");
    Program::Type(length, 2, L"7\r"); // focus the inch row
    PostMessageW(program.window, WM_COMMAND, 40202, 0);
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length)[2] == L"2000"; }));
    EXPECT_EQ((Texts{L"50.8", L"0.0508", L"2000"}), Program::Rows(length));

    // A page without rows.
    const HWND nothing = program.ShowPage(3);
    EXPECT_TRUE(Program::Rows(nothing).empty());

    // Exit ends with 0 and writes the remembered path.
    Remember(L"overwritten at exit");
    PostMessageW(program.window, WM_COMMAND, 40102, 0);
    EXPECT_EQ(0u, program.WaitForExit());
    EXPECT_EQ(std::wstring(file->Path()), Remembered());
}

TEST_F(EndToEnd, HelpKeyOpensTheAboutBox) {
    const bool japaneseDevice = GetUserDefaultLangID() == 0x0411;
    const wchar_t* caption = japaneseDevice ? L"ﾊﾞｰｼﾞｮﾝ情報..." : L"About...";
    Program program;
    ASSERT_NE(nullptr, program.window);
    PostMessageW(program.Focus(), WM_KEYDOWN, VK_F1, 1);
    HWND about = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (about = FindWindowW(nullptr, caption)) != nullptr; }));
    HWND page = nullptr;
    WaitFor([&] {
        page = reinterpret_cast<HWND>(SendMessageW(about, PSM_GETCURRENTPAGEHWND, 0, 0));
        return page != nullptr && TextOf(GetDlgItem(page, 11902)) == L"Version 0.80";
    });
    EXPECT_EQ(L"Mensurio", TextOf(GetDlgItem(page, 11901)));
    EXPECT_EQ(L"Version 0.80", TextOf(GetDlgItem(page, 11902)));
    // The memory and battery pages paint the device's figures.
    SendMessageW(about, PSM_SETCURSEL, 2, 0);
    EXPECT_NE(page, reinterpret_cast<HWND>(SendMessageW(about, PSM_GETCURRENTPAGEHWND, 0, 0)));

    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(program.process.hProcess, 0));
}

TEST_F(EndToEnd, SecondInstanceBringsTheFirstToTheFrontAndEnds) {
    Program first;
    ASSERT_NE(nullptr, first.window);
    Program second;
    EXPECT_EQ(0u, second.WaitForExit());
    EXPECT_EQ(first.window, FindWindowW(L"Mensurio", nullptr));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(first.process.hProcess, 0));
}

TEST_F(EndToEnd, LangToggleInvertsTheDevicesLanguage) {
    const bool japaneseDevice = GetUserDefaultLangID() == 0x0411;
    {
        Program program;
        EXPECT_EQ(japaneseDevice ? L"温度" : L"Temp", program.TabTexts().at(0));
    }
    SetLangToggle(1);
    {
        Program program;
        EXPECT_EQ(japaneseDevice ? L"Temp" : L"温度", program.TabTexts().at(0));
    }
    SetLangToggle(0);
    {
        Program program;
        EXPECT_EQ(japaneseDevice ? L"温度" : L"Temp", program.TabTexts().at(0));
    }
}

TEST_F(EndToEnd, HighResolutionUsesTheLargeButtonImages) {
    if (GetUserDefaultLangID() == 0x0411) {
        GTEST_SKIP() << "English run only";
    }
    {
        Program program;
        const RECT button = program.FirstButton();
        EXPECT_EQ(16 + 10, button.right - button.left); // bitmap 2001 at 96 DPI
    }
    SetDpi(192);
    {
        Program program;
        const RECT button = program.FirstButton();
        EXPECT_EQ(32 + 20, button.right - button.left); // bitmap 2002 at 192 DPI
    }
}

// A folder of the program's folder with .ini files of sizes unlike their names' order, a
// subfolder and a file of another type; removed again with the object.
class SortFolder {
public:
    static constexpr wchar_t kName[] = L"sort check";

    SortFolder() : path(HostProgramFolder() + L"\\" + kName) {
        Remove();
        CreateDirectoryW(path.c_str(), nullptr);
        CreateDirectoryW((path + L"\\sub").c_str(), nullptr);
        Write(L"alpha.ini", 20);
        Write(L"beta.ini", 300);
        Write(L"delta.ini", 4000);
        Write(L"gamma.ini", 1);
        Write(L"other.txt", 50);
    }
    ~SortFolder() { Remove(); }
    SortFolder(const SortFolder&) = delete;
    SortFolder& operator=(const SortFolder&) = delete;

private:
    void Write(const wchar_t* name, size_t size) const {
        const HANDLE file = CreateFileW((path + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, 0, nullptr);
        const std::string bytes(size, 'x');
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(size), &written, nullptr);
        CloseHandle(file);
    }

    void Remove() const { TempFolder::RemoveTree(path); }

    std::wstring path;
};

// First start without a remembered file asks for one; the choice is remembered, and
// File > Open... replaces the category pages while the fixed pages keep their values.
TEST_F(EndToEnd, OpenDialogChoosesTheDefinitionFileAndReplacesThePages) {
    const bool japanese = GetUserDefaultLangID() == 0x0411;
    const std::wstring temp = japanese ? L"温度" : L"Temp";
    const std::wstring time = japanese ? L"時間" : L"Time";
    const std::wstring folder = DeviceProgramFolder();
    const std::vector<std::wstring> englishSections =
        SectionNames(HostProgramFolder() + L"\\units.ini");
    const std::vector<std::wstring> japaneseSections =
        SectionNames(HostProgramFolder() + L"\\units_ja.ini");
    ASSERT_EQ(L"Length", englishSections.at(0));
    ASSERT_FALSE(japaneseSections.empty());
    Texts englishTabs = {temp, time};
    englishTabs.insert(englishTabs.end(), englishSections.begin(), englishSections.end());
    Texts japaneseTabs = {temp, time};
    japaneseTabs.insert(japaneseTabs.end(), japaneseSections.begin(), japaneseSections.end());

    RegistryKey settings(HKEY_CURRENT_USER);
    ASSERT_EQ(ERROR_SUCCESS, settings.Open(kSettingsKey));
    RegDeleteValueW(settings.Handle(), L"ini");
    settings.Close();
    {
        Program program;
        ASSERT_NE(nullptr, program.window);
        HWND handle = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (handle = program.OpenDialog()) != nullptr; }));
        FileDialog dialog(program, handle);
        EXPECT_EQ(japanese ? L"開く" : L"Open", TextOf(handle));
        EXPECT_EQ(program.window, GetWindow(handle, GW_OWNER));

        // The program's folder in the List view: its folders and .ini files, folders first.
        EXPECT_EQ(LastComponent(folder), dialog.Location());
        EXPECT_EQ(LVS_LIST, dialog.View());
        const Texts rows = dialog.Rows();
        EXPECT_EQ(IniListing(HostProgramFolder()), Sorted(rows));
        EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), L"units.ini"));
        EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), L"units_ja.ini"));
        EXPECT_TRUE(std::is_partitioned(rows.begin(), rows.end(),
                                        [](const std::wstring& row) { return !EndsWithIni(row); }));
        EXPECT_EQ(japanese ? L"定義ﾌｧｲﾙ(*.ini)" : L"INI Files(*.ini)",
                  TextOf(dialog.Control(10400)));
        EXPECT_EQ(2, SendMessageW(dialog.Control(10400), CB_GETCOUNT, 0, 0));
        EXPECT_EQ(L"", TextOf(dialog.Control(10700)));

        // A name that is not there is said so, and the dialog stays; a name is looked for
        // with the default extension: "units" opens units.ini.
        dialog.TypeName(L"nothing");
        dialog.Post(IDOK);
        EXPECT_TRUE(WaitFor([&] { return program.MessageBoxWindow() != nullptr; }));
        const Texts boxes = program.AnswerMessageBoxes();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_NE(std::wstring::npos, boxes[0].find(L"\\nothing.ini"));
        EXPECT_FALSE(dialog.WaitUntilClosed(200));
        dialog.TypeName(L"units");
        dialog.Post(IDOK);
        ASSERT_TRUE(dialog.WaitUntilClosed());
        EXPECT_TRUE(
            WaitFor([&] { return program.TabCount() == static_cast<int>(englishTabs.size()); }));
        EXPECT_EQ(englishTabs, program.TabTexts());
        const Texts menu = program.UnitMenuItems();
        ASSERT_EQ(englishTabs.size(), menu.size());
        EXPECT_EQ(englishSections, Texts(menu.begin() + 2, menu.end()));
        EXPECT_EQ(0, SendMessageW(program.Tabs(), TCM_GETCURSEL, 0, 0));

        // 1 km in metres.
        const HWND length = program.ShowPage(2);
        Program::Type(length, 1, L"1\r");
        EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(0) == L"1000"; }));
        EXPECT_EQ(L"1", Program::Rows(length).at(1));

        PostMessageW(program.window, WM_COMMAND, 40102, 0);
        EXPECT_EQ(0u, program.WaitForExit());
        EXPECT_EQ(folder + L"\\units.ini", Remembered());
    }
    {
        Program program;
        ASSERT_NE(nullptr, program.window);
        // Any dialog asked for at start would be up before a command posted after it runs.
        PostMessageW(program.window, WM_COMMAND, 40302, 0);
        EXPECT_TRUE(
            WaitFor([&] { return SendMessageW(program.Tabs(), TCM_GETCURSEL, 0, 0) == 1; }));
        EXPECT_EQ(nullptr, program.OpenDialog());
        EXPECT_EQ(englishTabs, program.TabTexts());
        const Texts menuBefore = program.UnitMenuItems();
        ASSERT_EQ(englishTabs.size(), menuBefore.size());

        // Values on the fixed pages: 100 degrees Celsius, one day.
        const HWND temperature = program.ShowPage(0);
        Program::Type(temperature, 0, L"100\r");
        EXPECT_TRUE(WaitFor([&] { return Program::Rows(temperature).at(2) == L"373.15"; }));
        const Texts temperatureRows = {L"100", L"212", L"373.15"};
        EXPECT_EQ(temperatureRows, Program::Rows(temperature));
        const HWND timePage = program.ShowPage(1);
        Program::TapLabel(timePage, 3);
        EXPECT_TRUE(WaitFor([&] { return Program::Rows(timePage).at(0) == L"86400"; }));
        const Texts timeRows = Program::Rows(timePage);

        // File > Open..., the other sample file.
        PostMessageW(program.window, WM_COMMAND, 40101, 0);
        HWND handle = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (handle = program.OpenDialog()) != nullptr; }));
        FileDialog dialog(program, handle);
        EXPECT_EQ(LastComponent(folder), dialog.Location());
        dialog.TypeName(L"units_ja.ini");
        dialog.Post(IDOK);
        ASSERT_TRUE(dialog.WaitUntilClosed());
        EXPECT_TRUE(
            WaitFor([&] { return program.TabCount() == static_cast<int>(japaneseTabs.size()); }));
        EXPECT_EQ(japaneseTabs, program.TabTexts());
        const Texts menu = program.UnitMenuItems();
        ASSERT_EQ(japaneseTabs.size(), menu.size());
        EXPECT_EQ(Texts(menuBefore.begin(), menuBefore.begin() + 2),
                  Texts(menu.begin(), menu.begin() + 2));
        EXPECT_EQ(japaneseSections, Texts(menu.begin() + 2, menu.end()));
        EXPECT_EQ(0, SendMessageW(program.Tabs(), TCM_GETCURSEL, 0, 0));
        EXPECT_EQ(temperature, program.ShowPage(0));
        EXPECT_EQ(temperatureRows, Program::Rows(temperature));
        EXPECT_EQ(timePage, program.ShowPage(1));
        EXPECT_EQ(timeRows, Program::Rows(timePage));

        // The new file's first page converts: 1 kilometre in metres.
        const HWND length = program.ShowPage(2);
        Program::Type(length, 1, L"1\r");
        EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(0) == L"1000"; }));
        const Texts lengthRows = Program::Rows(length);

        // Open... again, then Cancel: nothing changes.
        PostMessageW(program.window, WM_COMMAND, 40101, 0);
        ASSERT_TRUE(WaitFor([&] { return (handle = program.OpenDialog()) != nullptr; }));
        FileDialog cancelled(program, handle);
        cancelled.Post(IDCANCEL);
        ASSERT_TRUE(cancelled.WaitUntilClosed());
        EXPECT_EQ(2, SendMessageW(program.Tabs(), TCM_GETCURSEL, 0, 0));
        EXPECT_EQ(length, program.VisiblePage());
        EXPECT_EQ(lengthRows, Program::Rows(length));
        EXPECT_EQ(japaneseTabs, program.TabTexts());
        EXPECT_EQ(menu, program.UnitMenuItems());
        EXPECT_EQ(temperatureRows, Program::Rows(program.ShowPage(0)));
        EXPECT_EQ(timeRows, Program::Rows(program.ShowPage(1)));

        PostMessageW(program.window, WM_COMMAND, 40102, 0);
        EXPECT_EQ(0u, program.WaitForExit());
        EXPECT_EQ(folder + L"\\units_ja.ini", Remembered());
    }
}

// In the Open dialog: a place typed by name, Back, a folder typed by name, the four views,
// sorting by size from the menu and from the header, Up, and Cancel.
TEST_F(EndToEnd, OpenDialogNavigatesShowsViewsAndSorts) {
    const bool japanese = GetUserDefaultLangID() == 0x0411;
    const std::wstring desktop = japanese ? L"ﾃﾞｽｸﾄｯﾌﾟ" : L"Desktop";
    const std::wstring myDocuments = japanese ? L"ﾏｲ ﾄﾞｷｭﾒﾝﾄ" : L"My Documents";
    const std::wstring myDevice = japanese ? L"ﾏｲ ﾃﾞﾊﾞｲｽ" : L"My Device";
    const std::wstring programFolder = LastComponent(DeviceProgramFolder());
    const SortFolder sortFolder;
    Program program;
    ASSERT_NE(nullptr, program.window);
    const Texts tabs = program.TabTexts();
    PostMessageW(program.window, WM_COMMAND, 40101, 0);
    HWND handle = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (handle = program.OpenDialog()) != nullptr; }));
    FileDialog dialog(program, handle);
    EXPECT_EQ(programFolder, dialog.Location());
    EXPECT_FALSE(dialog.ButtonEnabled(30)); // Back

    // The location menu's first item: the Desktop, with its two places.
    dialog.Command(38000);
    EXPECT_EQ(desktop, dialog.Location());
    EXPECT_EQ((Texts{myDevice, myDocuments}), dialog.Rows());
    EXPECT_TRUE(dialog.ButtonEnabled(30));
    EXPECT_FALSE(dialog.ButtonEnabled(32)); // Up

    // A place's name typed on the Desktop goes there.
    dialog.TypeName(myDocuments);
    dialog.Post(IDOK);
    EXPECT_TRUE(WaitFor([&] { return dialog.Location() == myDocuments; })) << dialog.Location();
    EXPECT_TRUE(dialog.IsOpen());
    EXPECT_TRUE(dialog.ButtonEnabled(32));

    // Back twice: the Desktop, then the program's folder, where Back ends.
    dialog.Command(30);
    EXPECT_EQ(desktop, dialog.Location());
    dialog.Command(30);
    EXPECT_EQ(programFolder, dialog.Location());
    EXPECT_FALSE(dialog.ButtonEnabled(30));

    // A folder's name goes into it: the subfolder first, then the .ini files by name.
    dialog.TypeName(SortFolder::kName);
    dialog.Post(IDOK);
    EXPECT_TRUE(WaitFor([&] { return dialog.Location() == SortFolder::kName; }))
        << dialog.Location();
    ASSERT_TRUE(dialog.IsOpen());
    EXPECT_EQ((Texts{L"sub", L"alpha.ini", L"beta.ini", L"delta.ini", L"gamma.ini"}),
              dialog.Rows());

    // The views: large icons, small icons, list, details.
    const std::pair<int, int> views[] = {
        {50, LVS_ICON}, {51, LVS_SMALLICON}, {52, LVS_LIST}, {53, LVS_REPORT}};
    for (const auto& [command, style] : views) {
        dialog.Command(command);
        EXPECT_EQ(style, dialog.View()) << "view command " << command;
        EXPECT_EQ(5, SendMessageW(dialog.List(), LVM_GETITEMCOUNT, 0, 0));
    }

    // Sort by Size, ascending, then the other way round; a click on the Size header turns
    // it round again.
    const Texts bySize = {L"sub", L"gamma.ini", L"alpha.ini", L"beta.ini", L"delta.ini"};
    dialog.Command(56);
    EXPECT_EQ(bySize, dialog.Rows());
    dialog.Command(56);
    EXPECT_EQ(Texts(bySize.rbegin(), bySize.rend()), dialog.Rows());
    EXPECT_EQ(japanese ? L"ｻｲｽﾞ" : L"Size", dialog.HeaderText(1));
    dialog.ClickHeader(1);
    EXPECT_TRUE(WaitFor([&] { return dialog.Rows() == bySize; })) << Joined(dialog.Rows());
    dialog.Command(54);
    EXPECT_EQ((Texts{L"sub", L"alpha.ini", L"beta.ini", L"delta.ini", L"gamma.ini"}),
              dialog.Rows());

    // Up: the program's folder again; Cancel leaves the pages as they were.
    dialog.Command(32);
    EXPECT_EQ(programFolder, dialog.Location());
    EXPECT_EQ(IniListing(HostProgramFolder()), Sorted(dialog.Rows()));
    dialog.Post(IDCANCEL);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(tabs, program.TabTexts());
    PostMessageW(program.window, WM_COMMAND, 40102, 0);
    EXPECT_EQ(0u, program.WaitForExit());
    EXPECT_EQ(std::wstring(file->Path()), Remembered());
}

// A folder of the program's folder for the file commands: an empty subfolder, .ini files to
// rename and delete and a file without an extension; removed with all it holds again.
class ManageFolder {
public:
    static constexpr wchar_t kName[] = L"manage check";

    ManageFolder() : path(HostProgramFolder() + L"\\" + kName) {
        TempFolder::RemoveTree(path);
        CreateDirectoryW(path.c_str(), nullptr);
        CreateDirectoryW(Path(L"inner").c_str(), nullptr);
        for (const wchar_t* name : {L"free.ini", L"held.ini", L"old.ini", L"plain"}) {
            const HANDLE file = CreateFileW(Path(name).c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            WriteFile(file, "[Nothing]\r\n", 11, &written, nullptr);
            CloseHandle(file);
        }
    }
    ~ManageFolder() { TempFolder::RemoveTree(path); }
    ManageFolder(const ManageFolder&) = delete;
    ManageFolder& operator=(const ManageFolder&) = delete;

    std::wstring Path(const std::wstring& name) const { return path + L"\\" + name; }

    bool HasFile(const std::wstring& name) const {
        const DWORD attributes = GetFileAttributesW(Path(name).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool HasFolder(const std::wstring& name) const {
        const DWORD attributes = GetFileAttributesW(Path(name).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    // Everything in the folder, sorted.
    Texts Contents() const {
        Texts names;
        WIN32_FIND_DATAW found;
        const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) {
            return names;
        }
        do {
            if (wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0) {
                names.push_back(found.cFileName);
            }
        } while (FindNextFileW(find, &found));
        FindClose(find);
        return Sorted(names);
    }

private:
    std::wstring path;
};

// Whether a folder of that name can be made (and it is removed again).
bool CanMakeFolder(const std::wstring& path) {
    if (!CreateDirectoryW(path.c_str(), nullptr)) {
        return false;
    }
    RemoveDirectoryW(path.c_str());
    return true;
}

// A file held open by this process with no sharing, as a program that uses it would.
class HeldFile {
public:
    explicit HeldFile(const std::wstring& path)
        : handle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool IsHeld() const { return handle != INVALID_HANDLE_VALUE; }
    void Release() {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
            handle = INVALID_HANDLE_VALUE;
        }
    }

private:
    HANDLE handle;
};

// In the Open dialog: the location menu and a step up it, renaming in place, new folders,
// deleting with its question (No, Yes, and a file in use), and the default extension
// added to a typed name.
TEST_F(EndToEnd, OpenDialogManagesFiles) {
    const bool japanese = GetUserDefaultLangID() == 0x0411;
    const std::wstring desktop = japanese ? L"ﾃﾞｽｸﾄｯﾌﾟ" : L"Desktop";
    const std::wstring myDevice = japanese ? L"ﾏｲ ﾃﾞﾊﾞｲｽ" : L"My Device";
    const std::wstring newFolder = japanese ? L"新しいフォルダ" : L"New Folder";
    const std::wstring secondNewFolder = newFolder + L" (2)";
    const std::wstring deviceFolder = DeviceProgramFolder() + L"\\" + ManageFolder::kName;
    const ManageFolder folder;
    Program program;
    ASSERT_NE(nullptr, program.window);
    const Texts fixedTabs = {japanese ? L"温度" : L"Temp", japanese ? L"時間" : L"Time"};
    PostMessageW(program.window, WM_COMMAND, 40101, 0);
    HWND handle = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (handle = program.OpenDialog()) != nullptr; }));
    FileDialog dialog(program, handle);

    // A path below the current folder, typed, goes there.
    dialog.TypeName(std::wstring(ManageFolder::kName) + L"\\inner");
    dialog.Post(IDOK);
    ASSERT_TRUE(WaitFor([&] { return dialog.Location() == L"inner"; })) << dialog.Location();
    EXPECT_TRUE(dialog.Rows().empty()) << Joined(dialog.Rows());

    // The location menu: the Desktop, then every folder of the path, each indented one blank
    // more than the one above, the current folder checked; the n-th item's command is the
    // n-th ancestor's.
    Texts expected = {desktop, L" " + myDevice};
    const std::wstring innerPath = deviceFolder + L"\\inner";
    for (size_t start = 1; start < innerPath.size();) {
        size_t end = innerPath.find(L'\\', start);
        if (end == std::wstring::npos) {
            end = innerPath.size();
        }
        expected.push_back(std::wstring(expected.size(), L' ') +
                           innerPath.substr(start, end - start));
        start = end + 1;
    }
    ASSERT_GE(expected.size(), 5u); // the Desktop, My Device and at least three folders
    dialog.Post(35);
    HWND menuWindow = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menuWindow = program.PopupMenuWindow()) != nullptr; }));
    const auto menu = static_cast<ULONG_PTR>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    EXPECT_NE(0u, menu);
    const std::vector<Program::MenuItem> items = program.MenuItems(menu);
    Texts texts;
    for (size_t index = 0; index < items.size(); ++index) {
        texts.push_back(items[index].text);
        EXPECT_EQ(38000 + index, items[index].command) << "location menu item " << index;
        EXPECT_EQ(index + 1 == items.size(), items[index].checked)
            << "location menu item " << index;
    }
    EXPECT_EQ(expected, texts) << Joined(texts);
    PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!WaitFor([&] { return program.PopupMenuWindow() == nullptr; }, 5000)) {
        ADD_FAILURE() << "Escape did not close the location menu";
        PostMessageW(handle, WM_CANCELMODE, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return program.PopupMenuWindow() == nullptr; }, 5000));
    }
    EXPECT_EQ(L"inner", dialog.Location());
    dialog.Command(38000 + static_cast<int>(expected.size()) - 2);
    EXPECT_EQ(ManageFolder::kName, dialog.Location());
    EXPECT_EQ((Texts{L"inner", L"free.ini", L"held.ini", L"old.ini"}), dialog.Rows());
    EXPECT_TRUE(dialog.ButtonEnabled(30)); // Back

    // Renaming in place, in the Details view: a name with a character that file names cannot
    // have gets a message that lists them all, and the file keeps its name; a good name
    // renames the file and its row.
    dialog.Command(53);
    ASSERT_EQ(LVS_REPORT, dialog.View());
    const int oldRow = dialog.RowOf(L"old.ini");
    ASSERT_LE(0, oldRow);
    ASSERT_TRUE(dialog.Rename(oldRow, L"a:b.ini")) << "no edit of the name in place";
    EXPECT_TRUE(WaitFor([&] { return program.MessageBoxWindow() != nullptr; }))
        << "no message about the colon";
    const Texts refusals = program.AnswerMessageBoxes();
    ASSERT_EQ(1u, refusals.size());
    EXPECT_NE(std::wstring::npos, refusals[0].find(L"\\/:,;*?\"<>|")) << refusals[0];
    EXPECT_NE(std::wstring::npos,
              refusals[0].find(japanese ? L"ﾌｧｲﾙ名には次の文字は使えません。" : L"Invalid chars"))
        << refusals[0];
    EXPECT_TRUE(WaitFor([&] { return dialog.LabelEdit() == nullptr; }));
    EXPECT_EQ(L"old.ini", dialog.Rows().at(oldRow));
    EXPECT_TRUE(folder.HasFile(L"old.ini"));
    ASSERT_TRUE(dialog.Rename(oldRow, L"new.ini")) << "no edit of the name in place";
    EXPECT_TRUE(WaitFor(
        [&] { return dialog.LabelEdit() == nullptr || program.MessageBoxWindow() != nullptr; }));
    for (const std::wstring& text : program.AnswerMessageBoxes()) {
        ADD_FAILURE() << "message box: " << text;
    }
    EXPECT_TRUE(folder.HasFile(L"new.ini"));
    EXPECT_FALSE(folder.HasFile(L"old.ini"));
    EXPECT_EQ(L"new.ini", dialog.Rows().at(oldRow));

    // New Folder: the folder is made, its row is the last, and its name is open for editing;
    // Enter keeps the name. The next new folder is numbered; Escape keeps its name too.
    // Wine keeps file names in the host's character set: without the Japanese locale on the
    // host the Japanese name cannot be made, and the program must say so and add no row.
    const size_t rowCount = dialog.Rows().size();
    ASSERT_TRUE(dialog.ButtonEnabled(33));
    const bool namesFit = CanMakeFolder(folder.Path(newFolder));
    if (!namesFit) {
        std::printf("note: the host cannot store the Japanese new folder name; New Folder "
                    "is checked to fail with a message\n");
        dialog.Post(33);
        EXPECT_TRUE(WaitFor([&] { return program.MessageBoxWindow() != nullptr; }));
        const Texts boxes = program.AnswerMessageBoxes();
        EXPECT_EQ(1u, boxes.size()) << Joined(boxes);
        EXPECT_EQ(rowCount, dialog.Rows().size());
        EXPECT_EQ(nullptr, dialog.LabelEdit());
    } else {
        dialog.Command(33);
        Texts rows = dialog.Rows();
        ASSERT_EQ(rowCount + 1, rows.size());
        EXPECT_EQ(newFolder, rows.back());
        EXPECT_TRUE(folder.HasFolder(newFolder));
        HWND edit = dialog.LabelEdit();
        ASSERT_NE(nullptr, edit) << "the new folder's name is not open for editing";
        EXPECT_EQ(newFolder, TextOf(edit));
        FileDialog::PressEnter(edit);
        EXPECT_TRUE(WaitFor([&] {
            return dialog.LabelEdit() == nullptr || program.MessageBoxWindow() != nullptr;
        }));
        for (const std::wstring& text : program.AnswerMessageBoxes()) {
            ADD_FAILURE() << "message box after Enter on the new folder's name: " << text;
        }
        EXPECT_TRUE(folder.HasFolder(newFolder));
        EXPECT_EQ(newFolder, dialog.Rows().back());
        dialog.Command(33);
        rows = dialog.Rows();
        ASSERT_EQ(rowCount + 2, rows.size());
        EXPECT_EQ(secondNewFolder, rows.back());
        EXPECT_TRUE(folder.HasFolder(secondNewFolder));
        edit = dialog.LabelEdit();
        ASSERT_NE(nullptr, edit) << "the new folder's name is not open for editing";
        PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
        EXPECT_TRUE(WaitFor([&] { return dialog.LabelEdit() == nullptr; }));
        EXPECT_TRUE(folder.HasFolder(secondNewFolder));
        EXPECT_EQ(secondNewFolder, dialog.Rows().back());
    }

    // Delete. The converter asks for a single file, so the list selects one row at a time;
    // the operation asks about the file: No keeps it, Yes deletes it and its row goes.
    EXPECT_TRUE(GetWindowLongPtrW(dialog.List(), GWL_STYLE) & LVS_SINGLESEL);
    const auto deleteChosen = [&](const std::wstring& name, int answer) {
        const int row = dialog.RowOf(name);
        if (row < 0) {
            ADD_FAILURE() << "no row " << name;
            return false;
        }
        dialog.ChooseRow(row);
        EXPECT_TRUE(WaitFor([&] { return TextOf(dialog.Control(10700)) == name; }))
            << "the chosen row's name is not in the name field";
        dialog.Post(38);
        HWND question = nullptr;
        if (!WaitFor([&] { return (question = program.QuestionWindow()) != nullptr; })) {
            ADD_FAILURE() << "no question before deleting " << name;
            return false;
        }
        EXPECT_EQ(japanese ? L"ﾌｧｲﾙ削除の確認" : L"Confirm file delete", TextOf(question));
        EXPECT_EQ(japanese ? L"'" + name + L"' を削除してもよろしいですか?"
                           : L"Are you sure you want to delete '" + name + L"'?",
                  TextOf(GetDlgItem(question, 11901)));
        PostMessageW(question, WM_COMMAND, answer, 0);
        return WaitFor([&] { return !IsWindow(question); }, 5000);
    };
    const auto operationEnded = [&] {
        return program.QuestionWindow() == nullptr && program.ProgressWindow() == nullptr;
    };
    Texts rows = dialog.Rows();
    ASSERT_TRUE(deleteChosen(L"free.ini", IDNO));
    EXPECT_TRUE(WaitFor(operationEnded));
    for (const std::wstring& text : program.AnswerMessageBoxes()) {
        ADD_FAILURE() << "message box after No: " << text;
    }
    EXPECT_TRUE(folder.HasFile(L"free.ini")) << "No deleted the file";
    EXPECT_EQ(rows, dialog.Rows());
    ASSERT_TRUE(deleteChosen(L"free.ini", IDYES));
    EXPECT_TRUE(WaitFor(operationEnded));
    for (const std::wstring& text : program.AnswerMessageBoxes()) {
        ADD_FAILURE() << "message box after Yes: " << text;
    }
    EXPECT_FALSE(folder.HasFile(L"free.ini")) << "Yes left the file";
    rows.erase(std::find(rows.begin(), rows.end(), L"free.ini"));
    EXPECT_EQ(rows, dialog.Rows());

    // A file in use: Yes, then a message says it could not be deleted; file and row stay.
    HeldFile held(folder.Path(L"held.ini"));
    ASSERT_TRUE(held.IsHeld());
    ASSERT_TRUE(deleteChosen(L"held.ini", IDYES));
    EXPECT_TRUE(WaitFor([&] { return program.MessageBoxWindow() != nullptr; }))
        << "no message about the file in use";
    const Texts failures = program.AnswerMessageBoxes();
    ASSERT_EQ(1u, failures.size());
    EXPECT_EQ(0u, failures[0].find(japanese ? L"ｴﾗｰ:" : L"Error:")) << failures[0];
    EXPECT_TRUE(WaitFor(operationEnded));
    held.Release();
    EXPECT_TRUE(folder.HasFile(L"held.ini"));
    EXPECT_EQ(rows, dialog.Rows());

    // A name without an extension that exists as typed, with no such name with the default
    // extension beside it, is the file the user means: the program loads plain itself.
    dialog.TypeName(L"plain");
    dialog.Post(IDOK);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    Texts plainTabs = fixedTabs;
    plainTabs.push_back(L"Nothing");
    EXPECT_TRUE(WaitFor([&] { return program.TabCount() == 3; }));
    EXPECT_EQ(plainTabs, program.TabTexts());
    PostMessageW(program.window, WM_COMMAND, 40102, 0);
    EXPECT_EQ(0u, program.WaitForExit());
    EXPECT_EQ(deviceFolder + L"\\plain", Remembered());

    Texts contents = {L"inner", L"held.ini", L"new.ini", L"plain"};
    if (namesFit) {
        contents.insert(contents.end(), {newFolder, secondNewFolder});
    }
    EXPECT_EQ(Sorted(contents), folder.Contents()) << Joined(folder.Contents());
}

} // namespace
