// A long random run of what a user does with the real program: taps on tabs, rows, labels,
// the menu bar and its menus, the input panel; keys typed into rows; the About box and the
// Open dialog opened and left. Every event is real input at a screen position. After each
// step the program must answer, show exactly the page of its tab and of the Unit menu's
// check, hold in its rows only what a user could type or it wrote, show one quantity in
// every row after a commit, and remember the definition file it was given.
//
// MENSURIO_MONKEY_STEPS and MENSURIO_MONKEY_SEED choose a longer or another run; a failure
// prints the seed, the step and the steps before it, to be replayed.
#include "ProgramDriver.h"
#include "converter/conversion/ConversionRules.h"
#include "converter/definitions/tests/DefinitionFiles.h"
#include "framework/app/tests/RealInput.h"
#include "platform/MenuBar.h"
#include "platform/Screen.h"
#include "resources/converter_ids.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The menu bar: the titles File, Edit, Unit and Help, then the buttons Copy and Paste, and
// the input panel's button at the right end.
constexpr int kUnitMenu = 2;
constexpr int kCopyButton = 0;
constexpr int kButtons = 2;
constexpr LONG kTitleSlack = 8;
constexpr size_t kStepsTold = 20;
// The program answers within kAnswerTime ms; kSettlingMessages of its answers follow the
// input given before them.
constexpr UINT kAnswerTime = 2000;
constexpr int kSettlingMessages = 4;
constexpr int kSettledRounds = 2;
constexpr int kRoundPause = 5;
// How long a violation must last to count, looked at every kLookStep ms.
constexpr int kSettleTime = 2000;
constexpr int kLookStep = 20;

// What a step may have committed: nothing; the text of a known row (Enter in it, a tap on
// its label) or the clipboard's pasted into it, which must then show on every row unless
// the page refuses it; or some value by a menu command, seen only when rows change.
enum class Commit { kNone, kRow, kPaste, kMaybe };

// A page as the user sees it: its row labels, and how a row's number becomes the page's
// quantity (in the page's first unit, or kelvin) with the error six digits allow.
struct PageKind {
    Texts labels;
    std::vector<double> scale;  // of each row, into the page's quantity
    std::vector<double> offset; // added after scaling: temperatures only
};

const std::vector<PageKind>& KnownPages() {
    static const std::vector<PageKind> pages = {
        {{L"C degree celsius", L"F fahrenheid", L"K absolute"},
         {1, 5.0 / 9, 1},
         {273.15, 273.15 - 32 * 5.0 / 9, 0}},
        {{L"sec", L"min", L"hour", L"day", L"year"},
         std::vector<double>(std::begin(kSecondsPerUnit), std::end(kSecondsPerUnit)),
         std::vector<double>(kTimeRows, 0)},
        {{L"m", L"km", L"inch", L"mile"}, {1, 1000, 0.0254, 1609.344}, std::vector<double>(4, 0)},
        {{L"g", L"kg", L"lb", L"t", L"mg"},
         {1, 1000, 453.59237, 1e6, 0.001},
         std::vector<double>(5, 0)},
        {{}, {}, {}},
        {{L"s", L"ms"}, {1, 0.001}, {0, 0}},
        {{L"l", L"ml", L"gal"}, {1, 0.001, 3.785411784}, std::vector<double>(3, 0)},
        {{L"Pa", L"kPa", L"bar"}, {1, 1000, 1e5}, std::vector<double>(3, 0)},
        {{L"J", L"kJ", L"cal"}, {1, 1000, 4.184}, std::vector<double>(3, 0)},
    };
    return pages;
}

constexpr char kDefinitionFile[] =
    "[Length]\r\n\"m\" = 1\r\n\"km\" = 1000\r\n\"inch\" = 0.0254\r\n"
    "\"mile\" = 1609.344\r\n"
    "[Mass]\r\n\"g\" = 1\r\n\"kg\" = 1000\r\n\"lb\" = 453.59237\r\n"
    "\"t\" = 1000000\r\n\"mg\" = 0.001\r\n"
    "[Nothing]\r\n"
    "[Duration]\r\n\"s\" = 1\r\n\"ms\" = 0.001\r\n"
    "[Volume]\r\n\"l\" = 1\r\n\"ml\" = 0.001\r\n\"gal\" = 3.785411784\r\n"
    "[Pressure]\r\n\"Pa\" = 1\r\n\"kPa\" = 1000\r\n\"bar\" = 100000\r\n"
    "[Energy]\r\n\"J\" = 1\r\n\"kJ\" = 1000\r\n\"cal\" = 4.184\r\n";

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

// Whether a row's text is one the program writes for a value.
bool ProgramWritten(const std::wstring& text) {
    double value = 0;
    return PlainNumber(text, value) || text == L"inf" || text == L"-inf";
}

// Whether every character of a row could have been typed, or the row shows what the
// program writes for a value beyond the doubles.
bool Typeable(const std::wstring& text) {
    return text == L"inf" || text == L"-inf" ||
           text.find_first_not_of(L"0123456789.,-+eE") == std::wstring::npos;
}

std::wstring ClipboardText() {
    std::wstring text;
    if (OpenClipboard(nullptr)) {
        if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = chars;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    return text;
}

HWND MenuBar(const Program& program) {
    return FindWindowExW(program.window, nullptr, kMenuBarClassName, nullptr);
}

RECT OnScreen(HWND window, RECT rect) {
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class Monkey {
public:
    Monkey(Program& program, unsigned seed) : program(program), random(seed), seed(seed) {
        remembered = RememberedDefinitionFile();
    }

    // One random action and the checks after it; false at the first violation, told.
    bool Step(int step) {
        this->step = step;
        const HWND page = program.VisiblePage();
        const Texts before = page != nullptr ? Program::Rows(page) : Texts{};
        int source = RowOf(program.Focus());
        clipboard = ClipboardText();
        Commit commit = Commit::kNone;
        if (CloseWhatIsOpen()) {
            // The step was spent leaving a dialog or a menu.
        } else {
            switch (Pick(14)) {
            case 0:
                TapTab();
                break;
            case 1:
            case 2:
                TapRow(IDC_ROW_EDIT);
                break;
            case 3:
                source = TapRow(IDC_ROW_LABEL);
                commit = source >= 0 ? Commit::kRow : Commit::kNone;
                break;
            case 4:
            case 5:
            case 6:
                TypeKeys();
                break;
            case 7:
                Press("Enter", {VK_RETURN});
                commit = Commit::kRow;
                break;
            case 8:
                PressOther();
                break;
            case 9:
                commit = ClipboardKeys() ? Commit::kPaste : Commit::kNone;
                break;
            case 10:
            case 11:
                commit = TapMenuBar();
                break;
            case 12:
                TapInputPanel();
                break;
            default:
                TapPage();
                break;
            }
        }
        if (commit != Commit::kNone && source < 0) {
            commit = Commit::kMaybe; // keys on the tabs, say
        }
        return Check(commit, page, source, before);
    }

    std::string Told() const {
        std::ostringstream told;
        told << "seed " << seed << ", step " << step << "; the last steps:\n";
        for (const std::string& line : steps) {
            told << "  " << line << "\n";
        }
        return told.str();
    }

    std::string violation;

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }

    void Note(const std::string& what) {
        std::ostringstream line;
        line << step << ": " << what;
        steps.push_back(line.str());
        if (steps.size() > kStepsTold) {
            steps.pop_front();
        }
    }

    // What the checks look at, in one text.
    std::wstring Snapshot() const {
        std::wstring seen = std::to_wstring(reinterpret_cast<uintptr_t>(program.Focus())) + L"|" +
                            std::to_wstring(program.CurrentTab()) + L"|" +
                            (program.PopupMenuWindow() != nullptr ? L"menu|" : L"|");
        if (const HWND page = program.VisiblePage()) {
            for (const std::wstring& row : Program::Rows(page)) {
                seen += row + L"|";
            }
        }
        return seen;
    }

    // Waits until the program has taken what input this process gave it: the input is in
    // its queue, and a message sent here is answered when the program next asks for a
    // message. Modal loops ask often, and messages the input brings may be posted: what it
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
            Sleep(kRoundPause);
        }
        return true;
    }

    void Tap(POINT point, const std::string& what) {
        std::ostringstream line;
        line << what << " at " << point.x << "," << point.y;
        Note(line.str());
        TapAt(point);
        Settle();
    }

    void Press(const char* what, std::initializer_list<WORD> keys) {
        Note(what);
        PressKeys(keys);
        Settle();
    }

    POINT Within(const RECT& rect) {
        const LONG width = std::max<LONG>(1, rect.right - rect.left - 2);
        const LONG height = std::max<LONG>(1, rect.bottom - rect.top - 2);
        return {rect.left + 1 + Pick(width), rect.top + 1 + Pick(height)};
    }

    int RowOf(HWND focus) const {
        const HWND page = program.VisiblePage();
        for (int row = 0; row < 9 && page != nullptr; ++row) {
            if (focus != nullptr && GetDlgItem(page, IDC_ROW_EDIT + row) == focus) {
                return row;
            }
        }
        return -1;
    }

    // A dialog, box or menu left open by the last step is left again, as a user would.
    bool CloseWhatIsOpen() {
        if (const HWND box = program.MessageBoxWindow()) {
            Press("Enter on a message box", {VK_RETURN});
            WaitFor([&] { return !IsWindow(box); }, 2000);
            return true;
        }
        if (const HWND dialog = program.OpenDialog()) {
            Press("Escape on the Open dialog", {VK_ESCAPE});
            WaitFor([&] { return !IsWindowVisible(dialog); }, 2000);
            return true;
        }
        if (const HWND about = AboutBox()) {
            Press("Escape on the About box", {VK_ESCAPE});
            WaitFor([&] { return !IsWindow(about); }, 2000);
            return true;
        }
        if (program.PopupMenuWindow() != nullptr) {
            Press("Escape on a menu", {VK_ESCAPE});
            return true;
        }
        return false;
    }

    HWND AboutBox() const { return FindWindowW(nullptr, L"About..."); }

    void TapTab() {
        const HWND tabs = program.Tabs();
        const RemoteMemory memory(program.process.hProcess, sizeof(RECT));
        // The height of the strip, from a tab in view: those scrolled off the strip have no
        // rectangle.
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
        Tap(Within(strip), "tap on the tab strip");
    }

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
        // The input panel may lie over it and take the tap.
        const bool reached = WindowFromPoint(point) == control;
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

    void PressOther() {
        switch (Pick(3)) {
        case 0:
            Press("Tab", {VK_TAB});
            break;
        case 1:
            Press("Shift+Tab", {VK_SHIFT, VK_TAB});
            break;
        default:
            Press("Escape", {VK_ESCAPE});
            break;
        }
    }

    // Copy or paste by keys; true for a paste, which commits.
    bool ClipboardKeys() {
        switch (Pick(4)) {
        case 0:
            Press("Ctrl+C", {VK_CONTROL, 'C'});
            return false;
        case 1:
            Press("Ctrl+Insert", {VK_CONTROL, VK_INSERT});
            return false;
        case 2:
            Press("Ctrl+V", {VK_CONTROL, 'V'});
            return true;
        default:
            Press("Shift+Insert", {VK_SHIFT, VK_INSERT});
            return true;
        }
    }

    RECT ButtonRect(int button) const {
        const HWND bar = MenuBar(program);
        const RemoteMemory memory(program.process.hProcess, sizeof(RECT));
        SendMessageW(bar, TB_GETITEMRECT, button, memory.Put(0, RECT{}));
        return OnScreen(bar, memory.Get<RECT>(0));
    }

    // A menu title and an item of its menu, or Copy or Paste.
    Commit TapMenuBar() {
        const HWND bar = MenuBar(program);
        RECT titles;
        GetWindowRect(bar, &titles);
        const RECT copy = ButtonRect(kCopyButton);
        if (Pick(4) == 0) {
            const int button = Pick(kButtons);
            Tap(Within(ButtonRect(button)), button == kCopyButton ? "tap on Copy" : "tap on Paste");
            return button == kCopyButton ? Commit::kNone : Commit::kPaste;
        }
        titles.right = copy.left;
        Tap(Within(titles), "tap on the menu titles");
        HWND menu = nullptr;
        if (!WaitFor([&] { return (menu = program.PopupMenuWindow()) != nullptr; }, 1000)) {
            return Commit::kNone;
        }
        RECT items;
        GetWindowRect(menu, &items);
        // The File menu opens at the bar's left end: Open... at times, and never Exit.
        if (items.left < titles.left + kTitleSlack) {
            if (Pick(4) == 0) {
                Press("Down, Enter: Open...", {VK_DOWN});
                PressKeys({VK_RETURN});
                Settle();
            } else {
                Press("Escape", {VK_ESCAPE});
            }
            return Commit::kNone;
        }
        Tap(Within(items), "tap in the menu");
        return Commit::kMaybe;
    }

    void TapInputPanel() {
        const HWND panel = FindWindowW(L"MensurioSoftInputPanel", nullptr);
        if (panel != nullptr && IsWindowVisible(panel) && Pick(4) != 0) {
            RECT keys;
            GetWindowRect(panel, &keys);
            Tap(Within(keys), "tap on the input panel");
            return;
        }
        RECT button;
        GetWindowRect(MenuBar(program), &button);
        button.left = button.right - ScaleToScreen(kSipButtonDesignWidth);
        Tap(Within(button), "tap on the input panel button");
    }

    // The rows and what was on the clipboard, for a violation's report.
    std::string Shown(const Texts& rows) const {
        const auto quoted = [](const Texts& texts) {
            std::string shown;
            for (const std::wstring& text : texts) {
                shown += " \"" + std::string(text.begin(), text.end()) + "\"";
            }
            return shown;
        };
        return ": rows" + quoted(rows) + " (before the step" + quoted(rowsBefore) + "), clipboard" +
               quoted({clipboard}) + ", row " + std::to_string(sourceRow);
    }

    bool Fail(const std::string& what) {
        violation = what;
        return false;
    }

    bool Check(Commit commit, HWND pageBefore, int source, const Texts& before) {
        if (!Settle()) {
            return Fail("the program did not answer within 2 s");
        }
        if (program.Faults() != 0) {
            return Fail("a hardware exception was raised");
        }
        if (!program.IsRunning()) {
            return Fail("the program ended");
        }
        if (RememberedDefinitionFile() != remembered) {
            return Fail("the remembered definition file changed");
        }
        // The input may still be on its way through the program, which this process cannot
        // see: only a state that lasts is a violation.
        for (int waited = 0;; waited += kLookStep) {
            if (program.PopupMenuWindow() != nullptr || AboutBox() != nullptr ||
                program.OpenDialog() != nullptr || program.MessageBoxWindow() != nullptr) {
                return true; // the page is checked once they are gone
            }
            if (CheckPages() && CheckRows(commit, pageBefore, source, before)) {
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
        if (visible != 1) {
            return Fail(std::to_string(visible) + " pages visible, tab " +
                        std::to_string(program.CurrentTab()) + " selected");
        }
        const int tab = program.CurrentTab();
        if (tab < 0 || tab >= static_cast<int>(KnownPages().size())) {
            return Fail("tab " + std::to_string(tab) + " selected");
        }
        Texts labels;
        for (int row = 0; row < 9; ++row) {
            const std::wstring label = TextOf(GetDlgItem(shown, IDC_ROW_LABEL + row));
            if (!label.empty()) {
                labels.push_back(label);
            }
        }
        if (labels != KnownPages()[tab].labels) {
            return Fail("the page shown is not tab " + std::to_string(tab) + "'s");
        }
        const auto menu =
            reinterpret_cast<HMENU>(SendMessageW(MenuBar(program), SHCMBM_GETMENU, 0, 0));
        const HMENU units = GetSubMenu(menu, kUnitMenu);
        for (int page = 0; page < program.TabCount(); ++page) {
            const UINT state = GetMenuState(units, IDC_PAGE + page, MF_BYCOMMAND);
            if (state != static_cast<UINT>(-1) && ((state & MF_CHECKED) != 0) != (page == tab)) {
                return Fail("the Unit menu's check is not on tab " + std::to_string(tab));
            }
        }
        return true;
    }

    bool CheckRows(Commit commit, HWND pageBefore, int source, const Texts& before) {
        rowsBefore = before;
        sourceRow = source;
        const HWND page = program.VisiblePage();
        const Texts rows = Program::Rows(page);
        for (const std::wstring& text : rows) {
            if (!Typeable(text)) {
                return Fail("a row holds what no key types" + Shown(rows));
            }
        }
        if (commit == Commit::kNone || page != pageBefore) {
            return true;
        }
        if (commit == Commit::kRow ? Accepted(rows[source], source)
            : commit == Commit::kPaste
                ? Accepted(clipboard, source)
                // Some row took a value when every row was rewritten.
                : rows != before && std::all_of(rows.begin(), rows.end(), ProgramWritten)) {
            return SameQuantity(rows);
        }
        return true;
    }

    // Whether the page takes a text into a row: a number as it stands and, on the
    // temperature page, not below absolute zero.
    bool Accepted(const std::wstring& text, int row) const {
        double value = 0;
        if (!PlainNumber(text, value)) {
            return false;
        }
        const PageKind& kind = KnownPages()[program.CurrentTab()];
        return program.CurrentTab() != 0 || value * kind.scale[row] + kind.offset[row] >= 0;
    }

    bool SameQuantity(const Texts& rows) {
        ++quantityChecks;
        const PageKind& kind = KnownPages()[program.CurrentTab()];
        std::vector<double> quantity;
        std::vector<double> error;
        for (size_t row = 0; row < rows.size(); ++row) {
            double value = 0;
            if (!PlainNumber(rows[row], value)) {
                if (rows[row] == L"inf" || rows[row] == L"-inf") {
                    continue; // beyond the doubles in this unit
                }
                return Fail("row " + std::to_string(row) + " holds no number after a commit" +
                            Shown(rows));
            }
            quantity.push_back(value * kind.scale[row] + kind.offset[row]);
            error.push_back(6e-6 * std::fabs(value) * kind.scale[row]);
        }
        for (size_t row = 1; row < quantity.size(); ++row) {
            const double apart = std::fabs(quantity[row] - quantity[0]);
            if (apart > error[row] + error[0] + 1e-12 * std::fabs(quantity[0])) {
                return Fail("the rows show different quantities after a commit" + Shown(rows));
            }
        }
        return true;
    }

    Program& program;
    std::mt19937 random;
    unsigned seed;
    int step = 0;
    std::wstring remembered;
    std::deque<std::string> steps;
    std::wstring clipboard; // before the step
    Texts rowsBefore;
    int sourceRow = -1;

public:
    int quantityChecks = 0; // commits whose rows were compared
};

int Setting(const char* name, int otherwise) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : otherwise;
}

TEST(Monkey, RandomTapsAndKeysLeaveTheProgramWhole) {
    const int steps = Setting("MENSURIO_MONKEY_STEPS", 500);
    const unsigned seed = static_cast<unsigned>(Setting("MENSURIO_MONKEY_SEED", 1));
    const TempDefinitionFile file(kDefinitionFile);
    const std::wstring saved = RememberedDefinitionFile();
    RememberDefinitionFile(file.Path());
    {
        Program program;
        ASSERT_NE(nullptr, program.window);
        ASSERT_EQ(static_cast<int>(KnownPages().size()), program.TabCount());
        SetForegroundWindow(program.window);
        Monkey monkey(program, seed);
        int step = 1;
        for (; step <= steps; ++step) {
            if (!monkey.Step(step)) {
                ADD_FAILURE() << monkey.violation << "\n" << monkey.Told();
                break;
            }
        }
        printf("seed %u: %d steps, %d commits compared\n", seed, step - 1, monkey.quantityChecks);
    }
    RememberDefinitionFile(saved.c_str());
}

} // namespace
