#include "ConverterWindow.h"

#include "TemperaturePage.h"
#include "TimePage.h"
#include "UnitPage.h"
#include "converter/definitions/DefinitionLoader.h"
#include "framework/about/AboutBox.h"
#include "framework/app/Application.h"
#include "framework/app/Commands.h"
#include "framework/app/GdiObject.h"
#include "framework/app/MenuBars.h"
#include "framework/app/MenuItemText.h"
#include "framework/app/MessageBoxes.h"
#include "framework/app/MessageRoutes.h"
#include "framework/app/Paths.h"
#include "framework/filedialog/FileNameDialog.h"
#include "platform/DeviceFiles.h"
#include "platform/DeviceWindows.h"
#include "platform/MenuBar.h"
#include "platform/PrivateMessages.h"
#include "platform/Screen.h"
#include "resources/converter_ids.h"

#include <commctrl.h>
#include <strsafe.h>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr int kUnitMenuPosition = 2; // File, Edit, Unit, Help
constexpr DWORD kTabStyle = WS_CHILD | WS_VISIBLE | TCS_BOTTOM;
// Tabs made at once from which a style change to fixed width and back (two layout passes)
// costs less than measuring every tab on each insertion.
constexpr int kFixedWidthBatch = 10;
// Around a tab's text, and the narrowest tab, in 96-DPI pixels.
constexpr int kTabDesignPadding = 4;
constexpr int kTabDesignMinWidth = 24;

bool IsControlCharacter(wchar_t c) {
    return c < 0x20 || c == 0x7F;
}

// A section name as its tab and menu item show it: each run of control characters (the
// CR of a name that ran over lines) is one space, blanks at the ends go, and a name with
// nothing left says that it has none.
std::wstring ShownName(const std::wstring& name) {
    std::wstring shown;
    bool gap = false;
    for (const wchar_t c : name) {
        if (IsControlCharacter(c)) {
            gap = true;
            continue;
        }
        if (gap && !shown.empty()) {
            shown += L' ';
        }
        gap = false;
        shown += c;
    }
    // Blanks of every kind: no-break and full-width spaces too.
    std::vector<WORD> types(shown.size() + 1);
    GetStringTypeW(CT_CTYPE1, shown.c_str(), static_cast<int>(shown.size()), types.data());
    const auto blank = [&types](size_t at) { return (types[at] & (C1_SPACE | C1_BLANK)) != 0; };
    size_t first = 0;
    size_t end = shown.size();
    while (first < end && blank(first)) {
        ++first;
    }
    while (end > first && blank(end - 1)) {
        --end;
    }
    if (first == end) {
        return LanguageText(L"(no name)", L"(名前なし)");
    }
    return shown.substr(first, end - first);
}

} // namespace

ConverterWindow::ConverterWindow() {
    settings.Load();
}

ConverterWindow::~ConverterWindow() {
    settings.Save();
}

LRESULT ConverterWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static constexpr MessageRoute<ConverterWindow, LRESULT> kRoutes[] = {
        {WM_CREATE, &ConverterWindow::OnCreate},
        {WM_DESTROY, &ConverterWindow::OnDestroy},
        {WM_CLOSE, &ConverterWindow::OnClose},
        {WM_SIZE, &ConverterWindow::OnSize},
        {WM_NOTIFY, &ConverterWindow::OnNotify},
        {WM_HELP, &ConverterWindow::OnHelp},
        {WM_COMMAND, &ConverterWindow::OnCommand},
        {WM_TELL_LOAD_PROBLEMS, &ConverterWindow::OnTellLoadProblems},
    };
    return RouteMessage(*this, kRoutes, window, message, wParam, lParam,
                        [&] { return DefWindowProcW(window, message, wParam, lParam); });
}

LRESULT ConverterWindow::OnSize(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

LRESULT ConverterWindow::OnNotify(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_PAGE_TABS && header->code == TCN_SELCHANGE) {
        OnSelectionChange();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ConverterWindow::OnHelp(HWND window, UINT, WPARAM, LPARAM) {
    if (GetActiveWindow() == window) {
        PostMessageW(window, WM_COMMAND, IDC_ABOUT, 0);
    }
    return 0;
}

LRESULT ConverterWindow::OnTellLoadProblems(HWND window, UINT, WPARAM, LPARAM) {
    startProblems.Report(window, settings.definitionPath);
    startProblems = LoadProblems();
    return 0;
}

LRESULT ConverterWindow::OnCreate(HWND window, UINT, WPARAM, LPARAM) {
    buildingPages = true;
    InitControlClasses(0xFF);
    CreateMenuBar(Application::japanese ? IDM_MAIN_JAPANESE : IDM_MAIN);
    AddPageButtons();

    RECT layout = {};
    GetLayoutRect(layout, false, false);
    tabControl.handle =
        CreateWindowExW(0, WC_TABCONTROLW, L"", kTabStyle, layout.left, layout.top,
                        layout.right - layout.left, layout.bottom - layout.top, window,
                        reinterpret_cast<HMENU>(IDC_PAGE_TABS), Application::instance, nullptr);
    SendMessageW(tabControl.handle, CCM_SETVERSION, COMCTL32_VERSION_POCKETPC, 0);
    // The tab control outside a dialog would draw with the system's bitmap font, which the
    // platform stretches to the screen's DPI; the menu bar's font scales in proportion.
    SendMessageW(tabControl.handle, WM_SETFONT,
                 reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    // So are the tabs' margins and least width, which the control keeps in fixed pixels.
    TabCtrl_SetPadding(tabControl.handle, ScaleX(kTabDesignPadding), ScaleY(kTabDesignPadding));
    TabCtrl_SetMinTabWidth(tabControl.handle, ScaleX(kTabDesignMinWidth));
    tabControl.Subclass(this, &ConverterWindow::TabHandler);

    pages.push_back({std::make_unique<TemperaturePage>(), LanguageText(L"Temp", L"温度")});
    pages.push_back({std::make_unique<TimePage>(), LanguageText(L"Time", L"時間")});
    MakeTabs(kFixedPages - 1);

    if (settings.definitionPath[0] != L'\0') {
        LoadRememberedFile();
    } else {
        PostMessageW(window, WM_COMMAND, IDC_OPEN, 0);
    }
    currentPage = 0;
    SelectPage(0);
    buildingPages = false;
    return 0;
}

LRESULT ConverterWindow::OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WPARAM command = CommandOf(wParam, lParam);
    if (command >= IDC_PAGE && command < IDC_PAGE + kMaxPages) {
        const int index = static_cast<int>(command) - IDC_PAGE;
        if (index < PageCount()) {
            SelectPage(index);
        }
    } else if (command == IDC_EXIT) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    } else if (command == IDC_COPY) {
        pages[currentPage].object->Copy();
    } else if (command == IDC_PASTE) {
        pages[currentPage].object->Paste();
    } else if (command == IDC_ABOUT) {
        ShowAboutBox(window);
    } else if (command == IDC_OPEN) {
        OpenDefinitionFile();
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ConverterWindow::OnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Out of the table first, so that no tab is made for a page that goes.
    const std::vector<Page> closing = std::move(pages);
    pages.clear();
    for (const Page& page : closing) {
        if (page.object->handle != nullptr) {
            DestroyWindow(page.object->handle);
        }
    }
    return FrameWindow::OnDestroy(window, message, wParam, lParam);
}

void ConverterWindow::AddCategoryPage(std::unique_ptr<UnitCategory> category) {
    const int index = PageCount();
    if (index >= kMaxPages) {
        return;
    }
    // Tabs go in up to the first one that reaches the strip's end, so that the scroll arrows
    // show; those after it would be out of sight, and inserting one costs the tab control a
    // layout pass with its scroll arrows, so they wait.
    RECT last = {};
    RECT strip = {};
    const bool inSight = pages[index - 1].hasTab &&
                         TabCtrl_GetItemRect(tabControl.handle, index - 1, &last) &&
                         GetClientRect(tabControl.handle, &strip) && last.right < strip.right;
    const std::wstring name = ShownName(category->Name());
    const RECT screen = DeviceScreenRect();
    AppendMenuW(GetSubMenu(menu.handle, kUnitMenuPosition), MF_STRING, IDC_PAGE + index,
                MenuItemText(name, screen.right - screen.left).c_str());
    pages.push_back({std::make_unique<UnitPage>(std::move(category)), Unprefixed(name)});
    if (inSight) {
        MakeTabs(index);
    }
}

void ConverterWindow::SelectPage(int index) {
    MakeTabs(index);
    ShowWindow(pages[currentPage].object->handle, SW_HIDE);
    TabCtrl_SetCurSel(tabControl.handle, index);
    ShowPage(index);
    currentPage = index;
    SetFocus(tabControl.handle);
}

void ConverterWindow::ShowPage(int index) {
    ConverterPage& page = *pages[index].object;
    if (page.handle == nullptr) {
        page.CreatePage(tabControl.handle);
        // A category page covers the tab control's display area; the fixed pages keep the
        // place of their templates, but never reach over the tabs (the selected one stands
        // higher than the others).
        RECT area;
        GetClientRect(tabControl.handle, &area);
        TabCtrl_AdjustRect(tabControl.handle, FALSE, &area);
        if (index >= kFixedPages) {
            MoveWindow(page.handle, area.left - 2, area.top - 2, area.right - area.left + 4,
                       area.bottom - area.top + 2, FALSE);
        } else {
            RECT own;
            GetWindowRect(page.handle, &own);
            MapWindowPoints(nullptr, tabControl.handle, reinterpret_cast<POINT*>(&own), 2);
            if (own.bottom > area.bottom) {
                MoveWindow(page.handle, own.left, own.top, own.right - own.left,
                           area.bottom - own.top, FALSE);
            }
        }
    }
    ShowWindow(page.handle, SW_SHOW);
    // The Unit menu marks the page shown, however it was chosen.
    CheckMenuRadioItem(GetSubMenu(menu.handle, kUnitMenuPosition), IDC_PAGE,
                       IDC_PAGE + PageCount() - 1, IDC_PAGE + index, MF_BYCOMMAND);
}

void ConverterWindow::RemoveCategoryPages() {
    // The last first, so that the tabs go from the end of the strip.
    for (int index = PageCount() - 1; index >= kFixedPages; --index) {
        // Out of the table first, so that no tab is made for a page that goes.
        const Page page = std::move(pages.back());
        pages.pop_back();
        if (page.object->handle != nullptr) {
            DestroyWindow(page.object->handle);
        }
        if (page.hasTab) {
            TabCtrl_DeleteItem(tabControl.handle, index);
        }
        DeleteMenu(menu.handle, IDC_PAGE + index, MF_BYCOMMAND);
    }
    if (currentPage >= PageCount()) {
        currentPage = 0;
    }
}

LRESULT ConverterWindow::TabHandler(HWND tabs, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!MayHoldTabsBack(message)) {
        MakeTabs(PageCount() - 1);
    }
    if (message == WM_KEYDOWN && wParam == VK_TAB) {
        ConverterPage& page = *pages[currentPage].object;
        if (page.rowCount > 0) {
            SetFocus(page.edits[0]->handle);
            SendMessageW(page.edits[0]->handle, EM_SETSEL, 0, -1);
        }
        return 0;
    }
    if (message == WM_CHAR && wParam == VK_TAB) {
        return 0;
    }
    return tabControl.CallOldProc(tabs, message, wParam, lParam);
}

bool ConverterWindow::MayHoldTabsBack(UINT message) const {
    if (buildingPages) {
        return true;
    }
    switch (message) {
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_PAINT:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_MOUSEMOVE:
        return true;
    default:
        return false;
    }
}

void ConverterWindow::MakeTabs(int last) {
    int first = 0;
    while (first <= last && pages[first].hasTab) {
        ++first;
    }
    if (first > last) {
        return;
    }
    // The insertions and style changes below pass the tab control's handler, which must not
    // make tabs in the middle of them.
    const bool outerBuild = std::exchange(buildingPages, true);
    // The tab control measures the text of every tab again on each insertion, which makes
    // many tabs cost the square of their number. Fixed-width tabs are not measured: a batch
    // goes in that way and is measured once when the style comes back.
    const bool batch = last - first + 1 >= kFixedWidthBatch;
    if (batch) {
        tabControl.ModifyStyle(0, TCS_FIXEDWIDTH);
    }
    for (int index = first; index <= last; ++index) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = pages[index].tabText.data();
        TabCtrl_InsertItem(tabControl.handle, index, &item);
        pages[index].hasTab = true;
    }
    if (batch) {
        tabControl.ModifyStyle(TCS_FIXEDWIDTH, 0);
    }
    // The first tab past the strip's end makes the strip's scroll arrows, an up-down control
    // that takes its visible style while it is being made instead of being shown, so that
    // nothing asks it to paint: only the part of it that a repaint of the strip happens to
    // reach would show, until something taps it. The whole of it is asked for.
    if (const HWND arrows = FindWindowExW(tabControl.handle, nullptr, UPDOWN_CLASSW, nullptr)) {
        InvalidateRect(arrows, nullptr, TRUE);
    }
    buildingPages = outerBuild;
}

void ConverterWindow::OpenDefinitionFile() {
    wchar_t folder[kMaxPath] = {};
    DeviceModuleFileName(nullptr, folder, kMaxPath);
    GoUp(folder);
    wchar_t chosen[kMaxPath] = {};
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = handle;
    request.lpstrFilter = LanguageText(L"INI Files(*.ini)\0*.ini\0All Files\0*.*\0",
                                       L"定義ﾌｧｲﾙ(*.ini)\0*.ini\0すべてのﾌｧｲﾙ\0*.*\0");
    request.lpstrFile = chosen;
    request.nMaxFile = kMaxPath;
    request.lpstrInitialDir = folder;
    request.lpstrDefExt = L"ini";
    request.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (fileIcons == nullptr) {
        fileIcons = std::make_unique<IconCache>();
    }
    if (!ChooseFileToOpen(request)) {
        return;
    }
    UpdateWindow(handle);
    ReplaceCategoryPages(chosen);
}

void ConverterWindow::LoadRememberedFile() {
    DWORD error = 0;
    FILE* const file = OpenDefinitionFileToRead(settings.definitionPath, error);
    if (file == nullptr) {
        return; // gone since the last run: the fixed pages alone, as without a file
    }
    startProblems = LoadDefinitionStream(*this, file);
    std::fclose(file);
    if (startProblems.Count() > 0) {
        PostMessageW(handle, WM_TELL_LOAD_PROBLEMS, 0, 0);
    }
}

void ConverterWindow::ReplaceCategoryPages(const wchar_t* path) {
    DWORD error = 0;
    FILE* const file = OpenDefinitionFileToRead(path, error);
    if (file == nullptr) {
        // The pages of the file in use stay, and that file is still the one remembered.
        ReportUnreadable(path, error);
        return;
    }
    settings.Remember(path);
    buildingPages = true;
    BeginWaitCursor();
    RemoveCategoryPages();
    const LoadProblems problems = LoadDefinitionStream(*this, file);
    std::fclose(file);
    EndWaitCursor();
    // The page on screen may be the Time page, or one that is gone: SelectPage hides it.
    SelectPage(0);
    buildingPages = false;
    problems.Report(handle, path);
}

void ConverterWindow::ReportUnreadable(const wchar_t* path, DWORD error) const {
    const wchar_t* reason = nullptr;
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        reason = LanguageText(L"another program is using it", L"他のﾌﾟﾛｸﾞﾗﾑが使用中です");
        break;
    case ERROR_ACCESS_DENIED:
        reason = LanguageText(L"access to it is denied", L"ｱｸｾｽが拒否されました");
        break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        reason = LanguageText(L"it does not exist", L"見つかりません");
        break;
    default:
        ShowError(
            handle,
            LanguageText(L"'%s' could not be read: error %d.", L"'%s' を読み込めません: ｴﾗｰ %d。"),
            path, static_cast<int>(error));
        return;
    }
    ShowError(handle, LanguageText(L"'%s' could not be read: %s.", L"'%s' を読み込めません: %s。"),
              path, reason);
}

void ConverterWindow::AddPageButtons() {
    const UINT_PTR bitmap = Application::hiRes ? IDB_PAGE_BUTTONS_HIRES : IDB_PAGE_BUTTONS;
    TBADDBITMAP images = {Application::instance, bitmap};
    SendMessageW(menuBar.handle, TB_ADDBITMAP, 2, reinterpret_cast<LPARAM>(&images));
    TBBUTTON buttons[2] = {};
    buttons[0] = {0, IDC_COPY, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
    buttons[1] = {1, IDC_PASTE, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
    SendMessageW(menuBar.handle, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
    const wchar_t* tooltips[] = {LanguageText(L"Copy", L"ｺﾋﾟｰ"),
                                 LanguageText(L"Paste", L"貼り付け")};
    SendMessageW(menuBar.handle, SHCMBM_SETBUTTONTOOLTIPS, 2, reinterpret_cast<LPARAM>(tooltips));
}

void ConverterWindow::OnSelectionChange() {
    ShowWindow(pages[currentPage].object->handle, SW_HIDE);
    currentPage = TabCtrl_GetCurSel(tabControl.handle);
    PressOnlyTheSelectedTab();
    ShowPage(currentPage);
    SetFocus(tabControl.handle);
}

// A tab control keeps a pressed state per tab besides its selection. Wine's moves the
// selection with the arrow keys but leaves the state on the tab left, and then takes the
// next tap on another tab only to clear it: the user would tap twice.
void ConverterWindow::PressOnlyTheSelectedTab() {
    for (int tab = 0; tab < TabCtrl_GetItemCount(tabControl.handle); ++tab) {
        TCITEMW item = {};
        item.mask = TCIF_STATE;
        item.dwStateMask = TCIS_BUTTONPRESSED;
        TabCtrl_GetItem(tabControl.handle, tab, &item);
        const DWORD pressed = tab == currentPage ? TCIS_BUTTONPRESSED : 0;
        if ((item.dwState & TCIS_BUTTONPRESSED) != pressed) {
            item.dwState = pressed;
            TabCtrl_SetItem(tabControl.handle, tab, &item);
        }
    }
}
