// A long random run of what a user does with the real program: taps on tabs, rows, labels,
// the menu bar and its menus, the input panel; keys typed into rows; the About box and the
// Open dialog opened and left. Every event is real input at a screen position. After each
// step the program must answer, show exactly the page of its tab (the one the Unit menu
// marks, when it is open), hold in its rows only what a user could type or it wrote, and show
// one quantity in every row after a commit; at its exit it writes back the definition file it
// was given.
//
// MENSURIO_MONKEY_STEPS and MENSURIO_MONKEY_SEED choose a longer or another run; a failure
// prints the seed, the step and the steps before it, to be replayed.
#include "converter/conversion/ConversionRules.h"
#include "platform/MenuBar.h"
#include "platform/Screen.h"
#include "resources/converter_ids.h"
#include "test_support/DefinitionFiles.h"
#include "test_support/PixelCanvas.h"
#include "test_support/ProgramDriver.h"
#include "test_support/RealInput.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace {

// The menu bar: the titles File, Edit, Unit and Help, then the buttons Copy and Paste, and
// the input panel's button at the right end. The File menu opens where the bar begins.
constexpr int kCopyButton = 0;
constexpr int kButtons = 2;
constexpr LONG kFileMenuSlack = 8;
// A menu's border; a menu taller than kUnitMenuMinimum is the Unit menu.
constexpr LONG kMenuBorder = 3;
constexpr LONG kUnitMenuMinimum = 100;
constexpr size_t kStepsTold = 20;
constexpr size_t kFixedPages = 2; // temperature and time
constexpr int kMaxRows = 9;
// The program answers within kAnswerTime ms. A step is taken when, after kSettlingMessages
// answers, what the checks look at stays the same for kSettledRounds rounds; a violation
// counts when it lasts kSettleTime ms, looked at every kLookStep ms.
constexpr UINT kAnswerTime = 2000;
constexpr int kSettlingMessages = 4;
constexpr int kSettledRounds = 2;
constexpr int kSettleTime = 2000;
constexpr int kLookStep = 5;

// What a step may have committed: nothing; the text of a known row (Enter in it, a tap on
// its label) or the clipboard's pasted into it, which must then show on every row unless
// the page refuses it; or some value by a menu command, seen only when rows change.
// kFailed: a check made during the step failed.
// kLabel: a tap on a label, whose row then shows one of its unit (zero degrees on the
// temperature page).
enum class Commit { kNone, kRow, kLabel, kPaste, kMaybe, kFailed };

// A row's unit: its label, and how its number becomes the page's quantity (in the page's
// first unit, or kelvin).
struct Unit {
    const wchar_t* name;
    double scale;
    double offset;
};
using PageUnits = std::vector<Unit>;

const std::vector<PageUnits>& Pages() {
    static const std::vector<PageUnits> pages = {
        {{L"C degree celsius", 1, 273.15},
         {L"F fahrenheid", 5.0 / 9, 273.15 - 32 * 5.0 / 9},
         {L"K absolute", 1, 0}},
        {{L"sec", kSecondsPerUnit[0], 0},
         {L"min", kSecondsPerUnit[1], 0},
         {L"hour", kSecondsPerUnit[2], 0},
         {L"day", kSecondsPerUnit[3], 0},
         {L"year", kSecondsPerUnit[4], 0}},
        // The definition file's, written from these.
        {{L"m", 1, 0}, {L"km", 1000, 0}, {L"inch", 0.0254, 0}, {L"mile", 1609.344, 0}},
        {{L"g", 1, 0}, {L"kg", 1000, 0}, {L"lb", 453.59237, 0}, {L"t", 1e6, 0}, {L"mg", 1e-3, 0}},
        {},
        {{L"s", 1, 0}, {L"ms", 0.001, 0}},
        {{L"l", 1, 0}, {L"ml", 0.001, 0}, {L"gal", 3.785411784, 0}},
        {{L"Pa", 1, 0}, {L"kPa", 1000, 0}, {L"bar", 1e5, 0}},
        {{L"J", 1, 0}, {L"kJ", 1000, 0}, {L"cal", 4.184, 0}},
    };
    return pages;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end()); // rows and names hold ASCII
}

std::string DefinitionFile() {
    std::string file;
    for (size_t page = kFixedPages; page < Pages().size(); ++page) {
        file += "[Page ";
        file += std::to_string(page);
        file += "]\r\n";
        for (const Unit& unit : Pages()[page]) {
            char factor[32];
            snprintf(factor, sizeof factor, "%.17g", unit.scale);
            file += '"';
            file += Narrow(unit.name);
            file += "\" = ";
            file += factor;
            file += "\r\n";
        }
    }
    return file;
}

// The number a row's whole text is, as C reads it; none for what the program may read
// otherwise or refuse (empty, a lone sign, separators, a value beyond the doubles).
bool PlainNumber(const std::wstring& text, double& value) {
    if (text.empty() || text.find_first_not_of(L"0123456789.-+eE") != std::wstring::npos) {
        return false;
    }
    wchar_t* end = nullptr;
    value = std::wcstod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

// What the program writes for a value beyond the doubles.
bool Infinite(const std::wstring& text) {
    return text == L"inf" || text == L"-inf";
}

// Whether the screen shows dark ink somewhere in the rectangle.
bool InkIn(const RECT& rect) {
    return ScreenShows(
        rect, [](int red, int green, int blue) { return red < 100 && green < 100 && blue < 100; });
}

RECT OnScreen(HWND window, RECT rect) {
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Keys pressed on their own; the second key 0 for a single one.
struct KeyAction {
    const char* name;
    WORD first;
    WORD second;
    Commit commit;
};
constexpr KeyAction kKeyActions[] = {
    {"Enter", VK_RETURN, 0, Commit::kRow},
    {"Tab", VK_TAB, 0, Commit::kNone},
    {"Shift+Tab", VK_SHIFT, VK_TAB, Commit::kNone},
    {"Escape", VK_ESCAPE, 0, Commit::kNone},
    {"Up", VK_UP, 0, Commit::kNone},
    {"Down", VK_DOWN, 0, Commit::kNone},
    {"Left", VK_LEFT, 0, Commit::kNone},
    {"Right", VK_RIGHT, 0, Commit::kNone},
    {"Ctrl+C", VK_CONTROL, 'C', Commit::kNone},
    {"Ctrl+Insert", VK_CONTROL, VK_INSERT, Commit::kNone},
    {"Ctrl+V", VK_CONTROL, 'V', Commit::kPaste},
    {"Shift+Insert", VK_SHIFT, VK_INSERT, Commit::kPaste},
};

class Monkey {
public:
    Monkey(Program& program, unsigned seed) : program(program), random(seed), seed(seed) {}

    // One random action and the checks after it; false at the first violation, told.
    bool Step(int number) {
        step = number;
        const HWND page = program.VisiblePage();
        before = page != nullptr ? Program::Rows(page) : Texts{};
        source = RowOf(program.Focus());
        clipboard = ClipboardText();
        tappedTab = -1;
        Commit commit = Commit::kNone;
        if (!CloseWhatIsOpen()) {
            switch (Pick(12)) {
            case 0:
                TapTab();
                break;
            case 1:
            case 2:
                TapRow(IDC_ROW_EDIT);
                break;
            case 3:
                source = TapRow(IDC_ROW_LABEL);
                commit = source >= 0 ? Commit::kLabel : Commit::kNone;
                break;
            case 4:
            case 5:
            case 6:
                TypeKeys();
                break;
            case 7:
            case 8:
                commit = PressKeyAction();
                break;
            case 9:
                commit = TapMenuBar();
                break;
            case 10:
                TapInputPanel();
                break;
            default:
                TapPage();
                break;
            }
        }
        if (commit == Commit::kFailed) {
            return false;
        }
        if (commit != Commit::kNone && source < 0) {
            commit = Commit::kMaybe; // keys on the tabs, say
        }
        return Check(commit, page);
    }

    std::string Told() const {
        std::string told = "seed " + std::to_string(seed) + ", step " + std::to_string(step) +
                           "; the last steps:\n";
        for (const std::string& line : steps) {
            told += "  " + line + "\n";
        }
        return told;
    }

    std::string violation;
    int quantityChecks = 0; // commits whose rows were compared

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }

    POINT Within(const RECT& rect) {
        const LONG width = std::max<LONG>(1, rect.right - rect.left - 2);
        const LONG height = std::max<LONG>(1, rect.bottom - rect.top - 2);
        return {rect.left + 1 + Pick(width), rect.top + 1 + Pick(height)};
    }

    void Note(const std::string& what) {
        steps.push_back(std::to_string(step) + ": " + what);
        if (steps.size() > kStepsTold) {
            steps.pop_front();
        }
    }

    // What the checks look at, in one text.
    std::wstring Snapshot() const {
        std::wstring seen = std::to_wstring(reinterpret_cast<uintptr_t>(program.Focus())) + L"|" +
                            std::to_wstring(program.CurrentTab()) +
                            (program.PopupMenuWindow() != nullptr ? L"|menu|" : L"||");
        if (const HWND page = program.VisiblePage()) {
            for (const std::wstring& row : Program::Rows(page)) {
                seen += row + L"|";
            }
        }
        return seen;
    }

    // Waits until the program has taken the input this process gave it: the input is in its
    // queue, and a message sent here is answered when the program next asks for a message.
    // Modal loops ask often and the input may post messages of its own: what the program
    // shows must also stay the same over a few rounds of answers.
    bool Settle() {
        std::wstring last;
        for (int round = 0, unchanged = 0; unchanged < kSettledRounds; ++round) {
            for (int message = 0; message < kSettlingMessages; ++message) {
                DWORD_PTR answer = 0;
                if (!SendMessageTimeoutW(program.window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTime,
                                         &answer)) {
                    return false;
                }
            }
            const std::wstring seen = Snapshot();
            unchanged = seen == last ? unchanged + 1 : 0;
            last = seen;
            if (round * kLookStep > kSettleTime) {
                break; // still changing: the checks will tell
            }
            Sleep(kLookStep);
        }
        return true;
    }

    void Tap(POINT point, const std::string& what) {
        Note(what + " at " + std::to_string(point.x) + "," + std::to_string(point.y));
        TapAt(point);
        Settle();
    }

    void Press(const char* what, WORD first, WORD second = 0) {
        Note(what);
        if (second != 0) {
            PressKeys({first, second});
        } else {
            PressKeys({first});
        }
        Settle();
    }

    int RowOf(HWND focus) const {
        const HWND page = program.VisiblePage();
        for (int row = 0; row < kMaxRows && page != nullptr && focus != nullptr; ++row) {
            if (GetDlgItem(page, IDC_ROW_EDIT + row) == focus) {
                return row;
            }
        }
        return -1;
    }

    HWND AboutBox() const {
        const HWND box = FindWindowW(nullptr, L"About...");
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        return box != nullptr && process == program.process.dwProcessId ? box : nullptr;
    }
    HWND MenuBar() const {
        return FindWindowExW(program.window, nullptr, kMenuBarClassName, nullptr);
    }

    // A dialog, box or menu left open by the last step is left again, as a user would.
    bool CloseWhatIsOpen() {
        if (program.MessageBoxWindow() != nullptr) {
            Press("Enter on a message box", VK_RETURN);
        } else if (program.OpenDialog() != nullptr) {
            Press("Escape on the Open dialog", VK_ESCAPE);
        } else if (AboutBox() != nullptr) {
            Press("Escape on the About box", VK_ESCAPE);
        } else if (program.PopupMenuWindow() != nullptr) {
            Press("Escape on a menu", VK_ESCAPE);
        } else {
            return false;
        }
        return true;
    }

    void TapTab() {
        const HWND tabs = program.Tabs();
        const RemoteMemory memory(program.process.hProcess, sizeof(RECT));
        // The strip's height from a tab in view: one scrolled off the strip has no rectangle.
        RECT strip = {};
        for (int tab = 0; tab < program.TabCount(); ++tab) {
            if (SendMessageW(tabs, TCM_GETITEMRECT, tab, memory.Put(0, RECT{}))) {
                strip = OnScreen(tabs, memory.Get<RECT>(0));
                break;
            }
        }
        RECT control;
        GetWindowRect(tabs, &control);
        strip.left = control.left;
        strip.right = control.right; // the scroll arrows too, when the tabs overflow
        const POINT point = Within(strip);
        const HWND under = WindowFromPoint(point);
        // A covered strip, its scroll arrows or the strip beside the tabs keep the tab.
        tappedTab = program.CurrentTab();
        if (under == tabs) {
            TCHITTESTINFO hit = {point, 0};
            ScreenToClient(tabs, &hit.pt);
            const auto index = SendMessageW(tabs, TCM_HITTEST, 0, memory.Put(0, hit));
            tappedTab = index >= 0 ? static_cast<int>(index) : tappedTab;
        }
        const bool covered = under != tabs && GetParent(under) != tabs;
        Tap(point, "tap on the tab strip" + std::string(covered ? " (covered)" : "") + ", tab " +
                       std::to_string(tappedTab));
    }

    // A tap on a row's field or label; its row, or -1 when something lay over it.
    int TapRow(int firstId) {
        const HWND page = program.VisiblePage();
        const int rows = page != nullptr ? static_cast<int>(Program::Rows(page).size()) : 0;
        if (rows == 0) {
            TapPage();
            return -1;
        }
        const int row = Pick(rows);
        const HWND control = GetDlgItem(page, firstId + row);
        RECT place;
        GetWindowRect(control, &place);
        const POINT point = Within(place);
        const bool reached = WindowFromPoint(point) == control; // not the input panel
        Tap(point, (firstId == IDC_ROW_EDIT ? "tap on row " : "tap on label ") +
                       std::to_string(row) + (reached ? "" : " (covered)"));
        return reached ? row : -1;
    }

    void TapPage() {
        RECT place;
        GetWindowRect(program.Tabs(), &place);
        place.bottom = place.top + (place.bottom - place.top) * 3 / 4;
        Tap(Within(place), "tap on the page");
    }

    void TypeKeys() {
        static const WORD keys[] = {'0',           '1',          '2', '3',          '4',
                                    '5',           '6',          '7', '8',          '9',
                                    VK_OEM_PERIOD, VK_OEM_MINUS, 'E', VK_OEM_COMMA, VK_BACK};
        static const char names[] = "0123456789.-e,<";
        std::string typed = "type ";
        for (int count = 1 + Pick(5); count > 0; --count) {
            const int key = Pick(ARRAYSIZE(keys));
            typed += names[key];
            PressKeys({keys[key]});
        }
        Note(typed);
        Settle();
    }

    Commit PressKeyAction() {
        const KeyAction& action = kKeyActions[Pick(ARRAYSIZE(kKeyActions))];
        Press(action.name, action.first, action.second);
        return action.commit;
    }

    RECT ButtonRect(int button) const {
        const RemoteMemory memory(program.process.hProcess, sizeof(RECT));
        SendMessageW(MenuBar(), TB_GETITEMRECT, button, memory.Put(0, RECT{}));
        return OnScreen(MenuBar(), memory.Get<RECT>(0));
    }

    // A menu title and an item of its menu, or Copy or Paste.
    Commit TapMenuBar() {
        if (Pick(4) == 0) {
            const int button = Pick(kButtons);
            Tap(Within(ButtonRect(button)), button == kCopyButton ? "tap on Copy" : "tap on Paste");
            return button == kCopyButton ? Commit::kNone : Commit::kPaste;
        }
        RECT titles;
        GetWindowRect(MenuBar(), &titles);
        titles.right = ButtonRect(kCopyButton).left;
        Tap(Within(titles), "tap on the menu titles");
        HWND menu = nullptr;
        if (!WaitFor([&] { return (menu = program.PopupMenuWindow()) != nullptr; }, 1000)) {
            return Commit::kNone;
        }
        RECT items;
        GetWindowRect(menu, &items);
        if (items.left < titles.left + kFileMenuSlack) {
            // File: Open... at times, and never Exit.
            if (Pick(4) == 0) {
                Note("Down, Enter: Open...");
                PressKeys({VK_DOWN});
                PressKeys({VK_RETURN});
                Settle();
            } else {
                Press("Escape", VK_ESCAPE);
            }
            return Commit::kNone;
        }
        if (items.bottom - items.top > kUnitMenuMinimum) {
            if (!CheckUnitMenu(items)) {
                return Commit::kFailed;
            }
        }
        Tap(Within(items), "tap in the menu");
        return Commit::kMaybe;
    }

    // The Unit menu, one item per page, marks the page of the tab selected: in the margin
    // before each item's text, ink on that item's only.
    bool CheckUnitMenu(const RECT& items) {
        const int pages = program.TabCount();
        const LONG height = (items.bottom - items.top - 2 * kMenuBorder) / pages;
        const auto mark = [&](int page) {
            const LONG top = items.top + kMenuBorder + page * height;
            return RECT{items.left + kMenuBorder, top + 1, items.left + height - 2,
                        top + height - 1};
        };
        const int tab = program.CurrentTab();
        WaitFor([&] { return InkIn(mark(tab)); }, 1000);
        for (int page = 0; page < pages; ++page) {
            if (InkIn(mark(page)) != (page == tab)) {
                return Fail("the Unit menu does not mark tab " + std::to_string(tab));
            }
        }
        return true;
    }

    void TapInputPanel() {
        const HWND panel =
            FindWindowExW(program.window, nullptr, L"MensurioSoftInputPanel", nullptr);
        if (panel != nullptr && IsWindowVisible(panel) && Pick(4) != 0) {
            RECT keys;
            GetWindowRect(panel, &keys);
            Tap(Within(keys), "tap on the input panel");
            return;
        }
        RECT button;
        GetWindowRect(MenuBar(), &button);
        button.left = button.right - ScaleToScreen(kSipButtonDesignWidth);
        Tap(Within(button), "tap on the input panel button");
    }

    bool Fail(const std::string& what) {
        violation = what;
        return false;
    }

    // A violation told with the rows, the clipboard before the step and the row it began in.
    bool FailWithRows(const std::string& what, const Texts& rows) {
        std::string told = what + ": rows";
        for (const std::wstring& row : rows) {
            told += " \"" + Narrow(row) + "\"";
        }
        return Fail(told + ", clipboard \"" + Narrow(clipboard) + "\", row " +
                    std::to_string(source));
    }

    bool Check(Commit commit, HWND pageBefore) {
        if (!program.IsRunning()) {
            return Fail("the program ended");
        }
        if (!Settle()) {
            return Fail("the program did not answer within 2 s");
        }
        if (program.Faults() != 0) {
            return Fail("a hardware exception was raised");
        }
        // The input may still be on its way through the program, which this process cannot
        // see: only a state that lasts is a violation.
        for (int waited = 0;; waited += kLookStep) {
            if (program.PopupMenuWindow() != nullptr || AboutBox() != nullptr ||
                program.OpenDialog() != nullptr || program.MessageBoxWindow() != nullptr) {
                return true; // the page is checked once they are gone
            }
            if (CheckPages() && CheckRows(commit, pageBefore)) {
                return true;
            }
            if (waited >= kSettleTime) {
                return false;
            }
            Sleep(kLookStep);
        }
    }

    bool CheckPages() {
        int visible = 0;
        HWND shown = nullptr;
        for (HWND child = FindWindowExW(program.Tabs(), nullptr, L"#32770", nullptr);
             child != nullptr; child = FindWindowExW(program.Tabs(), child, L"#32770", nullptr)) {
            if (IsWindowVisible(child)) {
                ++visible;
                shown = child;
            }
        }
        const int tab = program.CurrentTab();
        if (tappedTab >= 0 && tab != tappedTab) {
            return Fail("tab " + std::to_string(tab) + " selected after a tap on tab " +
                        std::to_string(tappedTab));
        }
        if (visible != 1 || tab < 0 || tab >= static_cast<int>(Pages().size())) {
            return Fail(std::to_string(visible) + " pages visible, tab " + std::to_string(tab) +
                        " selected");
        }
        Texts labels;
        for (int row = 0; row < kMaxRows; ++row) {
            if (const std::wstring label = TextOf(GetDlgItem(shown, IDC_ROW_LABEL + row));
                !label.empty()) {
                labels.push_back(label);
            }
        }
        Texts units;
        for (const Unit& unit : Pages()[tab]) {
            units.push_back(unit.name);
        }
        if (labels != units) {
            return Fail("the page shown is not tab " + std::to_string(tab) + "'s");
        }
        return true;
    }

    bool CheckRows(Commit commit, HWND pageBefore) {
        const HWND page = program.VisiblePage();
        const Texts rows = Program::Rows(page);
        for (const std::wstring& text : rows) {
            if (!Infinite(text) && text.find_first_not_of(L"0123456789.,-+eE") != text.npos) {
                return FailWithRows("a row holds what no key types", rows);
            }
        }
        if (commit == Commit::kNone || page != pageBefore) {
            return true;
        }
        const auto written = [](const std::wstring& text) {
            double value = 0;
            return PlainNumber(text, value) || Infinite(text);
        };
        if (commit == Commit::kLabel) {
            if (rows[source] != (program.CurrentTab() == 0 ? L"0" : L"1")) {
                return FailWithRows("the tapped label's row does not show one of its unit", rows);
            }
            return SameQuantity(rows);
        }
        if (commit == Commit::kRow ? Accepted(rows[source])
            : commit == Commit::kPaste
                ? Accepted(clipboard)
                // Some row took a value if every row was rewritten.
                : rows != before && std::all_of(rows.begin(), rows.end(), written)) {
            return SameQuantity(rows);
        }
        return true;
    }

    // Whether the page takes a text into the source row: a number as it stands and, on the
    // temperature page, not below absolute zero.
    bool Accepted(const std::wstring& text) const {
        double value = 0;
        if (!PlainNumber(text, value)) {
            return false;
        }
        const Unit& unit = Pages()[program.CurrentTab()][source];
        return value * unit.scale + unit.offset >= 0 || program.CurrentTab() != 0;
    }

    // Each row's number within the six digits shown of the same quantity.
    bool SameQuantity(const Texts& rows) {
        ++quantityChecks;
        const PageUnits& units = Pages()[program.CurrentTab()];
        std::vector<double> quantity;
        std::vector<double> error;
        for (size_t row = 0; row < rows.size(); ++row) {
            double value = 0;
            if (Infinite(rows[row])) {
                continue; // beyond the doubles in this unit
            }
            if (!PlainNumber(rows[row], value)) {
                return FailWithRows("a row holds no number after a commit", rows);
            }
            quantity.push_back(value * units[row].scale + units[row].offset);
            error.push_back(6e-6 * std::fabs(value) * units[row].scale);
        }
        for (size_t row = 1; row < quantity.size(); ++row) {
            if (std::fabs(quantity[row] - quantity[0]) >
                error[row] + error[0] + 1e-12 * std::fabs(quantity[0])) {
                return FailWithRows("the rows show different quantities after a commit", rows);
            }
        }
        return true;
    }

    Program& program;
    std::mt19937 random;
    const unsigned seed;
    int step = 0;
    std::deque<std::string> steps;
    // Before the step: the rows, the row with the focus, the clipboard's text.
    Texts before;
    int source = -1;
    std::wstring clipboard;
    // The tab a tap on the strip selects, or -1.
    int tappedTab = -1;
};

int Setting(const char* name, int otherwise) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : otherwise;
}

TEST(Monkey, RandomTapsAndKeysLeaveTheProgramWhole) {
    const int steps = Setting("MENSURIO_MONKEY_STEPS", 500);
    const unsigned seed = static_cast<unsigned>(Setting("MENSURIO_MONKEY_SEED", 1));
    const TempDefinitionFile file(DefinitionFile());
    const std::wstring saved = RememberedDefinitionFile();
    RememberDefinitionFile(file.Path());
    {
        Program program;
        ASSERT_NE(nullptr, program.window);
        ASSERT_EQ(static_cast<int>(Pages().size()), program.TabCount());
        SetForegroundWindow(program.window);
        Monkey monkey(program, seed);
        int step = 1;
        for (; step <= steps && monkey.Step(step); ++step) {
        }
        if (step <= steps) {
            ADD_FAILURE() << monkey.violation << "\n" << monkey.Told();
        }
        printf("seed %u: %d steps, %d commits compared\n", seed, step - 1, monkey.quantityChecks);
        // Open... never chose a file: the one given is the one written back at exit.
        EXPECT_EQ(0u, program.Exit());
        EXPECT_EQ(std::wstring(file.Path()), RememberedDefinitionFile());
    }
    RememberDefinitionFile(saved.c_str());
}

} // namespace
