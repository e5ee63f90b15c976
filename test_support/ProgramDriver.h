// The real program, started as a process and driven from this one as a user's automation
// would: windows are found by class and by the controls they hold, typing is posted
// characters, taps are posted clicks, and what the program shows is read back across the
// process boundary: window texts by message, the common controls' items through buffers in
// the program's memory.
#pragma once

#include "Texts.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

// Whether `condition` comes true within `milliseconds`, looked at every 20 ms.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 10000);

// The program's folder as this process reaches it ("Z:\work\...") and as the program names
// it, without the drive: the program's paths have none, like the device's.
std::wstring HostProgramFolder();
std::wstring DeviceProgramFolder();

// The definition file the program remembers (in the registry, read at its start and written
// at its exit), and another one put in its place.
std::wstring RememberedDefinitionFile();
void RememberDefinitionFile(const wchar_t* path);

// Memory in the program's process for messages that carry pointers.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size);
    ~RemoteMemory();
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
    std::wstring Text(size_t offset) const;
    wchar_t* At(size_t offset) const { return reinterpret_cast<wchar_t*>(base + offset); }

private:
    HANDLE process;
    BYTE* base = nullptr;
};

// A running instance of the program, ended with the object if it still runs. Its window
// is null when it did not start, or ended as a second instance does. The program runs under
// this process as its debugger, which sees every exception it raises: a hardware exception
// (an access violation, say) fails the test when the object goes, even where the program's
// platform swallowed it.
class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // A command of the main window's menus, posted as a menu choice is.
    void Post(int command) const;
    // File > Exit; the process's exit code.
    DWORD Exit() const;
    DWORD WaitForExit(DWORD milliseconds = 10000) const;
    bool IsRunning() const;
    // The hardware exceptions the program has raised so far.
    int Faults() const { return faults; }

    HWND Tabs() const;
    int TabCount() const;
    int CurrentTab() const;
    Texts TabTexts() const;
    // Chooses a page from the Unit menu and returns its dialog, shown.
    HWND ShowPage(int index) const;
    // The shown page's dialog.
    HWND VisiblePage() const;
    // The texts of a page's rows.
    static Texts Rows(HWND page);
    // Types into a row as a user would: select all, then one character at a time.
    static void Type(HWND page, int row, const std::wstring& keys);
    static void TapLabel(HWND page, int row);
    HWND Focus() const;
    // The menu bar's first button, measured in the program's process.
    RECT FirstButton() const;

    // The program's visible Open dialog, or null.
    HWND OpenDialog() const;
    // A message box of the program, or null. The delete question and the file operation's
    // progress are not message boxes: an OK posted to the question would answer it.
    HWND MessageBoxWindow() const;
    // The question before files are deleted, or null.
    HWND QuestionWindow() const;
    // The progress dialog of a file operation, or null.
    HWND ProgressWindow() const;
    // A popup menu the program is tracking, or null.
    HWND PopupMenuWindow() const;
    // Answers every message box the program shows with OK and returns their texts, caption
    // first, without the line breaks (CR LF) that fit them to the screen.
    Texts AnswerMessageBoxes() const;

    PROCESS_INFORMATION process = {};
    HWND window = nullptr;

private:
    // Starts the program and serves its debug events until it ends; on the thread that
    // started it, as the platform requires.
    static DWORD WINAPI Debug(void* self);

    HANDLE debugger = nullptr;
    HANDLE started = nullptr;
    DWORD startError = 0;
    std::atomic<int> faults{0};
    std::atomic<DWORD> lastFault{0};

    // The main window's child of the class, or null.
    HWND Child(const wchar_t* className) const;
    // A visible top-level window of the program's process, of the class and accepted.
    HWND FindOwnWindow(const wchar_t* className, const std::function<bool(HWND)>& accept) const;
};

// The program's Open dialog, driven as a user would: a tap into the name field, typed
// characters, and the commands of its buttons and menus.
class FileDialog {
public:
    // The Open dialog the program shows within a few seconds; see IsOpen.
    explicit FileDialog(const Program& program);

    bool IsOpen() const { return IsWindow(handle) && IsWindowVisible(handle); }
    HWND Control(int id) const { return GetDlgItem(handle, id); }
    HWND List() const;
    // The rows of the file list, top to bottom, and the row that reads `name` (or -1).
    Texts Rows() const;
    int RowOf(const std::wstring& name) const;
    // The text of the location button on the command bar: the current place or folder.
    std::wstring Location() const;

    // A tap into the name field, everything in it selected, then the text typed.
    void TypeName(const std::wstring& text) const;
    // The name typed and OK: a place or folder is gone to, a file opened.
    void Take(const std::wstring& text) const;
    // A command that opens nothing modal, carried out before this returns.
    void Command(int id) const;
    // A command posted, as OK and Cancel may end the dialog or bring up a message box.
    void Post(int id) const;
    // Waits for the dialog to end; a message box shown instead is a failure, and answered.
    bool WaitUntilClosed(DWORD milliseconds = 5000) const;
    // Selects a row and gives it the focus rectangle, as a tap on it does.
    void ChooseRow(int row) const;

    const Program& program;
    HWND handle = nullptr;
};
