// The file selection dialog on real folders and windows, shown modeless as the converter asks
// for it, and driven by a user's commands and the list's notifications.
#pragma once

#include "framework/app/Application.h"
#include "framework/app/InputPanel.h"
#include "framework/app/MenuBars.h"
#include "framework/app/Paths.h"
#include "framework/filedialog/FileNameDialog.h"
#include "platform/DeviceFiles.h"
#include "platform/MenuBar.h"
#include "platform/Screen.h"
#include "platform/SoftInputPanel.h"
#include "resources/filedialog_ids.h"
#include "test_support/GuiObjects.h"
#include "test_support/MessageBoxRecorder.h"
#include "test_support/MessagePump.h"
#include "test_support/PixelCanvas.h"
#include "test_support/QuestionAnswerer.h"
#include "test_support/RealInput.h"
#include "test_support/TempFolder.h"
#include "test_support/TestApplication.h"
#include "test_support/Texts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

const wchar_t kIniFilter[] = L"INI Files(*.ini)\0*.ini\0All Files\0*.*\0";

class FileNameDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InitTestApplication();
        InitControlClasses(ICC_LISTVIEW_CLASSES);
    }

    // "\" is the current drive's root: the tests' device is the prefix's drive C:, where the
    // temporary folder lies.
    void SetUp() override {
        GetCurrentDirectoryW(MAX_PATH, savedDirectory);
        SetCurrentDirectoryW(folder.path.c_str());
        madeMyDocuments = CreateDirectoryW(L"\\My Documents", nullptr) != FALSE;
    }

    void TearDown() override {
        dialog.reset();
        PumpMessages();
        RemoveDirectoryW(L"\\My Documents\\Letters");
        if (madeMyDocuments) {
            RemoveDirectoryW(L"\\My Documents");
        }
        SetCurrentDirectoryW(savedDirectory);
        Application::japanese = FALSE;
        SetRomFilesForTesting(nullptr);
    }

    // Shows the dialog, modeless, on `start` with the converter's kind of request.
    void Open(const std::wstring& start, DWORD flags = OFN_FILEMUSTEXIST, bool save = false,
              const wchar_t* filter = kIniFilter) {
        startFolder = start;
        request = {};
        request.lStructSize = sizeof request;
        request.lpstrFilter = filter;
        request.lpstrFile = chosen;
        request.nMaxFile = MAX_PATH;
        request.lpstrInitialDir = startFolder.c_str();
        request.lpstrDefExt = L"ini";
        request.Flags = flags;
        dialog = std::make_unique<FileNameDialog>();
        dialog->request = &request;
        dialog->saveMode = save;
        ASSERT_NE(nullptr, dialog->Create(nullptr, L"FDlgGetFileName_E"));
        ShowWindow(dialog->handle, SW_SHOW);
        PumpMessages();
    }

    HWND List() const { return GetDlgItem(dialog->handle, IDC_FILE_LIST); }
    FileListView& View() const { return *dialog->list; }

    Texts Rows() const {
        Texts rows;
        for (int row = 0; row < ListView_GetItemCount(List()); ++row) {
            rows.push_back(RowText(row));
        }
        return rows;
    }
    std::wstring RowText(int row) const {
        wchar_t text[MAX_PATH] = {};
        ListView_GetItemText(List(), row, 0, text, MAX_PATH);
        return text;
    }
    int RowOf(const std::wstring& name) const {
        LVFINDINFOW find = {};
        find.flags = LVFI_STRING;
        find.psz = name.c_str();
        return ListView_FindItem(List(), -1, &find);
    }
    void Select(const Texts& names) {
        ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (const std::wstring& name : names) {
            ListView_SetItemState(List(), RowOf(name), LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
        }
    }

    std::wstring Location() const {
        wchar_t text[MAX_PATH] = {};
        TBBUTTONINFOW info = {};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_TEXT | TBIF_IMAGE;
        info.pszText = text;
        info.cchText = MAX_PATH;
        SendMessageW(dialog->commandBar.handle, TB_GETBUTTONINFOW, IDC_LOCATION,
                     reinterpret_cast<LPARAM>(&info));
        locationImage = info.iImage;
        return text;
    }
    bool Enabled(int command) const {
        return SendMessageW(dialog->menuBar.handle, TB_ISBUTTONENABLED, command, 0) != 0;
    }

    void Command(WPARAM command) { SendMessageW(dialog->handle, WM_COMMAND, command, 0); }
    // Types into the name field and presses OK there.
    void Take(const std::wstring& text) {
        const HWND field = GetDlgItem(dialog->handle, IDC_NAME_FIELD);
        SetWindowTextW(field, text.c_str());
        SetFocus(field);
        Command(IDOK);
        PumpMessages();
    }
    bool Ended() const { return !IsWindowVisible(dialog->handle); }

    // Keys as a user types letters, digits and dots.
    static void Type(const std::wstring& text) {
        for (const wchar_t c : text) {
            if (c == L'.') {
                PressKeys({VK_OEM_PERIOD});
            } else if (iswupper(c)) {
                PressKeys({VK_SHIFT, static_cast<WORD>(c)});
            } else {
                PressKeys({static_cast<WORD>(towupper(c))});
            }
        }
    }
    // Where a button of the menu bar is drawn on the screen; its place is the dialog's order.
    RECT ButtonRect(int command) const {
        const int kOrder[] = {IDCANCEL, IDOK,           0,          IDC_BACK,
                              IDC_UP,   IDC_NEW_FOLDER, IDC_DELETE, IDC_VIEW_MENU};
        const auto index = std::find(std::begin(kOrder), std::end(kOrder), command) - kOrder;
        RECT button = {};
        SendMessageW(dialog->menuBar.handle, TB_GETITEMRECT, index,
                     reinterpret_cast<LPARAM>(&button));
        MapWindowPoints(dialog->menuBar.handle, nullptr, reinterpret_cast<POINT*>(&button), 2);
        return button;
    }
    // A tap on a button of the menu bar where it is drawn.
    void TapButton(int command) const {
        const RECT button = ButtonRect(command);
        TapAt({(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    }

    // The rows whose names the list shows whole, below the Details view's header.
    std::vector<int> RowsInView() const {
        RECT client = {};
        GetClientRect(List(), &client);
        const HWND header = ListView_GetHeader(List());
        RECT headerPlace = {};
        if (IsWindowVisible(header) && GetWindowRect(header, &headerPlace)) {
            MapWindowPoints(nullptr, List(), reinterpret_cast<POINT*>(&headerPlace), 2);
            client.top = headerPlace.bottom;
        }
        std::vector<int> rows;
        for (int row = 0; row < ListView_GetItemCount(List()); ++row) {
            RECT label = {};
            RECT both = {};
            ListView_GetItemRect(List(), row, &label, LVIR_LABEL);
            if (IntersectRect(&both, &label, &client) && EqualRect(&both, &label)) {
                rows.push_back(row);
            }
        }
        return rows;
    }
    // Where the screen shows a row's name as the list draws it now: the middle of the place
    // whose pixels are those of the row's label, nearest its own place first; {-1, -1} when
    // the screen shows it nowhere.
    POINT ShownAt(int row) const {
        RECT client = {};
        GetClientRect(List(), &client);
        const int width = client.right;
        const int height = client.bottom;
        PixelCanvas drawn(width, height);
        PixelCanvas shown(width, height);
        SendMessageW(List(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(drawn.dc),
                     PRF_CLIENT | PRF_ERASEBKGND);
        POINT origin = {0, 0};
        ClientToScreen(List(), &origin);
        const HDC screen = GetDC(nullptr);
        BitBlt(shown.dc, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
        ReleaseDC(nullptr, screen);
        const std::vector<DWORD> own = drawn.Pixels();
        const std::vector<DWORD> seen = shown.Pixels();
        RECT label = {};
        ListView_GetItemRect(List(), row, &label, LVIR_LABEL);
        const auto showsAt = [&](int dx, int dy) {
            for (int y = label.top; y < label.bottom; ++y) {
                for (int x = label.left; x < label.right; ++x) {
                    if (own[y * width + x] != seen[(y + dy) * width + x + dx]) {
                        return false;
                    }
                }
            }
            return true;
        };
        for (int distance = 0; distance < std::max(width, height); ++distance) {
            for (int dy = -distance; dy <= distance; ++dy) {
                for (int dx = -distance; dx <= distance; ++dx) {
                    const bool edge = std::max(std::abs(dx), std::abs(dy)) == distance;
                    if (edge && label.left + dx >= 0 && label.right + dx <= width &&
                        label.top + dy >= 0 && label.bottom + dy <= height && showsAt(dx, dy)) {
                        return {origin.x + (label.left + label.right) / 2 + dx,
                                origin.y + (label.top + label.bottom) / 2 + dy};
                    }
                }
            }
        }
        return {-1, -1};
    }

    LRESULT Notify(UINT code, NMHDR& header) {
        header.hwndFrom = List();
        header.idFrom = IDC_FILE_LIST;
        header.code = code;
        SendMessageW(dialog->handle, WM_NOTIFY, IDC_FILE_LIST, reinterpret_cast<LPARAM>(&header));
        return GetWindowLongPtrW(dialog->handle, DWLP_MSGRESULT);
    }
    LRESULT EditLabel(UINT code, int row, const wchar_t* text) {
        NMLVDISPINFOW info = {};
        info.item.iItem = row;
        info.item.pszText = const_cast<wchar_t*>(text);
        return Notify(code, info.hdr);
    }
    void ClickHeader(int column) {
        NMLISTVIEW click = {};
        click.iSubItem = column;
        Notify(LVN_COLUMNCLICK, click.hdr);
    }
    // The header's arrow image of each column, -1 for none.
    std::vector<int> Arrows() const {
        const HWND header = ListView_GetHeader(List());
        std::vector<int> arrows;
        for (int index = 0; index < Header_GetItemCount(header); ++index) {
            HDITEMW item = {};
            item.mask = HDI_FORMAT | HDI_IMAGE;
            Header_GetItem(header, index, &item);
            arrows.push_back((item.fmt & HDF_IMAGE) ? item.iImage : -1);
        }
        return arrows;
    }

    TempFolder folder;
    wchar_t savedDirectory[MAX_PATH] = {};
    bool madeMyDocuments = false;
    std::wstring startFolder;
    OPENFILENAMEW request = {};
    wchar_t chosen[MAX_PATH] = {};
    std::unique_ptr<FileNameDialog> dialog;
    MessageBoxRecorder recorder;
    mutable int locationImage = -1;
};

// The popup menu the dialog shows next, read while it is open and then closed: its items
// as "id:text", with "*" for a radio mark and "-" for a grayed item, and its place.
struct ShownMenu {
    static inline Texts items;
    static inline RECT place = {}; // on the screen

    static void CALLBACK Read(HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND popup = FindWindowW(L"#32768", nullptr);
        if (popup == nullptr || !IsWindowVisible(popup)) {
            return;
        }
        KillTimer(nullptr, timer);
        GetWindowRect(popup, &place);
        const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
        for (int index = 0; index < GetMenuItemCount(menu); ++index) {
            wchar_t text[64] = {};
            GetMenuStringW(menu, index, text, 64, MF_BYPOSITION);
            const UINT state = GetMenuState(menu, index, MF_BYPOSITION);
            if (state & MF_SEPARATOR) {
                continue;
            }
            items.push_back(std::to_wstring(GetMenuItemID(menu, index)) + L":" + text +
                            ((state & MF_CHECKED) ? L"*" : L"") +
                            ((state & MF_GRAYED) ? L"-" : L""));
        }
        EndMenu();
    }

    // Runs `show`, which opens a menu, and returns what it held.
    template <typename Show> static Texts Of(Show show) {
        items.clear();
        SetTimer(nullptr, 0, 20, Read);
        show();
        return items;
    }
};
