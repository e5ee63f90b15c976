// The file selection dialog on real folders and windows: where it starts, moving between
// places and folders, the name field, the list's views, sorting, renaming, new folders and
// deleting, as a user's commands and the list's notifications drive them.
#include "framework/filedialog/FileNameDialog.h"
#include "framework/app/Application.h"
#include "framework/app/InputPanel.h"
#include "framework/app/MenuBars.h"
#include "framework/app/Paths.h"
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

namespace {

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
    // A tap on a button of the menu bar where it is drawn.
    void TapButton(int command) const {
        const int kOrder[] = {IDCANCEL, IDOK, 0, IDC_BACK, IDC_UP, IDC_NEW_FOLDER};
        const auto index = std::find(std::begin(kOrder), std::end(kOrder), command) - kOrder;
        RECT button = {};
        SendMessageW(dialog->menuBar.handle, TB_GETITEMRECT, index,
                     reinterpret_cast<LPARAM>(&button));
        MapWindowPoints(dialog->menuBar.handle, nullptr, reinterpret_cast<POINT*>(&button), 2);
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

TEST_F(FileNameDialogTest, StartsInItsFolderWithTheFirstFilter) {
    folder.Folder(L"sub");
    folder.File(L"units.ini", 10);
    folder.File(L"notes.txt", 10);
    Open(folder.path);
    EXPECT_EQ(L"Open", TextOf(dialog->handle));
    EXPECT_EQ((Texts{L"sub", L"units.ini"}), Rows());
    wchar_t type[64] = {};
    GetDlgItemTextW(dialog->handle, IDC_TYPE_LIST, type, 64);
    EXPECT_STREQ(L"INI Files(*.ini)", type);
    EXPECT_EQ(FileNamePart(folder.path.c_str()), Location());
    EXPECT_EQ(10, locationImage);
    EXPECT_FALSE(Enabled(IDC_BACK));
    EXPECT_TRUE(Enabled(IDC_UP));
    EXPECT_EQ(FileListView::kListView, View().View());
    EXPECT_TRUE(GetWindowLongPtrW(List(), GWL_STYLE) & LVS_SINGLESEL);

    // Another type lists every file and keeps the location.
    const HWND types = GetDlgItem(dialog->handle, IDC_TYPE_LIST);
    SendMessageW(types, CB_SETCURSEL, 1, 0);
    SendMessageW(dialog->handle, WM_COMMAND, MAKEWPARAM(IDC_TYPE_LIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(types));
    EXPECT_EQ((Texts{L"sub", L"notes.txt", L"units.ini"}), Rows());
    EXPECT_EQ(FileNamePart(folder.path.c_str()), Location());
    EXPECT_TRUE(recorder.Boxes().empty());
}

TEST_F(FileNameDialogTest, MissingStartFolderShowsAnEmptyDesktopButton) {
    Open(folder.In(L"gone"));
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(L"Desktop", Location());
    EXPECT_EQ(11, locationImage);
    // The buttons follow the start location as they follow every later one.
    EXPECT_FALSE(Enabled(IDC_UP));
    EXPECT_FALSE(Enabled(IDC_NEW_FOLDER));
}

TEST_F(FileNameDialogTest, BackReturnsThroughTheVisitedChain) {
    folder.Folder(L"A");
    folder.Folder(L"A\\B");
    folder.Folder(L"A\\B\\C");
    Open(folder.In(L"A"));
    Take(L"B");
    Take(L"C");
    EXPECT_EQ(L"C", Location());
    EXPECT_TRUE(Enabled(IDC_BACK));
    // Up is a step of the chain too.
    Command(IDC_UP);
    EXPECT_EQ(L"B", Location());
    Command(IDC_BACK);
    EXPECT_EQ(L"C", Location());
    Command(IDC_BACK);
    EXPECT_EQ(L"B", Location());
    Command(IDC_BACK);
    EXPECT_EQ(L"A", Location());
    EXPECT_FALSE(Enabled(IDC_BACK));
    EXPECT_TRUE(dialog->history.empty());
}

TEST_F(FileNameDialogTest, UpClimbsToTheDesktop) {
    Open(L"\\Windows");
    Command(IDC_UP);
    EXPECT_EQ(L"My Device", Location());
    EXPECT_EQ(12, locationImage);
    EXPECT_TRUE(Enabled(IDC_NEW_FOLDER));
    Command(IDC_UP);
    EXPECT_EQ(L"Desktop", Location());
    EXPECT_FALSE(Enabled(IDC_UP));
    EXPECT_FALSE(Enabled(IDC_NEW_FOLDER));
    EXPECT_EQ((Texts{L"My Device", L"My Documents"}), Rows());

    // A typed place name opens the place on the Desktop ...
    Take(L"My Documents");
    EXPECT_EQ(L"My Documents", Location());
    EXPECT_TRUE(Enabled(IDC_UP));
    EXPECT_FALSE(Ended());
}

TEST_F(FileNameDialogTest, NamesAreLookedForInTheCurrentFolder) {
    folder.File(L"units.ini", 10);
    folder.File(L"plain", 10);
    Open(folder.path);
    // ... and is a name like any other in a folder: nothing of that name, so the dialog
    // says so and stays.
    Take(L"My Documents");
    EXPECT_EQ(FileNamePart(folder.path.c_str()), Location());
    EXPECT_FALSE(Ended());
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(folder.In(L"My Documents.ini") +
                  L"\nThe file does not exist. Check the name and try again.",
              recorder.Boxes()[0].text);
    EXPECT_EQ(L"Open", recorder.Boxes()[0].caption);
    // A name without any "." is looked for with the default extension.
    Take(L"units");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"units.ini"), chosen);
}

TEST_F(FileNameDialogTest, TypedNamesMeanWhatTheUserSees) {
    folder.File(L"units.ini", 10);
    folder.File(L"plain", 10);
    // A file that exists as named, without extension, is taken as it is; so is a row
    // chosen in the list, whatever files lie beside it.
    Open(folder.path);
    Take(L"plain");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"plain"), chosen);
    folder.File(L"plain.ini", 10);
    Open(folder.path, OFN_FILEMUSTEXIST, false, L"All Files\0*.*\0");
    Select({L"plain"});
    NMITEMACTIVATE click = {};
    Notify(NM_DBLCLK, click.hdr);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"plain"), chosen);
    // A text that starts with "\" is a path from the device's root, wherever it is typed.
    const std::wstring devicePath = folder.path.substr(2); // without the drive
    folder.Folder(L"sub");
    Open(folder.In(L"sub"));
    Take(devicePath + L"\\units");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(devicePath + L"\\units.ini", chosen);
    // On the Desktop a name is the Desktop folder's, not the working folder's.
    const bool madeDesktop = CreateDirectoryW(L"\\Windows\\Desktop", nullptr) != FALSE;
    const std::wstring onDesktop = L"\\Windows\\Desktop\\mensurio-desk.ini";
    CloseHandle(
        CreateFileW(onDesktop.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Open(folder.path);
    Command(IDC_FIRST_ANCESTOR);
    Take(L"mensurio-desk");
    EXPECT_TRUE(Ended());
    EXPECT_EQ(onDesktop, chosen);
    DeleteFileW(onDesktop.c_str());
    if (madeDesktop) {
        RemoveDirectoryW(L"\\Windows\\Desktop");
    }
    // Saving asks about the file with the default extension, the one it would replace.
    Open(folder.path, OFN_OVERWRITEPROMPT, true);
    recorder.Answer(IDNO);
    Take(L"units");
    EXPECT_FALSE(Ended());
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(folder.In(L"units.ini") + L" is already exists. Do you want to replace it?",
              recorder.Boxes()[0].text);
}

// "." and ".." mean the folder listed and the one above; a path with a drive letter is a
// whole path; a text longer than any path is refused, never cut to another name.
TEST_F(FileNameDialogTest, TypedDotsDrivesAndOverlongPaths) {
    folder.Folder(L"A");
    folder.Folder(L"A\\B");
    folder.File(L"units.ini", 10);
    Open(folder.In(L"A\\B"));
    Take(L".");
    EXPECT_EQ(L"B", Location());
    EXPECT_FALSE(Enabled(IDC_BACK));
    Take(L"..");
    EXPECT_EQ(L"A", Location());
    Command(IDC_UP);
    EXPECT_EQ(FileNamePart(folder.path.c_str()), Location());
    Take(L"A\\B\\..\\.\\..\\units");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"units.ini"), chosen);

    Open(folder.In(L"A"));
    ASSERT_TRUE(HasDriveLetter(folder.path.c_str()));
    Take(folder.In(L"units.ini"));
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"units.ini"), chosen);

    Open(folder.path, 0, true);
    Take(L"\\a.b" + std::wstring(300, L'x'));
    EXPECT_FALSE(Ended());
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(0u, recorder.Boxes()[0].text.find(L"The path is too long\n\\a.bxx"));
}

TEST_F(FileNameDialogTest, ChosenRowsFillTheNameAndOpen) {
    folder.Folder(L"sub");
    folder.File(L"units.ini", 10);
    Open(folder.path);
    Select({L"units.ini"});
    wchar_t name[MAX_PATH] = {};
    GetDlgItemTextW(dialog->handle, IDC_NAME_FIELD, name, MAX_PATH);
    EXPECT_STREQ(L"units.ini", name);
    Select({L"sub"}); // folders leave the name alone
    GetDlgItemTextW(dialog->handle, IDC_NAME_FIELD, name, MAX_PATH);
    EXPECT_STREQ(L"units.ini", name);

    NMITEMACTIVATE click = {};
    Notify(NM_DBLCLK, click.hdr);
    EXPECT_EQ(L"sub", Location());
    Command(IDC_BACK);
    Select({L"units.ini"});
    Notify(NM_DBLCLK, click.hdr);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"units.ini"), chosen);
}

TEST_F(FileNameDialogTest, LocationMenuListsTheAncestors) {
    CreateDirectoryW(L"\\My Documents\\Letters", nullptr);
    Open(L"\\My Documents\\Letters");
    EXPECT_EQ((Texts{L"38000:Desktop", L"38001: My Device", L"38002:  My Documents",
                     L"38003:   Letters*"}),
              ShownMenu::Of([this] { Command(IDC_LOCATION); }));

    Command(IDC_FIRST_ANCESTOR + 2);
    EXPECT_EQ(L"My Documents", Location());
    ASSERT_FALSE(dialog->history.empty());
    EXPECT_EQ(L"\\My Documents\\Letters", dialog->history.front());
    Command(IDC_FIRST_ANCESTOR);
    EXPECT_EQ(L"Desktop", Location());
}

TEST_F(FileNameDialogTest, ViewsAndHeaderSorting) {
    folder.File(L"b.ini", 300, 2);
    folder.File(L"a.ini", 200, 3);
    folder.File(L"c.ini", 100, 1);
    Open(folder.path);
    const std::pair<int, int> views[] = {{IDC_VIEW_LARGE_ICONS, FileListView::kLargeIconView},
                                         {IDC_VIEW_SMALL_ICONS, FileListView::kSmallIconView},
                                         {IDC_VIEW_LIST, FileListView::kListView},
                                         {IDC_VIEW_DETAILS, FileListView::kDetailsView}};
    for (const auto& [command, view] : views) {
        PumpMessages();
        Command(command);
        EXPECT_EQ(view, View().View()) << command;
        // All of it is drawn again in the new view.
        RECT client = {};
        RECT update = {};
        GetClientRect(List(), &client);
        GetUpdateRect(List(), &update, FALSE);
        EXPECT_TRUE(EqualRect(&client, &update)) << command;
    }
    EXPECT_EQ((Texts{L"a.ini", L"b.ini", L"c.ini"}), Rows());
    EXPECT_EQ((std::vector<int>{0, -1, -1, -1}), Arrows());
    ClickHeader(1); // Size
    EXPECT_EQ((Texts{L"c.ini", L"a.ini", L"b.ini"}), Rows());
    EXPECT_EQ((std::vector<int>{-1, 0, -1, -1}), Arrows());
    ClickHeader(1);
    EXPECT_EQ((Texts{L"b.ini", L"a.ini", L"c.ini"}), Rows());
    EXPECT_EQ((std::vector<int>{-1, 1, -1, -1}), Arrows());
    Command(IDC_SORT_BY_DATE);
    EXPECT_EQ((Texts{L"c.ini", L"b.ini", L"a.ini"}), Rows());
    EXPECT_EQ((std::vector<int>{-1, -1, -1, 0}), Arrows());
}

TEST_F(FileNameDialogTest, SortingByEachKey) {
    folder.File(L"small.qqa", 1023, 3);
    folder.File(L"Large.qqc", 5000, 1);
    folder.File(L"middle.qqb", 2048, 2);
    folder.Folder(L"zeta");
    folder.Folder(L"Alpha");
    Open(folder.path, OFN_FILEMUSTEXIST, false, L"All Files\0*.*\0");
    const Texts byName = {L"Alpha", L"zeta", L"Large.qqc", L"middle.qqb", L"small.qqa"};
    EXPECT_EQ(byName, Rows());
    // The same key again reverses everything, folders included.
    Command(IDC_SORT_BY_NAME);
    EXPECT_EQ(Texts(byName.rbegin(), byName.rend()), Rows());

    // Rows that compare equal (the folders, by size) keep no particular order.
    const auto fileRows = [this] {
        const Texts rows = Rows();
        return Texts(rows.begin() + 2, rows.end());
    };
    const Texts files = {L"small.qqa", L"middle.qqb", L"Large.qqc"};
    Command(IDC_SORT_BY_SIZE);
    EXPECT_EQ(files, fileRows());
    Command(IDC_SORT_BY_SIZE);
    Command(IDC_SORT_BY_DATE); // a new key starts ascending
    EXPECT_EQ(kSortByDate | kInitialSortWord, View().model.sortWord);
    EXPECT_EQ((Texts{L"Large.qqc", L"middle.qqb", L"small.qqa"}), fileRows());
    Command(IDC_SORT_BY_TYPE); // QQA File, QQB File, QQC File
    EXPECT_EQ(files, fileRows());
}

TEST_F(FileNameDialogTest, NamesSortWithEveryLetterFoldedToItsCase) {
    // Accented and full-width letters sort beside their capitals, not after every small
    // letter: é and É are one letter, as are ａ and Ａ.
    for (const wchar_t* name : {L"Éb.ini", L"éa.ini", L"Ｂ.ini", L"ａ.ini"}) {
        folder.File(name, 1);
    }
    Open(folder.path);
    EXPECT_EQ((Texts{L"éa.ini", L"Éb.ini", L"ａ.ini", L"Ｂ.ini"}), Rows());
}

// The Name column fits the widest name. A name longer than the screen is wide ends in "..."
// in the List view and in the location menu; the Details view and the name field show it
// whole.
TEST_F(FileNameDialogTest, LongNamesFitTheScreen) {
    TempFolder inside(folder.In(L"A folder whose name is longer than the screen is wide"));
    inside.File(L"a.ini", 1);
    Open(inside.path);
    EXPECT_EQ(96, ListView_GetColumnWidth(List(), 0));
    const std::wstring longName = std::wstring(60, L'w') + L".ini";
    inside.File(longName, 1);
    View().Refill(true);
    RECT client = {};
    GetClientRect(List(), &client);
    EXPECT_EQ(client.right, ListView_GetColumnWidth(List(), 0));
    Select({longName});
    wchar_t name[MAX_PATH] = {};
    GetDlgItemTextW(dialog->handle, IDC_NAME_FIELD, name, MAX_PATH);
    EXPECT_EQ(longName, name);
    Command(IDC_VIEW_DETAILS);
    const int width = ListView_GetStringWidth(List(), longName.c_str());
    EXPECT_EQ(width + 32, ListView_GetColumnWidth(List(), 0));

    const Texts items = ShownMenu::Of([this] { Command(IDC_LOCATION); });
    ASSERT_FALSE(items.empty());
    const std::wstring& last = items.back();
    EXPECT_NE(std::wstring::npos, last.find(L"  A folder whose name")) << last;
    EXPECT_EQ(L"...*", last.substr(last.size() - 4)) << last;
    const RECT screen = DeviceScreenRect();
    EXPECT_GE(ShownMenu::place.left, screen.left);
    EXPECT_LE(ShownMenu::place.right, screen.right);
}

// Names are given as typed, told in words when they cannot be, and the row shows the name
// the item has on the disk. The list view is answered no: the row's text is the view's.
TEST_F(FileNameDialogTest, RenameInPlace) {
    folder.File(L"old.ini", 10);
    folder.File(L"taken.ini", 10);
    Open(folder.path);
    const int row = RowOf(L"old.ini");
    EXPECT_EQ(0, EditLabel(LVN_BEGINLABELEDITW, row, nullptr)); // allowed
    EXPECT_EQ(0, EditLabel(LVN_ENDLABELEDITW, row, nullptr));   // cancelled
    for (const wchar_t* refused :
         {L"a:b.ini", L"", L" . ", L"TAKEN.INI", L"taken.ini.", L"nul.ini"}) {
        EXPECT_EQ(0, EditLabel(LVN_ENDLABELEDITW, row, refused));
    }
    EXPECT_EQ((Texts{L"Invalid chars\n\\/:,;*?\"<>|", L"A name is needed: type one.",
                     L"A name is needed: type one.",
                     L"'taken.ini' is already taken in this folder: choose another name.",
                     L"'taken.ini' is already taken in this folder: choose another name.",
                     L"'nul.ini' is a name the system keeps for a device: choose another."}),
              recorder.Texts());
    EXPECT_EQ(L"old.ini", RowText(row));
    EXPECT_TRUE(folder.Exists(L"old.ini"));

    EXPECT_EQ(0, EditLabel(LVN_ENDLABELEDITW, row, L"new.ini"));
    EXPECT_FALSE(folder.Exists(L"old.ini"));
    EXPECT_TRUE(folder.Exists(L"new.ini"));
    EXPECT_EQ(L"new.ini", RowText(row));
    wchar_t path[MAX_PATH];
    View().PathOfRow(row, path);
    EXPECT_EQ(folder.In(L"new.ini"), path);

    // Typed into the row's field as a user types: a change of case alone renames, and a
    // trailing dot, which the system drops, is not shown.
    const auto typeName = [&](const std::wstring& name) {
        SetForegroundWindow(dialog->handle);
        ListView_EditLabel(List(), row);
        Type(name);
        PressKeys({VK_RETURN});
        PumpMessages();
    };
    const auto onDisk = [&] {
        WIN32_FIND_DATAW found;
        const HANDLE find = FindFirstFileW(folder.In(L"*").c_str(), &found);
        Texts names;
        do {
            if (found.cFileName[0] != L'.') {
                names.push_back(found.cFileName);
            }
        } while (FindNextFileW(find, &found));
        FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    };
    typeName(L"NEW.INI");
    EXPECT_EQ((Texts{L"NEW.INI", L"taken.ini"}), onDisk());
    EXPECT_EQ(L"NEW.INI", RowText(row));
    typeName(L"c.");
    EXPECT_EQ((Texts{L"c", L"taken.ini"}), onDisk());
    EXPECT_EQ(L"c", RowText(row));
    View().PathOfRow(row, path);
    EXPECT_EQ(folder.In(L"c"), path);
    EXPECT_EQ(6u, recorder.Boxes().size());

    // A file in ROM cannot be renamed: the box says so and the row keeps its name.
    const std::vector<std::wstring> rom = {folder.In(L"c")};
    SetRomFilesForTesting(&rom);
    EXPECT_EQ(0, EditLabel(LVN_ENDLABELEDITW, row, L"other.ini"));
    EXPECT_EQ(L"Error Move file 5", recorder.Boxes().back().text);
    EXPECT_EQ(L"c", RowText(row));

    // Places are not renamed.
    Command(IDC_FIRST_ANCESTOR);
    EXPECT_EQ(1, EditLabel(LVN_BEGINLABELEDITW, RowOf(L"My Device"), nullptr));
}

// A name being typed into a row is given before the dialog goes on: Back and Up leave with
// the folder or file named as typed, and OK names it and then opens it.
TEST_F(FileNameDialogTest, NamesBeingTypedAreGivenFirst) {
    folder.Folder(L"sub");
    folder.File(L"old.ini", 10);
    Open(folder.In(L"sub"));
    SetForegroundWindow(dialog->handle);
    Command(IDC_UP);
    TapButton(IDC_NEW_FOLDER);
    Type(L"a");
    TapButton(IDC_BACK);
    EXPECT_EQ(L"sub", Location());
    EXPECT_TRUE(folder.Exists(L"a"));
    EXPECT_FALSE(folder.Exists(L"New Folder"));

    Command(IDC_UP);
    ListView_EditLabel(List(), RowOf(L"old.ini"));
    Type(L"b.ini");
    TapButton(IDC_UP);
    EXPECT_TRUE(folder.Exists(L"b.ini"));
    EXPECT_NE(FileNamePart(folder.path.c_str()), Location());

    Command(IDC_BACK);
    TapButton(IDC_NEW_FOLDER);
    Type(L"c");
    TapButton(IDOK);
    EXPECT_TRUE(folder.Exists(L"c"));
    EXPECT_EQ(L"c", Location());

    // A refused name stops the command: the user has been told why.
    TapButton(IDC_NEW_FOLDER);
    Type(L"nul");
    TapButton(IDC_BACK);
    EXPECT_EQ(L"c", Location());
    EXPECT_EQ((Texts{L"'nul' is a name the system keeps for a device: choose another."}),
              recorder.Texts());

    Command(IDC_BACK);
    Select({L"b.ini"});
    ListView_EditLabel(List(), RowOf(L"b.ini"));
    Type(L"d.ini");
    TapButton(IDOK);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"d.ini"), chosen);
}

TEST_F(FileNameDialogTest, RowsBeyondThePathLimitAreListedAndExplained) {
    // A folder of 247 characters: the paths of most names in it pass the limit of 259.
    std::wstring deep = folder.path;
    while (deep.size() + 11 < 247) {
        deep += L"\\" + std::wstring(10, L'd');
        CreateDirectoryW(deep.c_str(), nullptr);
    }
    deep += L"\\" + std::wstring(247 - deep.size() - 1, L'e');
    ASSERT_EQ(247u, deep.size());
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    const std::wstring longName = L"a name past the limit.ini";
    const HANDLE file = CreateFileW((L"\\\\?\\" + deep + L"\\" + longName).c_str(), GENERIC_WRITE,
                                    0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);

    Open(deep);
    const int row = RowOf(longName);
    ASSERT_NE(-1, row);
    // What cannot be opened, renamed or made says why.
    Select({longName});
    NMITEMACTIVATE click = {};
    Notify(NM_DBLCLK, click.hdr);
    EXPECT_FALSE(Ended());
    EXPECT_EQ(0, EditLabel(LVN_ENDLABELEDITW, row, L"short.ini"));
    Command(IDC_NEW_FOLDER); // "New Folder" still fits
    ListView_CancelEditLabel(List());
    Command(IDC_NEW_FOLDER);
    EXPECT_EQ((Texts{longName, L"New Folder"}), Rows());
    ASSERT_EQ(3u, recorder.Boxes().size());
    for (const std::wstring& text : recorder.Texts()) {
        EXPECT_EQ(0u, text.find(L"The path is too long")) << text;
    }
    DeleteFileW((L"\\\\?\\" + deep + L"\\" + longName).c_str());
}

TEST_F(FileNameDialogTest, NewFoldersComeLastInEditMode) {
    folder.File(L"z.ini", 10);
    Open(folder.path);
    const int shortNames = ListView_GetColumnWidth(List(), 0);
    Command(IDC_NEW_FOLDER);
    EXPECT_TRUE(folder.Exists(L"New Folder"));
    EXPECT_EQ(L"New Folder", RowText(ListView_GetItemCount(List()) - 1));
    EXPECT_NE(nullptr, ListView_GetEditControl(List()));
    ListView_CancelEditLabel(List());
    Command(IDC_NEW_FOLDER);
    EXPECT_TRUE(folder.Exists(L"New Folder (2)"));
    EXPECT_EQ((Texts{L"z.ini", L"New Folder", L"New Folder (2)"}), Rows());
    EXPECT_EQ(3, View().rowCount);
    // The Name column grows with a new folder's name, and with a longer name given it.
    EXPECT_GT(ListView_GetColumnWidth(List(), 0), shortNames);
    ListView_CancelEditLabel(List());
    const std::wstring longer = L"A much longer folder name";
    EditLabel(LVN_ENDLABELEDITW, RowOf(L"New Folder"), longer.c_str());
    EXPECT_NE(-1, RowOf(longer));
    EXPECT_GE(ListView_GetColumnWidth(List(), 0), ListView_GetStringWidth(List(), longer.c_str()));
}

// Rows that come or go at the end of a scrolled list leave every row drawn where a tap
// selects it, in each view.
TEST_F(FileNameDialogTest, RowsAreDrawnWhereTheyAreAfterChanges) {
    for (int i = 1; i <= 61; ++i) {
        folder.File(L"note" + std::to_wstring(i) + L".txt", 1);
    }
    Open(folder.path, OFN_FILEMUSTEXIST, false, L"All Files\0*.*\0");
    SetForegroundWindow(dialog->handle);
    // Each row in view is drawn at its own place, and a tap where it is drawn selects it.
    const auto check = [this](const std::string& when) {
        const std::vector<int> rows = RowsInView();
        ASSERT_FALSE(rows.empty()) << when;
        for (const int row : rows) {
            RECT label = {};
            ListView_GetItemRect(List(), row, &label, LVIR_LABEL);
            MapWindowPoints(List(), nullptr, reinterpret_cast<POINT*>(&label), 2);
            const POINT at = ShownAt(row);
            EXPECT_EQ((label.left + label.right) / 2, at.x) << when << ": " << row;
            EXPECT_EQ((label.top + label.bottom) / 2, at.y) << when << ": " << row;
            if (at.x >= 0) {
                TapAt(at);
                EXPECT_EQ(RowText(row), RowText(View().ChosenRow())) << when;
            }
        }
    };
    // The last row goes, then a new folder comes. The last row begins a line of its own (a
    // column of the List view, a row of icons), so that the list grows and shrinks by a line.
    const auto lineOf = [this](int row) {
        RECT bounds = {};
        ListView_GetItemRect(List(), row, &bounds, LVIR_BOUNDS);
        return View().View() == FileListView::kListView ? bounds.left : bounds.top;
    };
    const std::pair<int, std::string> views[] = {{IDC_VIEW_LARGE_ICONS, "Large Icon"},
                                                 {IDC_VIEW_SMALL_ICONS, "Small Icon"},
                                                 {IDC_VIEW_LIST, "List"},
                                                 {IDC_VIEW_DETAILS, "Details"}};
    for (const auto& [view, name] : views) {
        Command(view);
        PumpMessages();
        int last = ListView_GetItemCount(List()) - 1;
        for (; lineOf(last) == lineOf(last - 1); ++last) {
            Command(IDC_NEW_FOLDER);
            ListView_CancelEditLabel(List());
        }
        ListView_EnsureVisible(List(), last, FALSE);
        Select({RowText(last)});
        {
            QuestionAnswerer answers;
            Command(IDC_DELETE);
        }
        PumpMessages();
        check(name + ", after a delete");
        ListView_EnsureVisible(List(), ListView_GetItemCount(List()) - 1, FALSE);
        Command(IDC_NEW_FOLDER);
        PressKeys({VK_RETURN}); // the name as it is
        check(name + ", after a new folder");
    }
}

TEST_F(FileNameDialogTest, DeleteKeepsTheRowsOfWhatCouldNotGo) {
    folder.File(L"free.ini", 100);
    folder.File(L"held.ini", 30);
    folder.File(L"other.ini", 5);
    Open(folder.path, OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT);
    EXPECT_EQ(135u, View().totalSize);
    const HANDLE held = CreateFileW(folder.In(L"held.ini").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    Select({L"free.ini", L"held.ini"});
    {
        QuestionAnswerer answers; // Yes to the two files, then to each of them
        Command(IDC_DELETE);
        EXPECT_EQ((Texts{L"Confirm multiple file delete", L"Confirm file delete",
                         L"Confirm file delete"}),
                  answers.titles);
    }
    CloseHandle(held);
    EXPECT_FALSE(folder.Exists(L"free.ini"));
    EXPECT_TRUE(folder.Exists(L"held.ini"));
    EXPECT_EQ((Texts{L"held.ini", L"other.ini"}), Rows());
    EXPECT_EQ(2, View().rowCount);
    EXPECT_EQ(35u, View().totalSize);
    ASSERT_EQ(1u, recorder.Boxes().size()); // the file in use
    EXPECT_EQ(L"Error DeleteFile 32", recorder.Boxes()[0].text);

    // No to the question keeps everything.
    Select({L"held.ini", L"other.ini"});
    {
        QuestionAnswerer answers;
        answers.answers = {IDNO};
        Command(IDC_DELETE);
    }
    EXPECT_EQ((Texts{L"held.ini", L"other.ini"}), Rows());
    EXPECT_TRUE(folder.Exists(L"other.ini"));
}

TEST_F(FileNameDialogTest, PlaceRowsAreNeverDeleted) {
    Open(folder.path);
    Command(IDC_FIRST_ANCESTOR);
    Select({L"My Documents"});
    QuestionAnswerer answers;
    Command(IDC_DELETE);
    EXPECT_TRUE(answers.titles.empty());
    EXPECT_EQ((Texts{L"My Device", L"My Documents"}), Rows());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(L"\\My Documents"));
}

TEST_F(FileNameDialogTest, OverlaysMarkShortcutsAndRomFiles) {
    folder.File(L"tool.lnk", std::string("20#\\Windows\\notepad.exe"));
    folder.File(L"rom.lnk", std::string("20#\\Windows\\notepad.exe"));
    folder.File(L"rom.ini", 10);
    folder.File(L"plain.ini", 10);
    const std::vector<std::wstring> rom = {folder.In(L"rom.lnk"), folder.In(L"rom.ini")};
    SetRomFilesForTesting(&rom);
    Open(folder.path, 0, false, L"All\0*.*\0");
    const auto overlay = [this](const wchar_t* name) {
        return ListView_GetItemState(List(), RowOf(name), LVIS_OVERLAYMASK) >> 8;
    };
    EXPECT_EQ(1u, overlay(L"tool.lnk"));
    EXPECT_EQ(3u, overlay(L"rom.lnk"));
    EXPECT_EQ(2u, overlay(L"rom.ini"));
    EXPECT_EQ(0u, overlay(L"plain.ini"));

    // Icons are asked for when a row is drawn; a shortcut shows its target's.
    NMLVDISPINFOW request = {};
    request.item.mask = LVIF_IMAGE;
    request.item.iItem = RowOf(L"tool.lnk");
    View().OnGetDisplayInfo(request);
    EXPECT_TRUE(request.item.mask & LVIF_DI_SETITEM);
    EXPECT_GE(request.item.iImage, 0);
}

TEST_F(FileNameDialogTest, SaveAsksBeforeReplacing) {
    folder.File(L"exists.ini", 10);
    Open(folder.path, OFN_OVERWRITEPROMPT, true);
    EXPECT_EQ(L"Save as", TextOf(dialog->handle));
    recorder.Answer(IDNO);
    Take(L"exists.ini");
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(folder.In(L"exists.ini") + L" is already exists. Do you want to replace it?",
              recorder.Boxes()[0].text);
    EXPECT_EQ(L"Save", recorder.Boxes()[0].caption);
    EXPECT_FALSE(Ended());
    recorder.Answer(IDYES);
    Take(L"exists.ini");
    ASSERT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"exists.ini"), chosen);
}

TEST_F(FileNameDialogTest, JapaneseTexts) {
    Application::japanese = TRUE;
    folder.File(L"units.ini", 10);
    Open(folder.path, OFN_FILEMUSTEXIST, false, L"定義ﾌｧｲﾙ(*.ini)\0*.ini\0");
    EXPECT_EQ(L"開く", TextOf(dialog->handle));
    Command(IDC_VIEW_DETAILS);
    wchar_t text[32] = {};
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 32;
    ListView_GetColumn(List(), 3, &column);
    EXPECT_STREQ(L"更新日時", text);
    Command(IDC_FIRST_ANCESTOR);
    EXPECT_EQ(L"ﾃﾞｽｸﾄｯﾌﾟ", Location());
}

// Names in the device's own script are listed, renamed, made and opened. Run again on a
// Japanese device, where Wine needs the host's Japanese locale to make such names at all.
TEST_F(FileNameDialogTest, JapaneseFileNames) {
    Application::japanese = TRUE;
    folder.File(L"長さ.ini", 10);
    Open(folder.path);
    EXPECT_EQ(Texts{L"長さ.ini"}, Rows());
    EXPECT_EQ(0, EditLabel(LVN_ENDLABELEDITW, 0, L"単位.ini"));
    EXPECT_TRUE(folder.Exists(L"単位.ini"));
    EXPECT_EQ(L"単位.ini", RowText(0));
    Command(IDC_NEW_FOLDER);
    ListView_CancelEditLabel(List());
    EXPECT_TRUE(folder.Exists(L"新しいフォルダ"));
    EXPECT_TRUE(recorder.Boxes().empty());
    Take(L"単位");
    EXPECT_TRUE(Ended());
    EXPECT_EQ(folder.In(L"単位.ini"), chosen);
}

// The modal run a caller makes, answered from a timer as a user would.
TEST_F(FileNameDialogTest, ChooseFileToOpenReturnsTheChosenPath) {
    folder.File(L"units.ini", 10);
    static HWND found = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND open = FindWindowW(nullptr, L"Open");
        if (open != nullptr && open != found && IsWindowVisible(open)) {
            found = open;
            SetDlgItemTextW(open, IDC_NAME_FIELD, L"units.ini");
            PostMessageW(open, WM_COMMAND, IDOK, 0);
        }
    });
    OPENFILENAMEW caller = {};
    caller.lStructSize = sizeof caller;
    caller.lpstrFilter = kIniFilter;
    caller.lpstrFile = chosen;
    caller.nMaxFile = MAX_PATH;
    const std::wstring start = folder.path;
    caller.lpstrInitialDir = start.c_str();
    caller.Flags = OFN_FILEMUSTEXIST;
    EXPECT_TRUE(ChooseFileToOpen(caller));
    KillTimer(nullptr, timer);
    EXPECT_EQ(folder.In(L"units.ini"), chosen);
}

// The dialog opened and closed many times holds no more drawing or window objects than
// after the first few.
TEST_F(FileNameDialogTest, OpeningsLeakNoObjects) {
    folder.File(L"units.ini", 10);
    folder.Folder(L"sub");
    // Each dialog shows its location menu, whose texts are measured each time, and goes.
    static HWND shown = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND open = FindWindowW(nullptr, L"Open");
        const HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu != nullptr && IsWindowVisible(menu)) {
            EndMenu();
            PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
        } else if (open != nullptr && open != shown && IsWindowVisible(open)) {
            shown = open;
            PostMessageW(open, WM_COMMAND, IDC_LOCATION, 0);
        }
    });
    const std::wstring start = folder.path;
    const auto open = [&](int times) {
        for (int i = 0; i < times; ++i) {
            OPENFILENAMEW caller = {};
            caller.lStructSize = sizeof caller;
            caller.lpstrFilter = kIniFilter;
            caller.lpstrFile = chosen;
            caller.nMaxFile = MAX_PATH;
            caller.lpstrInitialDir = start.c_str();
            EXPECT_FALSE(ChooseFileToOpen(caller));
        }
        return CountGuiObjects();
    };
    const GuiObjects first = open(5);
    const GuiObjects later = open(60);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(NoMoreObjects(first, later))
        << first.gdi << " " << later.gdi << " " << first.user << " " << later.user;
}

} // namespace

namespace {

// The command bar sits between the list and the menu bar, above the input panel when it is
// up.
TEST_F(FileNameDialogTest, InputPanelMovesTheCommandBar) {
    Open(folder.path);
    const auto check = [this](const std::string& when) {
        RECT client = {};
        GetClientRect(dialog->handle, &client);
        RECT bar = {};
        RECT list = {};
        GetWindowRect(dialog->commandBar.handle, &bar);
        GetWindowRect(List(), &list);
        MapWindowPoints(nullptr, dialog->handle, reinterpret_cast<POINT*>(&bar), 2);
        MapWindowPoints(nullptr, dialog->handle, reinterpret_cast<POINT*>(&list), 2);
        EXPECT_EQ(list.bottom, bar.top) << when;
        EXPECT_EQ(client.bottom - MenuBarHeight() - GetSipHeight(), bar.bottom) << when;
        EXPECT_GT(bar.bottom - bar.top, 10) << when;
        EXPECT_TRUE(IsWindowVisible(dialog->commandBar.handle)) << when;
    };
    ShowSip();
    PumpMessages();
    EXPECT_GT(GetSipHeight(), 0);
    check("panel up");
    SHSipPreference(nullptr, SIP_FORCEDOWN);
    PumpMessages();
    EXPECT_EQ(0, GetSipHeight());
    check("panel down");
}

TEST_F(FileNameDialogTest, ViewsAndContextMenusShowTheirState) {
    folder.File(L"a.ini", 1);
    Open(folder.path);
    Command(IDC_VIEW_DETAILS);
    const Texts views = ShownMenu::Of([this] { Command(IDC_VIEW_MENU); });
    EXPECT_EQ((Texts{L"54:Sort by Name", L"55:Sort by Type", L"56:Sort by Size", L"57:Sort by Date",
                     L"50:Large Icon", L"51:Small Icon", L"52:List", L"53:Details*"}),
              views);

    // Back is grayed without history, Up on the Desktop.
    EXPECT_EQ((Texts{L"30:Back-", L"32:Up"}), ShownMenu::Of([this] { Command(IDC_CONTEXT_MENU); }));
    Command(IDC_FIRST_ANCESTOR);
    EXPECT_EQ((Texts{L"30:Back", L"32:Up-"}), ShownMenu::Of([this] { Command(IDC_CONTEXT_MENU); }));

    // A right click on the list posts the context menu's command.
    const Texts fromClick = ShownMenu::Of([this] {
        NMITEMACTIVATE click = {};
        Notify(NM_RCLICK, click.hdr);
        PumpMessages();
    });
    EXPECT_EQ((Texts{L"30:Back", L"32:Up-"}), fromClick);
}

} // namespace
