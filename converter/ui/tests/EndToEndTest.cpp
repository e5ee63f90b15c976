// The real program, started as a process and driven from this one as a user's automation
// would: windows are found by class, typing is posted characters, taps are posted clicks,
// and texts are read back across the process boundary.
#include "converter/definitions/tests/DefinitionFiles.h"
#include "framework/app/RegistryKey.h"
#include "framework/app/tests/HostPath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::wstring>;

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

std::wstring TextOf(HWND window) {
    wchar_t text[300] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 300, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                        nullptr);
    return text;
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

    HWND VisiblePage() const {
        for (HWND child = GetWindow(Tabs(), GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
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

    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
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

} // namespace
