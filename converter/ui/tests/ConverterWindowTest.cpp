// The converter's main window and pages on real windows: what they show, what typing and
// taps do, the tabs and the Unit menu, and the remembered definition path.
#include "converter/ui/ConverterWindow.h"
#include "converter/ui/ConverterSettings.h"
#include "framework/app/Application.h"
#include "framework/app/InputPanel.h"
#include "framework/app/RegistryKey.h"
#include "platform/MenuBar.h"
#include "platform/Screen.h"
#include "platform/SoftInputPanel.h"
#include "resources/converter_ids.h"
#include "test_support/DefinitionFiles.h"
#include "test_support/MessageBoxRecorder.h"
#include "test_support/MessagePump.h"
#include "test_support/PixelCanvas.h"
#include "test_support/ReadOnlyKey.h"
#include "test_support/RealInput.h"
#include "test_support/TestApplication.h"
#include "test_support/Texts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

class ConverterWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitTestApplication(); }

    // The window reads and writes the remembered path: keep the prefix's own.
    void SetUp() override { saved.Load(); }

    void TearDown() override {
        SHSipPreference(nullptr, SIP_FORCEDOWN);
        window.reset();
        PumpMessages();
        saved.Save();
        Application::japanese = FALSE;
    }

    // Opens the main window on a definition file holding `bytes`.
    void Open(const std::string& bytes) {
        file = std::make_unique<TempDefinitionFile>(bytes);
        RegistryKey key(HKEY_CURRENT_USER);
        key.Create(L"Software\\Orvintek\\Mensurio");
        key.WriteString(L"ini", file->Path());
        key.Close();
        window = std::make_unique<ConverterWindow>();
        ASSERT_TRUE(window->Create(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   WS_CLIPCHILDREN, 0, COLOR_WINDOW));
        PumpMessages();
    }

    // A page, its dialog made by showing it if it was never shown.
    ConverterPage& Page(int index) {
        if (window->pages[index].object->handle == nullptr) {
            window->SelectPage(index);
        }
        return *window->pages[index].object;
    }

    Texts Rows(int index) {
        Texts texts;
        for (int row = 0; row < Page(index).rowCount; ++row) {
            texts.push_back(TextOf(Page(index).edits[row]->handle));
        }
        return texts;
    }

    Texts Tabs() {
        Texts texts;
        const int count = TabCtrl_GetItemCount(window->tabControl.handle);
        for (int index = 0; index < count; ++index) {
            wchar_t text[64] = {};
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = 64;
            TabCtrl_GetItem(window->tabControl.handle, index, &item);
            texts.push_back(text);
        }
        return texts;
    }

    Texts UnitMenu() {
        Texts texts;
        const HMENU units = GetSubMenu(window->menu.handle, 2);
        for (int index = 0; index < GetMenuItemCount(units); ++index) {
            wchar_t text[64] = {};
            GetMenuStringW(units, index, text, 64, MF_BYPOSITION);
            texts.push_back(std::to_wstring(GetMenuItemID(units, index)) + L" " + text);
        }
        return texts;
    }

    void Type(int page, int row, const std::wstring& keys) {
        const HWND edit = Page(page).edits[row]->handle;
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        for (wchar_t key : keys) {
            SendMessageW(edit, WM_CHAR, key, 1);
        }
    }

    static void SetClipboard(const std::wstring& text) {
        OpenClipboard(nullptr);
        EmptyClipboard();
        const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }

    static std::wstring ClipboardText() {
        std::wstring text;
        OpenClipboard(nullptr);
        if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }

    // The Paste command with `text` on the clipboard and the row focused.
    void Paste(int page, int row, const std::wstring& text) {
        SetClipboard(text);
        Type(page, row, L"");
        SendMessageW(window->handle, WM_COMMAND, IDC_PASTE, 0);
    }

    // The width of the Unit menu as it drops down.
    int UnitMenuWidth() {
        static int width;
        width = 0;
        SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
            KillTimer(nullptr, timer);
            RECT popup = {};
            GetWindowRect(FindWindowW(L"#32768", nullptr), &popup);
            width = popup.right - popup.left;
            EndMenu();
        });
        TrackPopupMenuEx(GetSubMenu(window->menu.handle, 2), TPM_RETURNCMD, 0, 0, window->handle,
                         nullptr);
        return width;
    }

    void TapLabel(int page, int row) {
        SendMessageW(Page(page).labels[row]->handle, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    }

    MessageBoxRecorder recorder;
    ConverterSettings saved;
    std::unique_ptr<TempDefinitionFile> file;
    std::unique_ptr<ConverterWindow> window;
};

const char kThreeSections[] = "[Length]\r\n\"m\" = 1\r\n\"km\" = 1000\r\n\"inch\" = 0.0254\r\n"
                              "\"ft\" = 0.3048\r\n"
                              "[Pressure]\r\n\"Pa\" = 1 (1)\r\n\"atm\" = 101325 (1)\r\n"
                              "[Empty]\r\n";

TEST_F(ConverterWindowTest, TabsAndUnitMenuFollowTheDefinitionFile) {
    Open(kThreeSections);
    EXPECT_EQ((Texts{L"Temp", L"Time", L"Length", L"Pressure", L"Empty"}), Tabs());
    EXPECT_EQ((Texts{L"40301 Temparature", L"40302 Time", L"40303 Length", L"40304 Pressure",
                     L"40305 Empty"}),
              UnitMenu());
    EXPECT_EQ(5, window->PageCount());
    EXPECT_EQ(0, window->currentPage);
    EXPECT_TRUE(recorder.Boxes().empty());
    // Each tab is as wide as its text, the file's tabs included.
    RECT time = {}, pressure = {};
    TabCtrl_GetItemRect(window->tabControl.handle, 1, &time);
    TabCtrl_GetItemRect(window->tabControl.handle, 3, &pressure);
    EXPECT_GT(pressure.right - pressure.left, time.right - time.left);

    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE + 3, 0);
    EXPECT_EQ(3, window->currentPage);
    EXPECT_EQ(3, TabCtrl_GetCurSel(window->tabControl.handle));
    EXPECT_TRUE(GetWindowLongPtrW(Page(3).handle, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongPtrW(Page(0).handle, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(ConverterWindowTest, AnotherFileLeavesExactlyItsFirstPageShown) {
    Open(kThreeSections);
    const TempDefinitionFile other("[Mass]\r\n\"g\" = 1\r\n\"kg\" = 1000\r\n");
    // From a category tab whose page goes away, and from the Time tab.
    for (const int from : {3, 1}) {
        window->SelectPage(from);
        window->ReplaceCategoryPages(other.Path());
        int shown = 0;
        for (const ConverterWindow::Page& page : window->pages) {
            const HWND dialog = page.object->handle;
            shown += dialog != nullptr && (GetWindowLongPtrW(dialog, GWL_STYLE) & WS_VISIBLE) != 0;
        }
        EXPECT_EQ(1, shown) << "from page " << from;
        EXPECT_TRUE(GetWindowLongPtrW(Page(0).handle, GWL_STYLE) & WS_VISIBLE) << from;
        EXPECT_EQ(0, TabCtrl_GetCurSel(window->tabControl.handle));
        EXPECT_EQ((Texts{L"Temp", L"Time", L"Mass"}), Tabs());
        EXPECT_EQ((Texts{L"40301 Temparature", L"40302 Time", L"40303 Mass"}), UnitMenu());
    }
}

TEST_F(ConverterWindowTest, ChosenFileIsRememberedWithItsDriveUnlessItCannotBeRead) {
    Open(kThreeSections);
    const TempDefinitionFile mass("[Mass]\r\n\"g\" = 1\r\n");
    // The dialog names the file without its drive, from the root of the current one.
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    SetCurrentDirectoryW(std::wstring(mass.Path(), 3).c_str());
    window->ReplaceCategoryPages(mass.Path() + 2);
    SetCurrentDirectoryW(current);
    EXPECT_STREQ(mass.Path(), window->settings.definitionPath);
    EXPECT_EQ((Texts{L"Temp", L"Time", L"Mass"}), Tabs());
    // Read and let go: nothing holds the file any more.
    const HANDLE alone =
        CreateFileW(mass.Path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, alone);
    CloseHandle(alone);

    // A file that another program holds without sharing: told why, and nothing changes.
    const TempDefinitionFile held("[Held]\r\n");
    const HANDLE holder =
        CreateFileW(held.Path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    window->ReplaceCategoryPages(held.Path());
    CloseHandle(holder);
    EXPECT_EQ((Texts{L"Temp", L"Time", L"Mass"}), Tabs());
    EXPECT_STREQ(mass.Path(), window->settings.definitionPath);
    EXPECT_EQ(Texts{L"'" + std::wstring(held.Path()) +
                    L"' could not be read: another program is using it."},
              recorder.Texts());
}

// At start-up the box waits for the window to be on screen, and says which file it means.
TEST_F(ConverterWindowTest, ProblemsOfTheRememberedFileAreToldOverTheWindowWithItsName) {
    Open("[A]\r\n\"m\" = 1 x\r\n");
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(window->handle, recorder.Boxes()[0].owner);
    EXPECT_EQ(std::wstring(file->Path()) + L"\nsyntax error in line 2", recorder.Texts()[0]);
    // Chosen again with Open..., the same box.
    window->ReplaceCategoryPages(file->Path());
    ASSERT_EQ(2u, recorder.Boxes().size());
    EXPECT_EQ(window->handle, recorder.Boxes()[1].owner);
    EXPECT_EQ(recorder.Texts()[0], recorder.Texts()[1]);
    // Read and let go.
    const HANDLE alone =
        CreateFileW(file->Path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, alone);
    CloseHandle(alone);
}

TEST_F(ConverterWindowTest, FixedPagesStartAtZeroCelsiusAndOneSecond) {
    Open(kThreeSections);
    EXPECT_EQ((Texts{L"0", L"32", L"273.15"}), Rows(0));
    EXPECT_EQ((Texts{L"1", L"0.0166667", L"0.000277778", L"1.15741e-05", L"3.16888e-08"}), Rows(1));
    EXPECT_EQ(L"C degree celsius", TextOf(Page(0).labels[0]->handle));
    EXPECT_EQ(L"year", TextOf(Page(1).labels[4]->handle));
}

TEST_F(ConverterWindowTest, UnitPageShowsItsUnitsAndHidesUnusedRows) {
    Open(kThreeSections);
    ConverterPage& length = Page(2);
    EXPECT_EQ(4, length.rowCount);
    EXPECT_EQ((Texts{L"1", L"0.001", L"39.3701", L"3.28084"}), Rows(2));
    EXPECT_EQ(L"inch", TextOf(length.labels[2]->handle));
    for (int row = 4; row < 9; ++row) {
        EXPECT_FALSE(GetWindowLongPtrW(GetDlgItem(length.handle, IDC_ROW_EDIT + row), GWL_STYLE) &
                     WS_VISIBLE);
    }
    // Engineering notation, right-aligned in 13 characters.
    EXPECT_EQ((Texts{L"            1", L"   9.86923e-6"}), Rows(3));
    EXPECT_EQ(0, Page(4).rowCount);
}

TEST_F(ConverterWindowTest, TypingFiltersCharactersAndEnterConverts) {
    Open(kThreeSections);
    Type(2, 1, L"2x,\x18");
    EXPECT_EQ(L"2,", TextOf(Page(2).edits[1]->handle));
    EXPECT_EQ(L"1", TextOf(Page(2).edits[0]->handle)); // typing alone converts nothing
    Type(2, 1, L"2\r");
    EXPECT_EQ((Texts{L"2000", L"2", L"78740.2", L"6561.68"}), Rows(2));
    EXPECT_EQ(Page(2).edits[1]->handle, GetFocus());

    // The OK command converts from the focused row, normalising its text.
    Type(2, 0, L"1.50");
    SendMessageW(Page(2).handle, WM_COMMAND, IDOK, 0);
    EXPECT_EQ((Texts{L"1.5", L"0.0015", L"59.0551", L"4.92126"}), Rows(2));
}

TEST_F(ConverterWindowTest, LabelTapsCommitOneUnitOrZeroDegrees) {
    Open(kThreeSections);
    TapLabel(0, 1);
    EXPECT_EQ((Texts{L"-17.7778", L"0", L"255.372"}), Rows(0));
    TapLabel(1, 3);
    EXPECT_EQ((Texts{L"86400", L"1440", L"24", L"1", L"0.00273791"}), Rows(1));
    TapLabel(2, 1);
    EXPECT_EQ((Texts{L"1000", L"1", L"39370.1", L"3280.84"}), Rows(2));
}

TEST_F(ConverterWindowTest, RowsTakeWholeNumbersUpToTheirLimitAndReadTheirOwnText) {
    Open(kThreeSections);
    // A number wider than its field scrolls in whole, and converts.
    Type(2, 0, std::wstring(400, L'9'));
    EXPECT_EQ(259u, TextOf(Page(2).edits[0]->handle).size()); // what a row's text holds
    Paste(2, 1, L"12345678901234567890");
    EXPECT_EQ((Texts{L"1.23457e+22", L"1.23457e+19", L"4.8605e+23", L"4.05042e+22"}), Rows(2));
    // Beyond every double the rows show "inf", and an Enter on one changes nothing.
    Type(2, 1, L"1e308\r");
    EXPECT_EQ((Texts{L"inf", L"1e+308", L"inf", L"inf"}), Rows(2));
    Type(2, 0, L"\r");
    EXPECT_EQ((Texts{L"inf", L"1e+308", L"inf", L"inf"}), Rows(2));
}

TEST_F(ConverterWindowTest, TextsThatAreNoNumberAsTheyStandConvertNothing) {
    Open(kThreeSections);
    const Texts length = Rows(2);
    // Typed: a comma that groups no thousands; the row keeps the text to be mended, selected.
    const HWND metre = Page(2).edits[0]->handle;
    Type(2, 0, L"2,54\r");
    EXPECT_EQ((Texts{L"2,54", length[1], length[2], length[3]}), Rows(2));
    EXPECT_EQ(metre, GetFocus());
    EXPECT_EQ(MAKELONG(0, 4), SendMessageW(metre, EM_GETSEL, 0, 0));
    Type(2, 0, L"1,000\r");
    EXPECT_EQ((Texts{L"1000", L"1", L"39370.1", L"3280.84"}), Rows(2));
    // Pasted: longer than a row, with a stray comma, or a word; the row keeps what it had.
    for (const std::wstring& text :
         {L"1" + std::wstring(299, L'0'), L"1.000" + std::wstring(295, L'0') + L"e-5",
          L"0." + std::wstring(298, L'0') + L"1", std::wstring(L"3,5"), std::wstring(L"abc")}) {
        Paste(2, 1, text);
        EXPECT_EQ((Texts{L"1000", L"1", L"39370.1", L"3280.84"}), Rows(2)) << text.size();
    }
    SetFocus(metre);
    SendMessageW(metre, EM_SETSEL, 2, 2); // the cursor in the row
    SendMessageW(window->handle, WM_COMMAND, IDC_PASTE, 0);
    EXPECT_EQ(L"1000", TextOf(metre));
    EXPECT_EQ(MAKELONG(0, 4), SendMessageW(metre, EM_GETSEL, 0, 0));
    // A Japanese input method's full-width number, pasted or typed, is that number.
    Paste(2, 1, L"１２３．５");
    EXPECT_EQ((Texts{L"123500", L"123.5", L"4.8622e+06", L"405184"}), Rows(2));
    Type(2, 0, L"２\r");
    EXPECT_EQ(L"0.002", Rows(2)[1]);
    // A temperature below absolute zero, typed or pasted.
    Type(0, 0, L"-500\r");
    EXPECT_EQ((Texts{L"-500", L"32", L"273.15"}), Rows(0));
    Paste(0, 2, L"-1");
    EXPECT_EQ((Texts{L"-500", L"32", L"273.15"}), Rows(0));
    Type(0, 1, L"-459.67\r");
    EXPECT_EQ((Texts{L"-273.15", L"-459.67", L"0"}), Rows(0));
}

TEST_F(ConverterWindowTest, EnterOnAnUnchangedRowShowsOneQuantityInEveryRow) {
    Open(kThreeSections);
    Type(0, 1, L"50"); // typed into Fahrenheit, never committed
    Type(0, 0, L"\r"); // Enter on the Celsius row, which still shows what the page wrote
    EXPECT_EQ((Texts{L"0", L"32", L"273.15"}), Rows(0));
    EXPECT_EQ(Page(0).edits[0]->handle, GetFocus());
}

TEST_F(ConverterWindowTest, InsertKeysAndCtrlKeysCopyAndPasteWholeRows) {
    Open(kThreeSections);
    window->SelectPage(2);
    SetForegroundWindow(window->handle);
    const HWND inch = Page(2).edits[2]->handle;
    Type(2, 2, L"12");
    SendMessageW(inch, EM_SETSEL, 1, 1); // the cursor in the row, nothing selected
    for (const WORD key : {static_cast<WORD>(VK_INSERT), static_cast<WORD>('C')}) {
        SetClipboard(L"left alone");
        SendMessageW(inch, EM_SETSEL, 1, 1);
        PressKeys({VK_CONTROL, key});
        EXPECT_EQ(L"12", ClipboardText()) << key;
    }

    SetClipboard(L"3");
    SendMessageW(inch, EM_SETSEL, 1, 1);
    PressKeys({VK_SHIFT, VK_INSERT});
    EXPECT_EQ((Texts{L"0.0762", L"7.62e-05", L"3", L"0.25"}), Rows(2));
    SetClipboard(L"24");
    SendMessageW(inch, EM_SETSEL, 1, 1);
    PressKeys({VK_CONTROL, 'V'});
    EXPECT_EQ((Texts{L"0.6096", L"0.0006096", L"24", L"2"}), Rows(2));
    EXPECT_EQ(inch, GetFocus());
    EXPECT_EQ(nullptr, GetOpenClipboardWindow());
    // Shift with any other key types.
    PressKeys({VK_SHIFT, 'E'});
    EXPECT_EQ(L"E", TextOf(inch));
    // Ctrl+Q's character asks the main window to exit.
    Type(2, 2, L"\x11");
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, window->handle, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(IDC_EXIT), message.wParam);
}

TEST_F(ConverterWindowTest, TabMovesBetweenRowsAndBackToTheTabs) {
    Open(kThreeSections);
    Type(1, 3, L"\t");
    EXPECT_EQ(Page(1).edits[4]->handle, GetFocus());
    Type(1, 4, L"\t");
    EXPECT_EQ(window->tabControl.handle, GetFocus());

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Type(1, 2, L"\t");
    EXPECT_EQ(Page(1).edits[1]->handle, GetFocus());
    Type(1, 0, L"\t");
    EXPECT_EQ(window->tabControl.handle, GetFocus());
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);

    // Tab on the tab control goes into the current page's first row.
    window->SelectPage(1);
    SendMessageW(window->tabControl.handle, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(Page(1).edits[0]->handle, GetFocus());
    // A page without rows leaves the focus on the tabs.
    window->SelectPage(4);
    SendMessageW(window->tabControl.handle, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(window->tabControl.handle, GetFocus());

    // A real Tab key, which passes the dialog's keyboard handling before any character
    // exists, reaches the row too: from the last row back to the tabs.
    window->SelectPage(0);
    SetFocus(Page(0).edits[2]->handle);
    PostMessageW(Page(0).edits[2]->handle, WM_KEYDOWN, VK_TAB, 0x000F0001);
    PumpMessages();
    EXPECT_EQ(window->tabControl.handle, GetFocus());
}

TEST_F(ConverterWindowTest, CopyAndPasteThroughTheClipboard) {
    Open(kThreeSections);
    window->SelectPage(2);
    Type(2, 2, L"12");
    SendMessageW(window->handle, WM_COMMAND, IDC_COPY, 0);
    Type(2, 0, L"");
    SendMessageW(window->handle, WM_COMMAND, IDC_PASTE, 0); // into the metre row
    EXPECT_EQ(L"12", TextOf(Page(2).edits[0]->handle));
    EXPECT_EQ(L"0.012", TextOf(Page(2).edits[1]->handle));

    // Pasted text converts from its leading number.
    Paste(2, 1, L"12abc");
    EXPECT_EQ((Texts{L"12000", L"12", L"472441", L"39370.1"}), Rows(2));

    // Without a focused row, Copy and Paste do nothing.
    SetFocus(window->tabControl.handle);
    SendMessageW(window->handle, WM_COMMAND, IDC_PASTE, 0);
    EXPECT_EQ(L"12", TextOf(Page(2).edits[1]->handle));
}

// A tap into a row, then on the tab strip, which the panel covers; the panel's button on the
// menu bar lowers it, and the tab takes the tap.
TEST_F(ConverterWindowTest, InputPanelComesWithARowAndGoesWithItsButton) {
    Open(kThreeSections);
    ShowWindow(window->handle, SW_SHOW);
    SetForegroundWindow(window->handle);
    PumpMessages();
    // Another file's pages come while the tab strip has the focus and the panel is up; the
    // strip holds their tabs back until a key on it makes them all, which leaves it drawing
    // around the panel, not over it.
    std::string sections;
    for (int section = 0; section < 30; ++section) {
        sections += "[Section " + std::to_string(section) + "]\r\n\"u\" = 1\r\n";
    }
    const TempDefinitionFile many(sections);
    SetFocus(window->tabControl.handle);
    ShowSip();
    window->ReplaceCategoryPages(many.Path());
    PressKeys({VK_RIGHT});
    EXPECT_EQ(30 + 2, TabCtrl_GetItemCount(window->tabControl.handle));
    EXPECT_TRUE(GetWindowLongPtrW(window->tabControl.handle, GWL_STYLE) & WS_CLIPSIBLINGS);
    SHSipPreference(nullptr, SIP_FORCEDOWN);
    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE, 0);

    const HWND fahrenheit = Page(0).edits[1]->handle;
    TapOn(fahrenheit);
    EXPECT_EQ(fahrenheit, GetFocus());
    // On a device's screen the row's focus raises the panel; where a keyboard is at hand, the
    // panel stays down until its button raises it.
    const auto panelShown = [] { return SipPanelWindow() && IsWindowVisible(SipPanelWindow()); };
    EXPECT_EQ(!IsDesktopScreen(), panelShown());
    RECT button = SipButtonRect(window->menuBar.handle);
    MapWindowPoints(window->menuBar.handle, nullptr, reinterpret_cast<POINT*>(&button), 2);
    const POINT sipButton = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    if (!panelShown()) {
        TapAt(sipButton);
    }
    ASSERT_TRUE(panelShown());

    // What shows on the tab strip is the panel, also once the strip draws itself again, and
    // the panel takes the taps there: its 5 key.
    RECT tab = {};
    TabCtrl_GetItemRect(window->tabControl.handle, 1, &tab);
    MapWindowPoints(window->tabControl.handle, nullptr, reinterpret_cast<POINT*>(&tab), 2);
    const POINT timeTab = {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
    EXPECT_EQ(SipPanelWindow(), WindowFromPoint(timeTab));
    const HDC dc = GetDC(window->tabControl.handle);
    SendMessageW(window->tabControl.handle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT);
    ReleaseDC(window->tabControl.handle, dc);
    // The button's tooltip, which the tap brought up, is not what is looked at.
    SendMessageW(reinterpret_cast<HWND>(SendMessageW(window->menuBar.handle, TB_GETTOOLTIPS, 0, 0)),
                 TTM_POP, 0, 0);
    EXPECT_TRUE(ScreenShows(SipPanelWindow()));
    SendMessageW(fahrenheit, EM_SETSEL, 0, -1);
    RECT keys;
    GetWindowRect(SipPanelWindow(), &keys);
    TapAt({keys.left + (keys.right - keys.left) * 9 / 20, keys.top + (keys.bottom - keys.top) / 4});
    EXPECT_EQ(L"5", TextOf(fahrenheit));

    TapAt(sipButton);
    EXPECT_FALSE(panelShown());
    TapAt(timeTab);
    EXPECT_EQ(1, window->currentPage);
}

TEST_F(ConverterWindowTest, CategoryPagesAreMadeWhenFirstShown) {
    Open(kThreeSections);
    EXPECT_EQ(nullptr, window->pages[3].object->handle);
    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE + 3, 0);
    ASSERT_NE(nullptr, window->pages[3].object->handle);
    EXPECT_EQ(window->tabControl.handle, GetParent(window->pages[3].object->handle));
    EXPECT_EQ(2, window->pages[3].object->rowCount);
}

TEST_F(ConverterWindowTest, SectionNamesShowWithoutControlCharactersAndMenusFitTheScreen) {
    const std::string wide(253, 'W');
    Open("[A\r\nB]\r\n[]\r\n[ \t ]\r\n[\xA0\xA0]\r\n[R&D]\r\n[" + wide + "]\r\n[" + wide + "]\r\n");
    const Texts tabs = Tabs();
    EXPECT_EQ((Texts{L"A B", L"(no name)", L"(no name)", L"(no name)", L"R&&D"}),
              Texts(tabs.begin() + 2, tabs.begin() + 7));
    const Texts items = UnitMenu();
    EXPECT_EQ(L"40307 R&&D", items[6]);
    EXPECT_EQ(L"...", items[7].substr(items[7].size() - 3));
    const RECT screen = DeviceScreenRect();
    const int width = UnitMenuWidth();
    EXPECT_GT(width, 0);
    EXPECT_LE(width, screen.right - screen.left);
}

TEST_F(ConverterWindowTest, MoreThanSixtyThreeSectionsKeepTheFirstSixtyThree) {
    std::string bytes;
    for (int section = 0; section < 70; ++section) {
        bytes += "[S" + std::to_string(section) + "]\r\n\"u\" = 1\r\n";
    }
    Open(bytes);
    EXPECT_EQ(65, window->PageCount());
    EXPECT_EQ(L"S62", Tabs().back());
    EXPECT_EQ(L"40365 S62", UnitMenu().back());

    window->RemoveCategoryPages();
    EXPECT_EQ((Texts{L"Temp", L"Time"}), Tabs());
    EXPECT_EQ(2u, UnitMenu().size());
}

// Tabs past the strip's visible end go in only when something needs them; whoever asks
// must never see the strip short of a tab.
class DeferredTabsTest : public ConverterWindowTest {
protected:
    void SetUp() override {
        ConverterWindowTest::SetUp();
        std::string bytes;
        for (int section = 0; section < 40; ++section) {
            bytes += "[Section " + std::to_string(section) + "]\r\n\"u\" = 1\r\n";
            expected.push_back(L"Section " + std::to_wstring(section));
        }
        Open(bytes);
    }

    HWND ScrollArrows() const {
        return FindWindowExW(window->tabControl.handle, nullptr, UPDOWN_CLASSW, nullptr);
    }

    Texts expected = {L"Temp", L"Time"};
};

TEST_F(DeferredTabsTest, ScrollArrowsShowAtOnceAndBringTheRest) {
    const HWND arrows = ScrollArrows();
    ASSERT_NE(nullptr, arrows);
    EXPECT_TRUE(GetWindowLongPtrW(arrows, GWL_STYLE) & WS_VISIBLE);
    RECT arrowsRect = {};
    GetClientRect(arrows, &arrowsRect);
    const LPARAM rightArrow = MAKELPARAM(arrowsRect.right - 3, arrowsRect.bottom / 2);
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, rightArrow);
    SendMessageW(arrows, WM_LBUTTONUP, 0, rightArrow);
    PumpMessages();
    // The arrows reach the last tab: their range spans all but the few that fit.
    int last = 0;
    SendMessageW(arrows, UDM_GETRANGE32, 0, reinterpret_cast<LPARAM>(&last));
    EXPECT_GT(last, 30);
    RECT first = {};
    EXPECT_FALSE(TabCtrl_GetItemRect(window->tabControl.handle, 0, &first)) << "not scrolled";
    EXPECT_EQ(expected, Tabs());
}

TEST_F(DeferredTabsTest, QueriesAndChoicesSeeEveryTab) {
    EXPECT_EQ(42, TabCtrl_GetItemCount(window->tabControl.handle));
    EXPECT_EQ(expected, Tabs());
    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE + 41, 0);
    EXPECT_EQ(41, TabCtrl_GetCurSel(window->tabControl.handle));
    EXPECT_EQ(41, window->currentPage);
}

TEST_F(DeferredTabsTest, LastTabReachedFromTheUnitMenuAndByKeys) {
    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE + 41, 0);
    EXPECT_EQ(41, TabCtrl_GetCurSel(window->tabControl.handle));
    SendMessageW(window->handle, WM_COMMAND, IDC_PAGE + 5, 0);
    EXPECT_EQ(5, TabCtrl_GetCurSel(window->tabControl.handle));
    SendMessageW(window->tabControl.handle, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(6, window->currentPage);
}

TEST_F(DeferredTabsTest, TapOnThePartlyShownTabBringsTheTabsAfterIt) {
    // The last tab in sight runs under the scroll arrows; a tap on its visible part selects
    // it and scrolls the strip, and the next tab then stands where the tap was.
    RECT arrows = {};
    GetWindowRect(ScrollArrows(), &arrows);
    MapWindowPoints(nullptr, window->tabControl.handle, reinterpret_cast<POINT*>(&arrows), 2);
    const LPARAM where = MAKELPARAM(arrows.left - 1, (arrows.top + arrows.bottom) / 2);
    for (int tap = 0; tap < 2; ++tap) {
        SendMessageW(window->tabControl.handle, WM_LBUTTONDOWN, MK_LBUTTON, where);
        SendMessageW(window->tabControl.handle, WM_LBUTTONUP, 0, where);
        PumpMessages();
    }
    EXPECT_EQ(5, window->currentPage);
}

TEST_F(DeferredTabsTest, RemovingPagesLeavesOnlyTheFixedTabs) {
    window->RemoveCategoryPages();
    EXPECT_EQ((Texts{L"Temp", L"Time"}), Tabs());
}

TEST_F(ConverterWindowTest, HelpRequestAsksForTheAboutBox) {
    Open(kThreeSections);
    SetActiveWindow(window->handle);
    if (GetActiveWindow() != window->handle) {
        GTEST_SKIP() << "the window could not be activated";
    }
    HELPINFO help = {};
    help.cbSize = sizeof help;
    SendMessageW(window->handle, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, window->handle, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(IDC_ABOUT), message.wParam);
}

// Exit while a file operation runs would leave its worker going on without a window.
TEST_F(ConverterWindowTest, ExitWaitsForRunningWork) {
    Open(kThreeSections);
    ++FrameWindow::workHoldingFramesOpen;
    SendMessageW(window->handle, WM_COMMAND, IDC_EXIT, 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(window->handle));

    --FrameWindow::workHoldingFramesOpen;
    SendMessageW(window->handle, WM_COMMAND, IDC_EXIT, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(window->handle));
}

TEST_F(ConverterWindowTest, JapaneseTabsAndMenus) {
    Application::japanese = TRUE;
    Open(kThreeSections);
    EXPECT_EQ(L"温度", Tabs()[0]);
    EXPECT_EQ(L"時間", Tabs()[1]);
    EXPECT_EQ(L"40301 温度", UnitMenu()[0]);
    EXPECT_EQ(L"℃(摂氏)", TextOf(Page(0).labels[0]->handle));
}

TEST(ConverterSettings, PathRoundTripsThroughTheRegistry) {
    ConverterSettings saved;
    saved.Load();

    ConverterSettings written;
    StringCchCopyW(written.definitionPath, ARRAYSIZE(written.definitionPath),
                   L"\\My Documents\\単位.ini");
    written.Save();
    {
        // A key that may only be read is read.
        const ReadOnlyKey readOnly(HKEY_CURRENT_USER, L"Software\\Orvintek\\Mensurio");
        ConverterSettings read;
        read.Load();
        EXPECT_STREQ(L"\\My Documents\\単位.ini", read.definitionPath);
    }

    // A path that its drive would make too long is kept as it is given, as is one that names
    // no file at all.
    const std::wstring longest = L"\\" + std::wstring(kMaxPath - 2, L'x');
    written.Remember(longest.c_str());
    EXPECT_EQ(longest, written.definitionPath);
    written.Remember(L"");
    EXPECT_STREQ(L"", written.definitionPath);

    saved.Save();
}

} // namespace
