// The real program driven from this process as a user would drive it: what typing, taps
// and commands do to its pages, what its Open dialog shows and does, and what it remembers.
#include "framework/app/RegistryKey.h"
#include "resources/about_ids.h"
#include "resources/converter_ids.h"
#include "resources/filedialog_ids.h"
#include "resources/fileops_ids.h"
#include "test_support/DefinitionFiles.h"
#include "test_support/PixelCanvas.h"
#include "test_support/ProgramDriver.h"
#include "test_support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Orvintek\\Mensurio";
constexpr wchar_t kMakerKey[] = L"Software\\Orvintek";

std::wstring LastComponent(const std::wstring& path) {
    return path.substr(path.rfind(L'\\') + 1);
}

bool EndsWithIni(const std::wstring& name) {
    return name.size() > 4 && _wcsicmp(name.c_str() + name.size() - 4, L".ini") == 0;
}

// The section names of a definition file in their order, read as the device reads the
// file: bytes in its code page.
Texts SectionNames(const std::wstring& hostPath) {
    Texts names;
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

// The names in a folder, sorted by their code units: all of them, or what the Open dialog
// lists with the *.ini filter (the folders and the .ini files).
Texts Listing(const std::wstring& hostFolder, bool iniFilter = false) {
    Texts names;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((hostFolder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L".." &&
            (!iniFilter || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
             EndsWithIni(name))) {
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

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether a folder of that name can be made (and it is removed again).
bool CanMakeFolder(const std::wstring& path) {
    if (!CreateDirectoryW(path.c_str(), nullptr)) {
        return false;
    }
    RemoveDirectoryW(path.c_str());
    return true;
}

// The prefix's Tahoma moved out of its fonts folder, where the system would find it under
// any name, while the object lives: a program started meanwhile draws in whatever face the
// system gives in its place.
class WithoutTahoma {
public:
    WithoutTahoma() {
        wchar_t windows[MAX_PATH] = {};
        GetWindowsDirectoryW(windows, MAX_PATH);
        wchar_t temporary[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temporary);
        for (const wchar_t* file : {L"tahoma.ttf", L"tahomabd.ttf"}) {
            const std::wstring font = std::wstring(windows) + L"\\Fonts\\" + file;
            const std::wstring aside = std::wstring(temporary) + L"mensurio-aside-" + file;
            // A run killed while the face was away left it aside: it comes back first.
            MoveFileExW(aside.c_str(), font.c_str(), 0);
            if (MoveFileExW(font.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) {
                moved.emplace_back(font, aside);
            }
        }
    }
    bool Moved() const { return !moved.empty(); }
    ~WithoutTahoma() {
        for (const auto& [font, aside] : moved) {
            MoveFileExW(aside.c_str(), font.c_str(), MOVEFILE_REPLACE_EXISTING);
        }
    }
    WithoutTahoma(const WithoutTahoma&) = delete;
    WithoutTahoma& operator=(const WithoutTahoma&) = delete;

private:
    std::vector<std::pair<std::wstring, std::wstring>> moved;
};

// Whether the screen shows a colour somewhere in a rectangle of it.
bool ScreenShows(const RECT& part,
                 const std::function<bool(int red, int green, int blue)>& colour) {
    PixelCanvas shot(part.right - part.left, part.bottom - part.top);
    const HDC screen = GetDC(nullptr);
    BitBlt(shot.dc, 0, 0, shot.width, shot.height, screen, part.left, part.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const std::vector<DWORD> pixels = shot.Pixels();
    return std::any_of(pixels.begin(), pixels.end(), [&](DWORD pixel) {
        return colour((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    });
}

RECT ScreenRect(HWND window, bool client = false) {
    RECT rect = {};
    if (client) {
        GetClientRect(window, &rect);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    } else {
        GetWindowRect(window, &rect);
    }
    return rect;
}

::testing::AssertionResult Inside(const RECT& outer, HWND window) {
    const RECT inner = ScreenRect(window);
    if (inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
        inner.bottom <= outer.bottom) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "'" << TextOf(window) << "' (" << inner.left << ", " << inner.top << ", "
           << inner.right << ", " << inner.bottom << ") reaches past (" << outer.left << ", "
           << outer.top << ", " << outer.right << ", " << outer.bottom << ")";
}

// Answers the message boxes the program shows, each a failure.
void ExpectNoMessageBox(const Program& program, const char* when) {
    for (const std::wstring& text : program.AnswerMessageBoxes()) {
        ADD_FAILURE() << "message box " << when << ": " << text;
    }
}

// Keeps the prefix's registry as it was: the remembered path, the language toggle and the
// screen resolution. Each test starts with a definition file of a Length and an empty page
// remembered.
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
        RememberDefinitionFile(file->Path());
    }

    void TearDown() override {
        if (hadPath) {
            RememberDefinitionFile(savedPath);
        }
        RegistryKey maker(HKEY_CURRENT_USER);
        if (maker.Open(kMakerKey) == ERROR_SUCCESS) {
            RegDeleteValueW(maker.Handle(), L"LangToggle");
        }
        SetDpi(96);
    }

    // As at a first start: no definition file remembered. False when the settings are gone.
    static bool ForgetDefinitionFile() {
        RegistryKey settings(HKEY_CURRENT_USER);
        if (settings.Open(kSettingsKey) != ERROR_SUCCESS) {
            return false;
        }
        RegDeleteValueW(settings.Handle(), L"ini");
        return true;
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

    // The text the program shows in the device's language.
    std::wstring Shown(const wchar_t* english, const wchar_t* japaneseText) const {
        return japanese ? japaneseText : english;
    }

    // The tabs of the fixed pages, then of the sections.
    Texts TabsWith(const Texts& sections) const {
        Texts tabs = {Shown(L"Temp", L"温度"), Shown(L"Time", L"時間")};
        tabs.insert(tabs.end(), sections.begin(), sections.end());
        return tabs;
    }

    const bool japanese = GetUserDefaultLangID() == 0x0411;
    std::unique_ptr<TempDefinitionFile> file;
    wchar_t savedPath[MAX_PATH] = {};
    bool hadPath = false;
};

TEST_F(EndToEnd, FixedPagesStartAtZeroCelsiusAndOneSecond) {
    if (japanese) {
        GTEST_SKIP() << "English run only";
    }
    Program program;
    ASSERT_NE(nullptr, program.window);
    EXPECT_EQ((Texts{L"Temp", L"Time", L"Length", L"Nothing"}), program.TabTexts());
    EXPECT_EQ((Texts{L"0", L"32", L"273.15"}), Program::Rows(program.ShowPage(0)));
    EXPECT_EQ((Texts{L"1", L"0.0166667", L"0.000277778", L"1.15741e-05", L"3.16888e-08"}),
              Program::Rows(program.ShowPage(1)));
    // A page without rows.
    EXPECT_TRUE(Program::Rows(program.ShowPage(3)).empty());
}

TEST_F(EndToEnd, TypingAndLabelTapsConvert) {
    Program program;
    ASSERT_NE(nullptr, program.window);

    // -40 in the Fahrenheit row, committed with Enter.
    const HWND temperature = program.ShowPage(0);
    Program::Type(temperature, 1, L"-40\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(temperature).at(2) == L"233.15"; }));
    EXPECT_EQ((Texts{L"-40", L"-40", L"233.15"}), Program::Rows(temperature));
    EXPECT_EQ(GetDlgItem(temperature, IDC_ROW_EDIT + 1), program.Focus());

    // The day label: one day in every unit.
    const HWND time = program.ShowPage(1);
    Program::TapLabel(time, 3);
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(time).at(0) == L"86400"; }));
    EXPECT_EQ((Texts{L"86400", L"1440", L"24", L"1", L"0.00273791"}), Program::Rows(time));

    // 2 in the km row; letters are filtered out while typing.
    const HWND length = program.ShowPage(2);
    Program::Type(length, 1, L"2x\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(0) == L"2000"; }));
    EXPECT_EQ((Texts{L"2000", L"2", L"78740.2"}), Program::Rows(length));
}

TEST_F(EndToEnd, TabGoesFromTheLastRowToTheTabsAndFromThemToTheFirstRow) {
    Program program;
    ASSERT_NE(nullptr, program.window);
    const HWND length = program.ShowPage(2);
    // The focus in the last row first: the tabs may have it from the start.
    Program::Type(length, 2, L"1\r");
    EXPECT_TRUE(WaitFor([&] { return program.Focus() == GetDlgItem(length, IDC_ROW_EDIT + 2); }));
    Program::Type(length, 2, L"\t");
    EXPECT_TRUE(WaitFor([&] { return program.Focus() == program.Tabs(); }));
    SendMessageW(program.Tabs(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(WaitFor([&] { return program.Focus() == GetDlgItem(length, IDC_ROW_EDIT); }));
}

TEST_F(EndToEnd, CopyAndPasteCarryARowToAnother) {
    Program program;
    ASSERT_NE(nullptr, program.window);
    const HWND length = program.ShowPage(2);
    Program::Type(length, 0, L"2000\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(1) == L"2"; }));
    program.Post(IDC_COPY);           // the metre row, which has the focus
    Program::Type(length, 2, L"7\r"); // focuses the inch row
    program.Post(IDC_PASTE);
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(2) == L"2000"; }));
    EXPECT_EQ((Texts{L"50.8", L"0.0508", L"2000"}), Program::Rows(length));
}

// Exit writes the path back, the empty one too when the first start's question was cancelled.
TEST_F(EndToEnd, ExitEndsWithZeroAndWritesTheRememberedPath) {
    {
        Program program;
        ASSERT_NE(nullptr, program.window);
        RememberDefinitionFile(L"overwritten at exit");
        EXPECT_EQ(0u, program.Exit());
        EXPECT_EQ(std::wstring(file->Path()), RememberedDefinitionFile());
    }
    ASSERT_TRUE(ForgetDefinitionFile());
    Program program;
    ASSERT_NE(nullptr, program.window);
    const FileDialog dialog(program);
    ASSERT_TRUE(dialog.IsOpen());
    dialog.Post(IDCANCEL);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    RememberDefinitionFile(L"overwritten at exit");
    EXPECT_EQ(0u, program.Exit());
    EXPECT_EQ(L"", RememberedDefinitionFile());
}

TEST_F(EndToEnd, HelpKeyOpensTheAboutBox) {
    Program program;
    ASSERT_NE(nullptr, program.window);
    PostMessageW(program.Focus(), WM_KEYDOWN, VK_F1, 1);
    const std::wstring caption = Shown(L"About...", L"ﾊﾞｰｼﾞｮﾝ情報...");
    HWND about = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (about = FindWindowW(nullptr, caption.c_str())) != nullptr; }));
    HWND page = nullptr;
    WaitFor([&] {
        page = reinterpret_cast<HWND>(SendMessageW(about, PSM_GETCURRENTPAGEHWND, 0, 0));
        return page != nullptr && TextOf(GetDlgItem(page, IDC_ABOUT_TEXT + 2)) == L"Version 0.80";
    });
    EXPECT_EQ(L"Mensurio", TextOf(GetDlgItem(page, IDC_ABOUT_TEXT + 1)));
    EXPECT_EQ(L"Version 0.80", TextOf(GetDlgItem(page, IDC_ABOUT_TEXT + 2)));
    // The memory and battery pages paint the device's figures.
    SendMessageW(about, PSM_SETCURSEL, 2, 0);
    EXPECT_NE(page, reinterpret_cast<HWND>(SendMessageW(about, PSM_GETCURRENTPAGEHWND, 0, 0)));

    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
    EXPECT_TRUE(program.IsRunning());
}

TEST_F(EndToEnd, SecondInstanceBringsTheFirstToTheFrontAndEnds) {
    Program first;
    ASSERT_NE(nullptr, first.window);
    Program second;
    EXPECT_EQ(0u, second.WaitForExit());
    EXPECT_EQ(nullptr, second.window);
    EXPECT_EQ(first.window, FindWindowW(L"Mensurio", nullptr));
    EXPECT_TRUE(first.IsRunning());
}

TEST_F(EndToEnd, LangToggleInvertsTheDevicesLanguage) {
    const wchar_t* own = japanese ? L"温度" : L"Temp";
    const wchar_t* other = japanese ? L"Temp" : L"温度";
    EXPECT_EQ(own, Program().TabTexts().at(0));
    SetLangToggle(1);
    EXPECT_EQ(other, Program().TabTexts().at(0));
    SetLangToggle(0);
    EXPECT_EQ(own, Program().TabTexts().at(0));
}

TEST_F(EndToEnd, HighResolutionUsesTheLargeButtonImages) {
    if (japanese) {
        GTEST_SKIP() << "English run only";
    }
    RECT button = Program().FirstButton();
    EXPECT_EQ(16 + 10, button.right - button.left); // IDB_PAGE_BUTTONS at 96 DPI
    // A device is of high resolution from 130 DPI.
    SetDpi(129);
    button = Program().FirstButton();
    EXPECT_EQ(16 + 13, button.right - button.left); // the small images, 10 pixels scaled
    SetDpi(130);
    button = Program().FirstButton();
    EXPECT_EQ(32 + 14, button.right - button.left);
    SetDpi(192);
    button = Program().FirstButton();
    EXPECT_EQ(32 + 20, button.right - button.left); // IDB_PAGE_BUTTONS_HIRES at 192 DPI
}

// Each screen is whole when it is first painted, at both resolutions and with whatever face
// the system gives: at 96 DPI where the system has no Tahoma, the tab strip's two scroll
// arrows once the first file is chosen; then at both, the About box's frame, pages and
// controls within the screen and the memory page's labels uncut.
TEST_F(EndToEnd, ScreensAreWholeAtTheirFirstPaint) {
    const auto expectAboutBoxWhole = [&](const Program& program, LONG scale) {
        const RECT screen = ScreenRect(program.window);
        program.Post(IDC_ABOUT);
        const std::wstring caption = Shown(L"About...", L"ﾊﾞｰｼﾞｮﾝ情報...");
        HWND about = nullptr;
        ASSERT_TRUE(
            WaitFor([&] { return (about = FindWindowW(nullptr, caption.c_str())) != nullptr; }));
        const HWND tabs = reinterpret_cast<HWND>(SendMessageW(about, PSM_GETTABCONTROL, 0, 0));
        EXPECT_TRUE(Inside(screen, about));
        EXPECT_TRUE(Inside(ScreenRect(about, true), tabs));
        for (int index = 0; index < 2; ++index) {
            SendMessageW(about, PSM_SETCURSEL, index, 0);
            const HWND page =
                reinterpret_cast<HWND>(SendMessageW(about, PSM_GETCURRENTPAGEHWND, 0, 0));
            EXPECT_TRUE(Inside(ScreenRect(tabs), page));
            for (HWND control = GetWindow(page, GW_CHILD); control != nullptr;
                 control = GetWindow(control, GW_HWNDNEXT)) {
                EXPECT_TRUE(Inside(ScreenRect(page, true), control));
            }
        }
        // The memory page's labels, "Rest of program memory" above "Rest of data memory", are
        // each left-aligned in their place: one cut by its place reaches the place's end.
        const RECT page = ScreenRect(
            reinterpret_cast<HWND>(SendMessageW(about, PSM_GETCURRENTPAGEHWND, 0, 0)), true);
        const auto label = [&](LONG y, LONG left) {
            return RECT{page.left + scale * left, page.top + scale * y, page.left + scale * 204,
                        page.top + scale * (y + 14)};
        };
        const auto labelInk = [](int red, int green, int blue) {
            return blue >= 100 && red < 80 && green < 80;
        };
        EXPECT_TRUE(WaitFor([&] { return ScreenShows(label(52, 44), labelInk); }));
        for (const LONG y : {4, 52}) {
            EXPECT_TRUE(ScreenShows(label(y, 44), labelInk)) << "no label at " << y;
            EXPECT_FALSE(ScreenShows(label(y, 203), labelInk)) << "label at " << y << " cut";
        }
        PostMessageW(about, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
    };

    {
        const WithoutTahoma faces;
        ASSERT_TRUE(faces.Moved()) << "the prefix has no Tahoma to take away";
        ASSERT_TRUE(ForgetDefinitionFile());
        Program program;
        ASSERT_NE(nullptr, program.window);
        const FileDialog dialog(program);
        dialog.TypeName(L"units");
        // Off the screen before it goes, so that its going repaints nothing beneath it, as
        // where each window is a window of the host's (the package): the strip shows only
        // what the program paints of it. Nothing else reaches the strip before it is seen.
        ShowWindow(dialog.handle, SW_HIDE);
        dialog.Post(IDOK);
        ASSERT_TRUE(dialog.WaitUntilClosed());
        HWND arrows = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            return (arrows = FindWindowExW(program.Tabs(), nullptr, UPDOWN_CLASSW, nullptr)) !=
                   nullptr;
        }));
        // Each half of the arrows' place shows its arrow, a grey darker than the edges.
        const RECT both = ScreenRect(arrows);
        const LONG width = both.right - both.left;
        const LONG height = both.bottom - both.top;
        const auto arrow = [&](LONG left) {
            return RECT{left + width / 8, both.top + height / 4, left + width * 3 / 8,
                        both.bottom - height / 4};
        };
        const auto arrowInk = [](int red, int green, int blue) {
            return std::max({red, green, blue}) < 150;
        };
        EXPECT_TRUE(WaitFor([&] {
            return ScreenShows(arrow(both.left), arrowInk) &&
                   ScreenShows(arrow(both.left + width / 2), arrowInk);
        })) << "the tab strip's scroll arrows are not both drawn";
        expectAboutBoxWhole(program, 1);
    }
    SetDpi(192);
    const Program program;
    ASSERT_NE(nullptr, program.window);
    expectAboutBoxWhole(program, 2);
}

// First start without a remembered file asks for one, in the program's folder; the choice
// is remembered.
TEST_F(EndToEnd, OpenDialogAsksForTheDefinitionFileAtFirstStart) {
    const std::wstring folder = DeviceProgramFolder();
    const Texts sections = SectionNames(HostProgramFolder() + L"\\units.ini");
    ASSERT_EQ(L"Length", sections.at(0));
    ASSERT_TRUE(ForgetDefinitionFile());
    Program program;
    ASSERT_NE(nullptr, program.window);
    const FileDialog dialog(program);
    ASSERT_TRUE(dialog.IsOpen());
    EXPECT_EQ(Shown(L"Open", L"開く"), TextOf(dialog.handle));
    EXPECT_EQ(program.window, GetWindow(dialog.handle, GW_OWNER));

    // The program's folder in the List view: its folders and .ini files, folders first.
    EXPECT_EQ(LastComponent(folder), dialog.Location());
    EXPECT_EQ(LVS_LIST, dialog.View());
    const Texts rows = dialog.Rows();
    EXPECT_EQ(Listing(HostProgramFolder(), true), Sorted(rows));
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), L"units.ini"));
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), L"units_ja.ini"));
    EXPECT_TRUE(std::is_partitioned(rows.begin(), rows.end(),
                                    [](const std::wstring& row) { return !EndsWithIni(row); }));
    EXPECT_EQ(Shown(L"INI Files(*.ini)", L"定義ﾌｧｲﾙ(*.ini)"),
              TextOf(dialog.Control(IDC_TYPE_LIST)));
    EXPECT_EQ(2, SendMessageW(dialog.Control(IDC_TYPE_LIST), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(L"", TextOf(dialog.Control(IDC_NAME_FIELD)));
    // The name field has the focus, but on a screen larger than a device's, where a keyboard
    // is at hand, the input panel stays down: the list is all in sight.
    EXPECT_EQ(nullptr, FindWindowExW(dialog.handle, nullptr, L"MensurioSoftInputPanel", nullptr));

    // A name that is not there is said so, and the dialog stays; a name is looked for
    // with the default extension: "units" opens units.ini.
    dialog.Take(L"nothing");
    EXPECT_TRUE(WaitFor([&] { return program.MessageBoxWindow() != nullptr; }));
    const Texts boxes = program.AnswerMessageBoxes();
    EXPECT_EQ(1u, boxes.size()) << Joined(boxes);
    EXPECT_NE(std::wstring::npos, Joined(boxes).find(L"\\nothing.ini"));
    EXPECT_FALSE(dialog.WaitUntilClosed(200));
    dialog.Take(L"units");
    ASSERT_TRUE(dialog.WaitUntilClosed());
    const Texts tabs = TabsWith(sections);
    EXPECT_TRUE(WaitFor([&] { return program.TabCount() == static_cast<int>(tabs.size()); }));
    EXPECT_EQ(tabs, program.TabTexts());
    EXPECT_EQ(0, program.CurrentTab());

    // 1 km in metres.
    const HWND length = program.ShowPage(2);
    Program::Type(length, 1, L"1\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(0) == L"1000"; }));
    EXPECT_EQ(L"1", Program::Rows(length).at(1));

    // Remembered with its drive, which the dialog's device path leaves out.
    EXPECT_EQ(0u, program.Exit());
    EXPECT_EQ(HostProgramFolder() + L"\\units.ini", RememberedDefinitionFile());
}

// File > Open... replaces the category pages; the fixed pages keep their values.
TEST_F(EndToEnd, OpenDialogReplacesTheCategoryPages) {
    const std::wstring folder = DeviceProgramFolder();
    const Texts englishSections = SectionNames(HostProgramFolder() + L"\\units.ini");
    const Texts japaneseSections = SectionNames(HostProgramFolder() + L"\\units_ja.ini");
    ASSERT_FALSE(japaneseSections.empty());
    RememberDefinitionFile((folder + L"\\units.ini").c_str());
    Program program;
    ASSERT_NE(nullptr, program.window);
    // Any dialog asked for at start would be up before a command posted after it runs.
    program.Post(IDC_PAGE + 1);
    EXPECT_TRUE(WaitFor([&] { return program.CurrentTab() == 1; }));
    EXPECT_EQ(nullptr, program.OpenDialog());
    EXPECT_EQ(TabsWith(englishSections), program.TabTexts());

    // Values on the fixed pages: 100 degrees Celsius, one day.
    const HWND temperature = program.ShowPage(0);
    Program::Type(temperature, 0, L"100\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(temperature).at(2) == L"373.15"; }));
    const Texts temperatureRows = {L"100", L"212", L"373.15"};
    EXPECT_EQ(temperatureRows, Program::Rows(temperature));
    const HWND time = program.ShowPage(1);
    Program::TapLabel(time, 3);
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(time).at(0) == L"86400"; }));
    const Texts timeRows = Program::Rows(time);

    // The other sample file.
    program.Post(IDC_OPEN);
    const FileDialog dialog(program);
    ASSERT_TRUE(dialog.IsOpen());
    EXPECT_EQ(LastComponent(folder), dialog.Location());
    dialog.Take(L"units_ja.ini");
    ASSERT_TRUE(dialog.WaitUntilClosed());
    const Texts tabs = TabsWith(japaneseSections);
    EXPECT_TRUE(WaitFor([&] { return program.TabCount() == static_cast<int>(tabs.size()); }));
    EXPECT_EQ(tabs, program.TabTexts());
    EXPECT_EQ(0, program.CurrentTab());
    EXPECT_EQ(temperature, program.ShowPage(0));
    EXPECT_EQ(temperatureRows, Program::Rows(temperature));
    EXPECT_EQ(time, program.ShowPage(1));
    EXPECT_EQ(timeRows, Program::Rows(time));

    // The new file's first page converts: 1 kilometre in metres.
    const HWND length = program.ShowPage(2);
    Program::Type(length, 1, L"1\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(0) == L"1000"; }));

    EXPECT_EQ(0u, program.Exit());
    EXPECT_EQ(HostProgramFolder() + L"\\units_ja.ini", RememberedDefinitionFile());
}

TEST_F(EndToEnd, OpenDialogCancelledChangesNothing) {
    Program program;
    ASSERT_NE(nullptr, program.window);
    const HWND temperature = program.ShowPage(0);
    Program::Type(temperature, 0, L"100\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(temperature).at(2) == L"373.15"; }));
    const HWND length = program.ShowPage(2);
    Program::Type(length, 1, L"1\r");
    EXPECT_TRUE(WaitFor([&] { return Program::Rows(length).at(0) == L"1000"; }));
    const Texts lengthRows = Program::Rows(length);
    const Texts tabs = program.TabTexts();

    program.Post(IDC_OPEN);
    const FileDialog dialog(program);
    ASSERT_TRUE(dialog.IsOpen());
    dialog.Post(IDCANCEL);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(2, program.CurrentTab());
    EXPECT_EQ(length, program.VisiblePage());
    EXPECT_EQ(lengthRows, Program::Rows(length));
    EXPECT_EQ(tabs, program.TabTexts());
    EXPECT_EQ((Texts{L"100", L"212", L"373.15"}), Program::Rows(program.ShowPage(0)));
}

// A place typed by name, and Back.
TEST_F(EndToEnd, OpenDialogGoesToPlacesAndBack) {
    const std::wstring desktop = Shown(L"Desktop", L"ﾃﾞｽｸﾄｯﾌﾟ");
    const std::wstring myDocuments = Shown(L"My Documents", L"ﾏｲ ﾄﾞｷｭﾒﾝﾄ");
    const std::wstring programFolder = LastComponent(DeviceProgramFolder());
    Program program;
    ASSERT_NE(nullptr, program.window);
    program.Post(IDC_OPEN);
    const FileDialog dialog(program);
    ASSERT_TRUE(dialog.IsOpen());
    EXPECT_EQ(programFolder, dialog.Location());
    EXPECT_FALSE(dialog.ButtonEnabled(IDC_BACK));

    // The location menu's first item: the Desktop, with its two places.
    dialog.Command(IDC_FIRST_ANCESTOR);
    EXPECT_EQ(desktop, dialog.Location());
    EXPECT_EQ((Texts{Shown(L"My Device", L"ﾏｲ ﾃﾞﾊﾞｲｽ"), myDocuments}), dialog.Rows());
    EXPECT_TRUE(dialog.ButtonEnabled(IDC_BACK));
    EXPECT_FALSE(dialog.ButtonEnabled(IDC_UP));

    // A place's name typed on the Desktop goes there.
    dialog.Take(myDocuments);
    EXPECT_TRUE(WaitFor([&] { return dialog.Location() == myDocuments; })) << dialog.Location();
    EXPECT_TRUE(dialog.IsOpen());
    EXPECT_TRUE(dialog.ButtonEnabled(IDC_UP));

    // Back twice: the Desktop, then the program's folder, where Back ends.
    dialog.Command(IDC_BACK);
    EXPECT_EQ(desktop, dialog.Location());
    dialog.Command(IDC_BACK);
    EXPECT_EQ(programFolder, dialog.Location());
    EXPECT_FALSE(dialog.ButtonEnabled(IDC_BACK));
}

// A folder typed by name, the four views, sorting by size from the menu and from the header,
// Up, and Cancel.
TEST_F(EndToEnd, OpenDialogShowsViewsAndSorts) {
    // .ini files of sizes unlike their names' order, a subfolder and a file of another type.
    const TempFolder sortFolder(HostProgramFolder() + L"\\sort check");
    sortFolder.Folder(L"sub");
    const std::pair<const wchar_t*, DWORD> files[] = {{L"alpha.ini", 20},
                                                      {L"beta.ini", 300},
                                                      {L"delta.ini", 4000},
                                                      {L"gamma.ini", 1},
                                                      {L"other.txt", 50}};
    for (const auto& [name, size] : files) {
        sortFolder.File(name, size);
    }
    Program program;
    ASSERT_NE(nullptr, program.window);
    const Texts tabs = program.TabTexts();
    program.Post(IDC_OPEN);
    const FileDialog dialog(program);
    ASSERT_TRUE(dialog.IsOpen());

    // A folder's name goes into it: the subfolder first, then the .ini files by name.
    dialog.Take(L"sort check");
    EXPECT_TRUE(WaitFor([&] { return dialog.Location() == L"sort check"; })) << dialog.Location();
    ASSERT_TRUE(dialog.IsOpen());
    EXPECT_EQ((Texts{L"sub", L"alpha.ini", L"beta.ini", L"delta.ini", L"gamma.ini"}),
              dialog.Rows());

    // The views: large icons, small icons, list, details.
    const std::pair<int, int> views[] = {{IDC_VIEW_LARGE_ICONS, LVS_ICON},
                                         {IDC_VIEW_SMALL_ICONS, LVS_SMALLICON},
                                         {IDC_VIEW_LIST, LVS_LIST},
                                         {IDC_VIEW_DETAILS, LVS_REPORT}};
    for (const auto& [command, style] : views) {
        dialog.Command(command);
        EXPECT_EQ(style, dialog.View()) << "view command " << command;
        EXPECT_EQ(5, SendMessageW(dialog.List(), LVM_GETITEMCOUNT, 0, 0));
    }

    // Sort by Size, ascending, then the other way round; a click on the Size header turns
    // it round again.
    const Texts bySize = {L"sub", L"gamma.ini", L"alpha.ini", L"beta.ini", L"delta.ini"};
    dialog.Command(IDC_SORT_BY_SIZE);
    EXPECT_EQ(bySize, dialog.Rows());
    dialog.Command(IDC_SORT_BY_SIZE);
    EXPECT_EQ(Texts(bySize.rbegin(), bySize.rend()), dialog.Rows());
    EXPECT_EQ(Shown(L"Size", L"ｻｲｽﾞ"), dialog.HeaderText(1));
    dialog.ClickHeader(1);
    EXPECT_TRUE(WaitFor([&] { return dialog.Rows() == bySize; })) << Joined(dialog.Rows());
    dialog.Command(IDC_SORT_BY_NAME);
    EXPECT_EQ((Texts{L"sub", L"alpha.ini", L"beta.ini", L"delta.ini", L"gamma.ini"}),
              dialog.Rows());

    // Up: the program's folder again; Cancel leaves the pages as they were.
    dialog.Command(IDC_UP);
    EXPECT_EQ(LastComponent(DeviceProgramFolder()), dialog.Location());
    EXPECT_EQ(Listing(HostProgramFolder(), true), Sorted(dialog.Rows()));
    dialog.Post(IDCANCEL);
    ASSERT_TRUE(dialog.WaitUntilClosed());
    EXPECT_EQ(tabs, program.TabTexts());
    EXPECT_EQ(0u, program.Exit());
    EXPECT_EQ(std::wstring(file->Path()), RememberedDefinitionFile());
}

// The Open dialog's file commands, on a folder of the program's folder with an empty
// subfolder, .ini files to rename and delete and a file without an extension.
class OpenDialogManagesFiles : public EndToEnd {
protected:
    static constexpr wchar_t kName[] = L"manage check";

    void SetUp() override {
        EndToEnd::SetUp();
        folder.Folder(L"inner");
        for (const wchar_t* name : {L"free.ini", L"held.ini", L"old.ini", L"plain"}) {
            folder.File(name, "[Nothing]\r\n");
        }
        program = std::make_unique<Program>();
        ASSERT_NE(nullptr, program->window);
        program->Post(IDC_OPEN);
        dialog = std::make_unique<FileDialog>(*program);
        ASSERT_TRUE(dialog->IsOpen());
    }

    // Types a folder's path, relative to the one shown, and waits until the dialog shows
    // `location`.
    bool GoTo(const std::wstring& typed, const std::wstring& location) const {
        dialog->Take(typed);
        return WaitFor([&] { return dialog->Location() == location; });
    }

    const TempFolder folder{HostProgramFolder() + L"\\" + kName};
    std::unique_ptr<Program> program;
    std::unique_ptr<FileDialog> dialog;
};

// A path below the current folder, typed, goes there; the location menu drops down, and
// its next to last item (the folder above) goes there. What the menu lists is checked on
// the dialog in its own process.
TEST_F(OpenDialogManagesFiles, TypedPathAndLocationMenu) {
    ASSERT_TRUE(GoTo(std::wstring(kName) + L"\\inner", L"inner")) << dialog->Location();
    EXPECT_TRUE(dialog->Rows().empty()) << Joined(dialog->Rows());

    dialog->Post(IDC_LOCATION);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = program->PopupMenuWindow()) != nullptr; }));
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!WaitFor([&] { return program->PopupMenuWindow() == nullptr; }, 5000)) {
        ADD_FAILURE() << "Escape did not close the location menu";
        PostMessageW(dialog->handle, WM_CANCELMODE, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return program->PopupMenuWindow() == nullptr; }, 5000));
    }
    EXPECT_EQ(L"inner", dialog->Location());

    // The Desktop, My Device, then one item for each folder of the path.
    const std::wstring innerPath = DeviceProgramFolder() + L"\\" + kName + L"\\inner";
    const auto folders = std::count(innerPath.begin(), innerPath.end(), L'\\');
    dialog->Command(IDC_FIRST_ANCESTOR + static_cast<int>(folders));
    EXPECT_EQ(kName, dialog->Location());
    EXPECT_EQ((Texts{L"inner", L"free.ini", L"held.ini", L"old.ini"}), dialog->Rows());
    EXPECT_TRUE(dialog->ButtonEnabled(IDC_BACK));
}

// Renaming in place, in the Details view: a name with a character that file names cannot
// have gets a message that lists them all, and the file keeps its name; a good name renames
// the file and its row.
TEST_F(OpenDialogManagesFiles, RenamesInPlace) {
    ASSERT_TRUE(GoTo(kName, kName)) << dialog->Location();
    dialog->Command(IDC_VIEW_DETAILS);
    ASSERT_EQ(LVS_REPORT, dialog->View());
    const int oldRow = dialog->RowOf(L"old.ini");
    ASSERT_LE(0, oldRow);
    ASSERT_TRUE(dialog->Rename(oldRow, L"a:b.ini")) << "no edit of the name in place";
    EXPECT_TRUE(WaitFor([&] { return program->MessageBoxWindow() != nullptr; }))
        << "no message about the colon";
    const Texts refusals = program->AnswerMessageBoxes();
    EXPECT_EQ(1u, refusals.size()) << Joined(refusals);
    const std::wstring refusal = Joined(refusals);
    EXPECT_NE(std::wstring::npos, refusal.find(L"\\/:,;*?\"<>|")) << refusal;
    EXPECT_NE(std::wstring::npos,
              refusal.find(Shown(L"Invalid chars", L"ﾌｧｲﾙ名には次の文字は使えません。")))
        << refusal;
    EXPECT_TRUE(WaitFor([&] { return dialog->LabelEdit() == nullptr; }));
    EXPECT_EQ(L"old.ini", dialog->Rows().at(oldRow));
    EXPECT_TRUE(folder.Exists(L"old.ini"));

    ASSERT_TRUE(dialog->Rename(oldRow, L"new.ini")) << "no edit of the name in place";
    EXPECT_TRUE(WaitFor(
        [&] { return dialog->LabelEdit() == nullptr || program->MessageBoxWindow() != nullptr; }));
    ExpectNoMessageBox(*program, "after the rename");
    EXPECT_EQ(L"new.ini", dialog->Rows().at(oldRow));
    EXPECT_EQ((Texts{L"free.ini", L"held.ini", L"inner", L"new.ini", L"plain"}),
              Listing(folder.path));
}

// New Folder: the folder is made, its row is the last, and its name is open for editing;
// Enter keeps the name. The next new folder is numbered; Escape keeps its name too.
// Wine keeps file names in the host's character set: without the Japanese locale on the
// host the Japanese name cannot be made, and the program must say so and add no row.
TEST_F(OpenDialogManagesFiles, MakesNewFolders) {
    ASSERT_TRUE(GoTo(kName, kName)) << dialog->Location();
    const std::wstring newFolder = Shown(L"New Folder", L"新しいフォルダ");
    const std::wstring secondNewFolder = newFolder + L" (2)";
    const size_t rowCount = dialog->Rows().size();
    ASSERT_TRUE(dialog->ButtonEnabled(IDC_NEW_FOLDER));
    if (!CanMakeFolder(folder.In(newFolder))) {
        std::printf("note: the host cannot store the Japanese new folder name; New Folder "
                    "is checked to fail with a message\n");
        dialog->Post(IDC_NEW_FOLDER);
        EXPECT_TRUE(WaitFor([&] { return program->MessageBoxWindow() != nullptr; }));
        const Texts boxes = program->AnswerMessageBoxes();
        EXPECT_EQ(1u, boxes.size()) << Joined(boxes);
        EXPECT_EQ(rowCount, dialog->Rows().size());
        EXPECT_EQ(nullptr, dialog->LabelEdit());
        return;
    }
    dialog->Command(IDC_NEW_FOLDER);
    Texts rows = dialog->Rows();
    ASSERT_EQ(rowCount + 1, rows.size());
    EXPECT_EQ(newFolder, rows.back());
    EXPECT_TRUE(IsFolder(folder.In(newFolder)));
    HWND edit = dialog->LabelEdit();
    ASSERT_NE(nullptr, edit) << "the new folder's name is not open for editing";
    EXPECT_EQ(newFolder, TextOf(edit));
    FileDialog::PressEnter(edit);
    EXPECT_TRUE(WaitFor(
        [&] { return dialog->LabelEdit() == nullptr || program->MessageBoxWindow() != nullptr; }));
    ExpectNoMessageBox(*program, "after Enter on the new folder's name");
    EXPECT_EQ(newFolder, dialog->Rows().back());

    dialog->Command(IDC_NEW_FOLDER);
    rows = dialog->Rows();
    ASSERT_EQ(rowCount + 2, rows.size());
    EXPECT_EQ(secondNewFolder, rows.back());
    edit = dialog->LabelEdit();
    ASSERT_NE(nullptr, edit) << "the new folder's name is not open for editing";
    PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(WaitFor([&] { return dialog->LabelEdit() == nullptr; }));
    EXPECT_EQ(secondNewFolder, dialog->Rows().back());
    EXPECT_TRUE(IsFolder(folder.In(newFolder)));
    EXPECT_TRUE(IsFolder(folder.In(secondNewFolder)));
    EXPECT_EQ(Sorted({L"free.ini", L"held.ini", L"inner", L"old.ini", L"plain", newFolder,
                      secondNewFolder}),
              Listing(folder.path));
}

// Delete. The converter asks for a single file, so the list selects one row at a time;
// the operation asks about the file: No keeps it, Yes deletes it and its row goes. A file
// in use: Yes, then a message says it could not be deleted; file and row stay.
TEST_F(OpenDialogManagesFiles, DeletesAfterAsking) {
    ASSERT_TRUE(GoTo(kName, kName)) << dialog->Location();
    EXPECT_TRUE(GetWindowLongPtrW(dialog->List(), GWL_STYLE) & LVS_SINGLESEL);
    const auto deleteChosen = [&](const std::wstring& name, int answer) {
        const int row = dialog->RowOf(name);
        if (row < 0) {
            ADD_FAILURE() << "no row " << name;
            return false;
        }
        dialog->ChooseRow(row);
        EXPECT_TRUE(WaitFor([&] { return TextOf(dialog->Control(IDC_NAME_FIELD)) == name; }))
            << "the chosen row's name is not in the name field";
        dialog->Post(IDC_DELETE);
        HWND question = nullptr;
        if (!WaitFor([&] { return (question = program->QuestionWindow()) != nullptr; })) {
            ADD_FAILURE() << "no question before deleting " << name;
            return false;
        }
        EXPECT_EQ(Shown(L"Confirm file delete", L"ﾌｧｲﾙ削除の確認"), TextOf(question));
        EXPECT_EQ(japanese ? L"'" + name + L"' を削除してもよろしいですか?"
                           : L"Are you sure you want to delete '" + name + L"'?",
                  TextOf(GetDlgItem(question, IDC_QUESTION_TEXT)));
        PostMessageW(question, WM_COMMAND, answer, 0);
        return WaitFor([&] { return !IsWindow(question); }, 5000);
    };
    const auto operationEnded = [&] {
        return program->QuestionWindow() == nullptr && program->ProgressWindow() == nullptr;
    };
    Texts rows = dialog->Rows();
    ASSERT_TRUE(deleteChosen(L"free.ini", IDNO));
    EXPECT_TRUE(WaitFor(operationEnded));
    ExpectNoMessageBox(*program, "after No");
    EXPECT_TRUE(folder.Exists(L"free.ini")) << "No deleted the file";
    EXPECT_EQ(rows, dialog->Rows());
    ASSERT_TRUE(deleteChosen(L"free.ini", IDYES));
    EXPECT_TRUE(WaitFor(operationEnded));
    ExpectNoMessageBox(*program, "after Yes");
    EXPECT_FALSE(folder.Exists(L"free.ini")) << "Yes left the file";
    rows.erase(std::find(rows.begin(), rows.end(), L"free.ini"));
    EXPECT_EQ(rows, dialog->Rows());

    const std::unique_ptr<void, decltype(&CloseHandle)> held(
        CreateFileW(folder.In(L"held.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                    nullptr),
        CloseHandle);
    ASSERT_NE(INVALID_HANDLE_VALUE, held.get());
    ASSERT_TRUE(deleteChosen(L"held.ini", IDYES));
    EXPECT_TRUE(WaitFor([&] { return program->MessageBoxWindow() != nullptr; }))
        << "no message about the file in use";
    const Texts failures = program->AnswerMessageBoxes();
    ASSERT_EQ(1u, failures.size()) << Joined(failures);
    EXPECT_EQ(0u, failures[0].find(Shown(L"Error:", L"ｴﾗｰ:"))) << failures[0];
    EXPECT_TRUE(WaitFor(operationEnded));
    EXPECT_EQ(rows, dialog->Rows());
    EXPECT_EQ((Texts{L"held.ini", L"inner", L"old.ini", L"plain"}), Listing(folder.path));
}

// A name without an extension that exists as typed, with no such name with the default
// extension beside it, is the file the user means: the program loads plain itself.
TEST_F(OpenDialogManagesFiles, OpensANameWithoutExtensionThatExists) {
    ASSERT_TRUE(GoTo(kName, kName)) << dialog->Location();
    dialog->Take(L"plain");
    ASSERT_TRUE(dialog->WaitUntilClosed());
    EXPECT_TRUE(WaitFor([&] { return program->TabCount() == 3; }));
    EXPECT_EQ(TabsWith({L"Nothing"}), program->TabTexts());
    EXPECT_EQ(0u, program->Exit());
    EXPECT_EQ(HostProgramFolder() + L"\\" + kName + L"\\plain", RememberedDefinitionFile());
}

} // namespace
