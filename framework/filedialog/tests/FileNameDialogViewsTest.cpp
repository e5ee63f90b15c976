// What the dialog shows: long names, rows drawn where a tap finds them, overlays, the state
// in the views and context menus, and the command bar above the input panel.
#include "FileNameDialogTest.h"

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

TEST_F(FileNameDialogTest, OverlaysMarkShortcutsAndRomFiles) {
    folder.File(L"tool.lnk", std::string("17#\\nowhere\\tool.exe"));
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
    EXPECT_EQ(IconCache::kProgramImage, request.item.iImage); // a program without an icon
}

// The command bar sits between the list and the menu bar, above the input panel when it is
// up; the fields above keep their heights.
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
        // Widened to the edge, the name field keeps a line's height and the type list the
        // room its list drops down into.
        RECT name = {};
        RECT dropped = {};
        GetWindowRect(GetDlgItem(dialog->handle, IDC_NAME_FIELD), &name);
        SendMessageW(GetDlgItem(dialog->handle, IDC_TYPE_LIST), CB_GETDROPPEDCONTROLRECT, 0,
                     reinterpret_cast<LPARAM>(&dropped));
        EXPECT_GE(name.bottom - name.top, ScaleY(12)) << when;
        EXPECT_LE(name.bottom - name.top, ScaleY(30)) << when;
        EXPECT_GT(dropped.bottom - dropped.top, 2 * (name.bottom - name.top)) << when;
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
    // It drops up from the View Menu button's top-left corner.
    const RECT viewButton = ButtonRect(IDC_VIEW_MENU);
    EXPECT_EQ(viewButton.left, ShownMenu::place.left);
    EXPECT_LE(ShownMenu::place.bottom, viewButton.top);

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
