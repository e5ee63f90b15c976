// The converter's main window and pages on real windows, opened on a definition file the test
// writes; the window reads and writes the remembered path, and the prefix's own is kept.
#pragma once

#include "converter/ui/ConverterSettings.h"
#include "converter/ui/ConverterWindow.h"
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

    Texts Tabs() { return TabTextsOf(window->tabControl.handle); }
    // The middle of a tab on the screen, where a user taps it.
    POINT TabCentre(int tab) const {
        RECT place = {};
        TabCtrl_GetItemRect(window->tabControl.handle, tab, &place);
        MapWindowPoints(window->tabControl.handle, nullptr, reinterpret_cast<POINT*>(&place), 2);
        return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
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

    // The page the Unit menu marks; -1 for none, -2 for more than one.
    int MarkedUnit() {
        const HMENU units = GetSubMenu(window->menu.handle, 2);
        int marked = -1;
        for (int index = 0; index < GetMenuItemCount(units); ++index) {
            if (GetMenuState(units, index, MF_BYPOSITION) & MF_CHECKED) {
                marked = marked == -1 ? index : -2;
            }
        }
        return marked;
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
