// On a Japanese device every text of the program is drawn with glyphs of its own: each
// character of every caption, label, button, tab, list header, menu item and tooltip, drawn
// in the font its window draws it in (and through the fonts the system links to that one),
// must not come out as the box of a missing glyph.
#include "converter/ui/ConverterSettings.h"
#include "converter/ui/ConverterWindow.h"
#include "framework/app/Application.h"
#include "framework/app/RegistryKey.h"
#include "framework/fileops/FileOperation.h"
#include "platform/MenuBar.h"
#include "resources/converter_ids.h"
#include "resources/filedialog_ids.h"
#include "test_support/HostPath.h"
#include "test_support/MessageBoxRecorder.h"
#include "test_support/MessagePump.h"
#include "test_support/PixelCanvas.h"
#include "test_support/TempFolder.h"
#include "test_support/TestApplication.h"
#include "test_support/Texts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <set>
#include <string>
#include <vector>

namespace {

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The font a control draws its text in: its own, or the system font when it has none.
HFONT FontOf(HWND window) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// Whether a static control shows its text, not an image or a frame.
bool ShowsText(HWND control) {
    const LONG_PTR type = GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK;
    return type <= SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP;
}

std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                     bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                     nullptr));
    return bytes;
}

// Draws single characters, black on white, into a small bitmap, and tells which of them
// come out exactly as a character that no font has: a missing glyph.
class GlyphCheck {
public:
    GlyphCheck() {
        SetBkMode(canvas.dc, TRANSPARENT);
        SetTextColor(canvas.dc, RGB(0, 0, 0));
    }

    // Records `text` with those of its characters that `font` draws as a missing glyph.
    void Check(const std::wstring& where, const std::wstring& text, HFONT font) {
        const std::vector<DWORD> missing = Draw(font, kNoSuchCharacter);
        std::wstring lacking;
        for (const wchar_t character : text) {
            if (std::iswspace(character) || character < L' ') {
                continue;
            }
            ++characters;
            if (Draw(font, character) == missing) {
                wchar_t code[16] = {};
                swprintf(code, 16, L" U+%04X ", character);
                lacking += code + std::wstring(1, character);
            }
        }
        if (!lacking.empty()) {
            failures.insert(where + L": \"" + text + L"\" lacks" + lacking);
        }
    }

    std::set<std::wstring> failures;
    int characters = 0;

private:
    std::vector<DWORD> Draw(HFONT font, wchar_t character) {
        const HGDIOBJ oldFont = SelectObject(canvas.dc, font);
        canvas.Clear();
        ExtTextOutW(canvas.dc, 4, 4, 0, nullptr, &character, 1, nullptr);
        SelectObject(canvas.dc, oldFont);
        return canvas.Pixels();
    }

    // A noncharacter: no font maps it, so it is drawn as the font's missing glyph.
    static constexpr wchar_t kNoSuchCharacter = 0xFFFF;
    PixelCanvas canvas{48, 48};
};

// Checks every text the windows of this thread show, each in the font it is drawn in.
class ScreenCheck : public GlyphCheck {
public:
    ScreenCheck() {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        captionFont = CreateFontIndirectW(&metrics.lfCaptionFont);
        smallCaptionFont = CreateFontIndirectW(&metrics.lfSmCaptionFont);
        menuFont = CreateFontIndirectW(&metrics.lfMenuFont);
    }
    ~ScreenCheck() {
        DeleteObject(captionFont);
        DeleteObject(smallCaptionFont);
        DeleteObject(menuFont);
    }

    // The visible top-level windows of the thread and everything in them.
    void AllWindows() {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM self) {
                if (IsWindowVisible(window)) {
                    reinterpret_cast<ScreenCheck*>(self)->Window(window);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(this));
    }

    // A top-level window's caption, then each of its controls that is not hidden itself
    // (the controls of a page that is not in front are checked too).
    void Window(HWND window) {
        const std::wstring caption = TextOf(window);
        if (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) {
            const bool small = GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW;
            Check(L"caption", caption, small ? smallCaptionFont : captionFont);
        }
        // A dialog may draw its title again in its own font, as the full-screen ones do.
        if (SendMessageW(window, WM_GETFONT, 0, 0) != 0) {
            Check(L"title", caption, FontOf(window));
        }
        where = caption;
        EnumChildWindows(
            window,
            [](HWND control, LPARAM self) {
                if (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) {
                    reinterpret_cast<ScreenCheck*>(self)->Control(control);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(this));
    }

    // Every item of a menu and its submenus, drawn in the menu font.
    void Menu(const std::wstring& menuName, HMENU menu) {
        for (int index = 0; index < GetMenuItemCount(menu); ++index) {
            wchar_t text[128] = {};
            GetMenuStringW(menu, index, text, 128, MF_BYPOSITION);
            Check(menuName + L" menu", text, menuFont);
            if (const HMENU submenu = GetSubMenu(menu, index)) {
                Menu(menuName, submenu);
            }
        }
    }

private:
    void Control(HWND control) {
        const std::wstring name = ClassOf(control);
        const std::wstring place = where + L" / " + name;
        const HFONT font = FontOf(control);
        wchar_t text[300] = {};
        if (name == WC_TABCONTROLW) {
            for (const std::wstring& tab : TabTextsOf(control)) {
                Check(place, tab, font);
            }
        } else if (name == WC_HEADERW) {
            for (int index = 0; index < Header_GetItemCount(control); ++index) {
                HDITEMW item = {};
                item.mask = HDI_TEXT;
                item.pszText = text;
                item.cchTextMax = 300;
                Header_GetItem(control, index, &item);
                Check(place, text, font);
            }
        } else if (name == WC_LISTVIEWW) {
            const int columns = std::max(1, Header_GetItemCount(ListView_GetHeader(control)));
            for (int row = 0; row < ListView_GetItemCount(control); ++row) {
                for (int column = 0; column < columns; ++column) {
                    ListView_GetItemText(control, row, column, text, 300);
                    Check(place, text, font);
                }
            }
        } else if (name == WC_COMBOBOXW) {
            for (int index = 0; index < SendMessageW(control, CB_GETCOUNT, 0, 0); ++index) {
                if (SendMessageW(control, CB_GETLBTEXTLEN, index, 0) < 300) {
                    SendMessageW(control, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
                    Check(place, text, font);
                }
            }
        } else if (name == TOOLBARCLASSNAMEW) {
            for (int index = 0; index < SendMessageW(control, TB_BUTTONCOUNT, 0, 0); ++index) {
                TBBUTTON button = {};
                SendMessageW(control, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
                text[0] = L'\0';
                if (SendMessageW(control, TB_GETBUTTONTEXTW, button.idCommand, 0) < 300) {
                    SendMessageW(control, TB_GETBUTTONTEXTW, button.idCommand,
                                 reinterpret_cast<LPARAM>(text));
                }
                Check(place, text, font);
            }
            Tooltips(place, reinterpret_cast<HWND>(SendMessageW(control, TB_GETTOOLTIPS, 0, 0)));
        } else if (name == kMenuBarClassName) {
            // The menu bar draws its menus' titles in the GUI font; its tooltip window is made
            // when the pointer first comes over it.
            const auto menu = reinterpret_cast<HMENU>(SendMessageW(control, SHCMBM_GETMENU, 0, 0));
            for (int index = 0; menu != nullptr && index < GetMenuItemCount(menu); ++index) {
                GetMenuStringW(menu, index, text, 300, MF_BYPOSITION);
                Check(place, text, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
            }
            if (menu != nullptr) {
                Menu(where, menu);
            }
            SendMessageW(control, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
            Tooltips(place, reinterpret_cast<HWND>(SendMessageW(control, TB_GETTOOLTIPS, 0, 0)));
        } else if (name == L"#32770") {
            // A page's title is its tab's; a page may paint texts of its own.
            PaintedTexts(place, control);
        } else if (name != WC_STATICW || ShowsText(control)) {
            Check(place, TextOf(control), font);
        }
    }

    // The texts a window paints, each in the font it selected for it: the window paints
    // into a metafile, whose records are read back.
    void PaintedTexts(const std::wstring& place, HWND window) {
        const HDC metafile = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(metafile), PRF_CLIENT);
        const HENHMETAFILE recorded = CloseEnhMetaFile(metafile);
        struct Recording {
            ScreenCheck* check;
            std::wstring place;
            std::vector<LOGFONTW> fonts;
            LOGFONTW selected;
        } recording{this, place, std::vector<LOGFONTW>(64), {}};
        EnumEnhMetaFile(
            nullptr, recorded,
            [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
                auto& recording = *reinterpret_cast<Recording*>(data);
                if (record->iType == EMR_EXTCREATEFONTINDIRECTW) {
                    const auto& font = *reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
                    recording.fonts.at(font.ihFont) = font.elfw.elfLogFont;
                } else if (record->iType == EMR_SELECTOBJECT) {
                    const DWORD object = reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject;
                    if (object < recording.fonts.size()) {
                        recording.selected = recording.fonts[object];
                    }
                } else if (record->iType == EMR_EXTTEXTOUTW) {
                    const auto& out = *reinterpret_cast<const EMREXTTEXTOUTW*>(record);
                    const auto* text = reinterpret_cast<const wchar_t*>(
                        reinterpret_cast<const BYTE*>(record) + out.emrtext.offString);
                    const HFONT font = CreateFontIndirectW(&recording.selected);
                    recording.check->Check(recording.place + L" painted",
                                           std::wstring(text, out.emrtext.nChars), font);
                    DeleteObject(font);
                }
                return 1;
            },
            &recording, nullptr);
        DeleteEnhMetaFile(recorded);
    }

    void Tooltips(const std::wstring& place, HWND tooltip) {
        if (tooltip == nullptr) {
            return;
        }
        const int count = static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            wchar_t text[80] = {};
            TTTOOLINFOW tool = {};
            tool.cbSize = sizeof tool;
            SendMessageW(tooltip, TTM_ENUMTOOLSW, index, reinterpret_cast<LPARAM>(&tool));
            tool.lpszText = text;
            SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
            Check(place + L" tooltip", text, FontOf(tooltip));
        }
    }

    std::wstring where;
    HFONT captionFont;
    HFONT smallCaptionFont;
    HFONT menuFont;
};

// Where the modal windows are looked at: the thread's timer runs inside their loops.
ScreenCheck* screen = nullptr;
std::vector<HWND> looked;

// The Open dialog in its first view and in Details, then Cancel; the About box's pages,
// then OK; a question and the progress dialog behind it, then No.
BOOL CALLBACK LookAtModalWindow(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
        std::find(looked.begin(), looked.end(), window) != looked.end()) {
        return TRUE;
    }
    if (GetDlgItem(window, IDC_FILE_LIST) != nullptr) {
        looked.push_back(window);
        screen->AllWindows();
        SendMessageW(window, WM_COMMAND, IDC_VIEW_DETAILS, 0);
        screen->AllWindows();
        for (const wchar_t* name : {L"FMenuViews", L"FMenuDlgGetFileName"}) {
            const HMENU menu =
                LoadMenuW(Application::instance, LocalizedResourceName(name).c_str());
            screen->Menu(name, menu);
            DestroyMenu(menu);
        }
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    } else if (const HWND tabs = PropSheet_GetTabControl(window)) {
        looked.push_back(window);
        for (int page = 0; page < TabCtrl_GetItemCount(tabs); ++page) {
            PropSheet_SetCurSel(window, nullptr, page);
            screen->AllWindows();
        }
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    } else if (GetDlgItem(window, IDYES) != nullptr) {
        looked.push_back(window);
        screen->Window(window);
        screen->Window(GetWindow(window, GW_OWNER)); // the progress dialog
        PostMessageW(window, WM_COMMAND, IDNO, 0);
    } else {
        return TRUE;
    }
    return FALSE;
}

void CALLBACK LookAtModalWindows(HWND, UINT, UINT_PTR, DWORD) {
    EnumWindows(LookAtModalWindow, 0);
}

class JapaneseScreens : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitTestApplication(); }

    // The interface is Japanese on a Japanese device, and on an English one whose user
    // swapped the language; each run sets its variable, so that a wrong locale cannot pass
    // silently.
    void SetUp() override {
        toggled = getenv("MENSURIO_TOGGLED_JAPANESE_RUN") != nullptr;
        if (GetACP() != 932 && !toggled) {
            ASSERT_EQ(nullptr, getenv("MENSURIO_JAPANESE_RUN")) << "code page " << GetACP();
            GTEST_SKIP() << "needs a Japanese interface (run with LC_ALL=ja_JP.UTF-8)";
        }
        saved.Load();
        Application::japanese = TRUE;
    }

    void TearDown() override {
        Application::japanese = FALSE;
        if (!IsSkipped()) {
            saved.Save();
        }
    }

    bool toggled = false;

    MessageBoxRecorder recorder;
    ConverterSettings saved;
};

TEST_F(JapaneseScreens, EveryTextHasItsGlyphs) {
    // The main window on the Japanese sample file, every page made.
    RegistryKey key(HKEY_CURRENT_USER);
    key.Create(L"Software\\Orvintek\\Mensurio");
    // Japanese names need the Japanese code page; the English device has the English file.
    key.WriteString(L"ini", HostPath(toggled ? MENSURIO_SAMPLES_DIR "/units.ini"
                                             : MENSURIO_SAMPLES_DIR "/units_ja.ini")
                                .c_str());
    key.Close();
    ScreenCheck check;
    screen = &check;
    {
        ConverterWindow window;
        ASSERT_TRUE(window.Create(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  WS_CLIPCHILDREN, 0, COLOR_WINDOW));
        ShowWindow(window.handle, SW_SHOW);
        ASSERT_GT(window.PageCount(), 2);
        for (int page = 0; page < window.PageCount(); ++page) {
            window.SelectPage(page);
        }
        window.SelectPage(0);
        PumpMessages();
        check.AllWindows();

        const UINT_PTR timer = SetTimer(nullptr, 0, 20, LookAtModalWindows);
        SendMessageW(window.handle, WM_COMMAND, IDC_OPEN, 0);
        SendMessageW(window.handle, WM_COMMAND, IDC_ABOUT, 0);
        {
            // A delete question: the folder's one file, kept.
            TempFolder folder;
            const std::wstring list = folder.File(L"units.ini", 1) + L'\0';
            FileOpRequest request = {};
            request.owner = window.handle;
            request.operation = kDeleteFiles;
            request.sources = list.c_str();
            EXPECT_TRUE(RunFileOperation(request));
            EXPECT_TRUE(folder.Exists(L"units.ini"));
        }
        KillTimer(nullptr, timer);
    }
    PumpMessages();
    screen = nullptr;
    // The Open dialog, the About box, and the question with the progress dialog behind it.
    EXPECT_EQ(3u, looked.size());
    EXPECT_GT(check.characters, 500);
    std::string failures;
    for (const std::wstring& failure : check.failures) {
        failures += Utf8(failure) + "\n";
    }
    EXPECT_TRUE(check.failures.empty()) << check.failures.size() << " texts:\n" << failures;
}

} // namespace
