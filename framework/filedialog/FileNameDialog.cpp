#include "FileNameDialog.h"

#include "Places.h"
#include "framework/app/Application.h"
#include "framework/app/Commands.h"
#include "framework/app/InputPanel.h"
#include "framework/app/MenuBars.h"
#include "framework/app/MenuItemText.h"
#include "framework/app/MessageBoxes.h"
#include "framework/app/PathReporting.h"
#include "platform/CommandBar.h"
#include "platform/DeviceFiles.h"
#include "platform/MenuBar.h"
#include "platform/Screen.h"
#include "platform/ShellDialogs.h"
#include "platform/SoftInputPanel.h"
#include "resources/filedialog_ids.h"

#include <shlobj.h>
#include <strsafe.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <vector>

namespace {

// The shell's Done button and full screen; the input panel stays as the user left it.
constexpr DWORD kDialogFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN;
constexpr int kPlaceImages = 12;
// The location button's images follow the dialog bar's nine.
constexpr int kFolderButtonImage = kDialogBarImages + 1;
constexpr WPARAM kTypeChange = MAKEWPARAM(IDC_TYPE_LIST, CBN_SELCHANGE);
constexpr LRESULT kBeginDragAnswer = 200;

// The views menu's item of each view.
int ViewCommand(int view) {
    switch (view) {
    case FileListView::kLargeIconView:
        return IDC_VIEW_LARGE_ICONS;
    case FileListView::kDetailsView:
        return IDC_VIEW_DETAILS;
    case FileListView::kSmallIconView:
        return IDC_VIEW_SMALL_ICONS;
    default:
        return IDC_VIEW_LIST;
    }
}

// The name of a component of a path below its root: the place a "*" component stands for.
const wchar_t* ComponentName(const wchar_t* component) {
    if (component[0] != L'*') {
        return component;
    }
    switch (component[1]) {
    case L'C':
        return PlaceOf(kControlPanel).Name();
    case L'D':
        return PlaceOf(kDatabases).Name();
    case L'R':
        return PlaceOf(kFindResult).Name();
    default:
        return LanguageText(L"Unknown", L"不明");
    }
}

} // namespace

bool ChooseFileToOpen(OPENFILENAMEW& request) {
    FileNameDialog dialog;
    return dialog.Run(request, false) == IDOK;
}

INT_PTR FileNameDialog::Run(OPENFILENAMEW& caller, bool save) {
    request = &caller;
    saveMode = save;
    const std::wstring templateName = (caller.Flags & OFN_ENABLETEMPLATE) && caller.lpTemplateName
                                          ? caller.lpTemplateName
                                          : LocalizedResourceName(L"FDlgGetFileName");
    return DoModal(caller.hwndOwner, templateName.c_str());
}

INT_PTR FileNameDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        Layout();
        return 1;
    case WM_SETTINGCHANGE:
        if (wParam != SPI_SETSIPINFO) {
            return 0;
        }
        Layout();
        return 1;
    default:
        return FullScreenDialog::DialogProc(dialog, message, wParam, lParam);
    }
}

INT_PTR FileNameDialog::OnInitDialog(HWND dialog, UINT, WPARAM, LPARAM) {
    list = std::make_unique<FileListView>(GetDlgItem(dialog, IDC_FILE_LIST));
    CreateCommandBar();

    if (request->lpstrTitle != nullptr) {
        SetWindowTextW(dialog, request->lpstrTitle);
    } else {
        SetWindowTextW(dialog, saveMode ? LanguageText(L"Save as", L"名前を付けて保存")
                                        : LanguageText(L"Open", L"開く"));
    }

    const HWND types = Control(IDC_TYPE_LIST);
    if (request->lpstrFilter != nullptr) {
        for (const wchar_t* text = request->lpstrFilter; *text != L'\0';) {
            const wchar_t* pattern = text + wcslen(text) + 1;
            SendMessageW(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            patterns.emplace_back(pattern);
            if (*pattern == L'\0') {
                break; // a description without its pattern ends the list
            }
            text = pattern + wcslen(pattern) + 1;
        }
    }
    if (patterns.empty()) {
        SendMessageW(
            types, CB_ADDSTRING, 0,
            reinterpret_cast<LPARAM>(LanguageText(L"All files (*.*)", L"すべてのﾌｧｲﾙ (*.*)")));
        SendMessageW(types, CB_SETCURSEL, 0, 0);
    } else {
        const DWORD index = request->nFilterIndex;
        const int chosen = index == 0 || index > patterns.size() ? 0 : static_cast<int>(index) - 1;
        SendMessageW(types, CB_SETCURSEL, chosen, 0);
        list->model.SetFilter(patterns[chosen].c_str());
    }

    if (!(request->Flags & OFN_ALLOWMULTISELECT)) {
        list->ModifyStyle(0, LVS_SINGLESEL);
    }

    wchar_t start[kMaxPath] = {};
    LocationCode code = kMyDevice;
    // A start folder too long to be one is no start folder: never a cut, other folder.
    if (request->lpstrInitialDir != nullptr &&
        SUCCEEDED(StringCchCopyW(start, kMaxPath, request->lpstrInitialDir))) {
        code = LocationOfText(start);
    }
    list->model.SetLocation(code, start);
    if (saveMode && request->lpstrFile != nullptr) {
        SetDlgItemTextW(dialog, IDC_NAME_FIELD, request->lpstrFile);
    }
    wchar_t location[kMaxPath];
    UpdateLocationButton(list->model.CurrentLocation(location), location);
    list->Refill(false);

    InitFullScreenDialog(dialog, kDialogFlags);
    CreateMenuBar();
    UpdateButtons(list->model.CurrentLocation(location));
    Layout();
    return 1;
}

void FileNameDialog::CreateCommandBar() {
    commandBar.handle = CommandBar_Create(Application::instance, handle, IDC_COMMAND_BAR);
    commandBar.ModifyStyle(0, CCS_TOP | CCS_NOPARENTALIGN);
    const int size = ScaleX(16);
    CommandBar_AddBitmap(commandBar.handle, Application::instance,
                         Application::hiRes ? IDB_DIALOG_BAR_HIRES : IDB_DIALOG_BAR,
                         kDialogBarImages, size, size);
    CommandBar_AddBitmap(commandBar.handle, Application::instance,
                         Application::hiRes ? IDB_PLACES_HIRES : IDB_PLACES, kPlaceImages, size,
                         size);
    const wchar_t* tooltip = LanguageText(L"Dir", L"ﾃﾞｨﾚｸﾄﾘ");
    CommandBar_AddToolTips(commandBar.handle, 1, &tooltip);
    TBBUTTON button = {};
    button.iBitmap = kFolderButtonImage;
    button.idCommand = IDC_LOCATION;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_WHOLEDROPDOWN | BTNS_SHOWTEXT;
    button.iString = reinterpret_cast<INT_PTR>(L"");
    CommandBar_AddButtons(commandBar.handle, 1, &button);
    TBBUTTONINFOW width = {};
    width.cbSize = sizeof width;
    width.dwMask = TBIF_SIZE;
    const RECT screen = DeviceScreenRect();
    width.cx = static_cast<WORD>(screen.right - screen.left - ScaleX(2));
    SendMessageW(commandBar.handle, TB_SETBUTTONINFOW, IDC_LOCATION,
                 reinterpret_cast<LPARAM>(&width));
    SendMessageW(commandBar.handle, TB_AUTOSIZE, 0, 0);
}

void FileNameDialog::CreateMenuBar() {
    menuBar.handle = CreateDialogMenuBar(handle, IDR_EMPTY_MENU_BAR);
    struct Button {
        int image;
        int command;
        BYTE state;
        const wchar_t* english;
        const wchar_t* japanese;
    };
    const Button kButtons[] = {
        {0, IDCANCEL, TBSTATE_ENABLED, L"Cancel", L"ｷｬﾝｾﾙ"},
        {1, IDOK, TBSTATE_ENABLED, L"OK", L"OK"},
        {0, 0, 0, nullptr, nullptr}, // separator
        {2, IDC_BACK, 0, L"Go to Last Folder Visited", L"戻る"},
        {4, IDC_UP, TBSTATE_ENABLED, L"Up One Level", L"上へ"},
        {5, IDC_NEW_FOLDER, TBSTATE_ENABLED, L"Create New Folder", L"新規ﾌｫﾙﾀﾞの作成"},
        {6, IDC_DELETE, TBSTATE_ENABLED, L"Delete", L"削除"},
        {7, IDC_VIEW_MENU, TBSTATE_ENABLED, L"View Menu", L"表示ﾒﾆｭｰ"},
    };
    TBBUTTON buttons[std::size(kButtons)] = {};
    std::vector<const wchar_t*> tooltips;
    for (size_t index = 0; index < std::size(kButtons); ++index) {
        const Button& button = kButtons[index];
        buttons[index].iBitmap = button.image;
        buttons[index].idCommand = button.command;
        buttons[index].fsState = button.state;
        if (button.english == nullptr) {
            buttons[index].fsStyle = BTNS_SEP;
        } else {
            tooltips.push_back(LanguageText(button.english, button.japanese));
        }
    }
    SendMessageW(menuBar.handle, TB_ADDBUTTONSW, std::size(buttons),
                 reinterpret_cast<LPARAM>(buttons));
    SendMessageW(menuBar.handle, SHCMBM_SETBUTTONTOOLTIPS, tooltips.size(),
                 reinterpret_cast<LPARAM>(tooltips.data()));
}

INT_PTR FileNameDialog::OnDestroy(HWND, UINT, WPARAM, LPARAM) {
    if (menuBar.handle != nullptr) {
        DestroyWindow(menuBar.handle);
    }
    list.reset();
    if (commandBar.handle != nullptr) {
        DestroyWindow(commandBar.handle);
    }
    return 1;
}

void FileNameDialog::Layout() {
    if (list == nullptr || commandBar.handle == nullptr) {
        return;
    }
    RECT client;
    GetClientRect(handle, &client);
    const int bottom = client.bottom - MenuBarHeight() - GetSipHeight();
    const int barHeight = CommandBar_Height(commandBar.handle);
    MoveWindow(commandBar.handle, 0, bottom - barHeight, client.right, barHeight, TRUE);
    // Moved out from under the input panel, the toolbar leaves its buttons undrawn unless
    // all of it is drawn again.
    RedrawWindow(commandBar.handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    // The name field and the type list reach to the screen's right edge, whatever the width
    // of the template's font.
    for (const int control : {IDC_NAME_FIELD, IDC_TYPE_LIST}) {
        const HWND field = GetDlgItem(handle, control);
        RECT place;
        GetWindowRect(field, &place);
        MapWindowPoints(nullptr, handle, reinterpret_cast<POINT*>(&place), 2);
        int height = place.bottom - place.top;
        RECT dropped; // a combo box's height includes its list
        if (SendMessageW(field, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped))) {
            height = dropped.bottom - dropped.top;
        }
        SetWindowPos(field, nullptr, 0, 0, client.right - ScaleX(2) - place.left, height,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    RECT listRect;
    GetWindowRect(list->handle, &listRect);
    MapWindowPoints(nullptr, handle, reinterpret_cast<POINT*>(&listRect), 2);
    MoveWindow(list->handle, 0, listRect.top, client.right,
               std::max(0, bottom - barHeight - static_cast<int>(listRect.top)), TRUE);
}

INT_PTR FileNameDialog::OnCommand(HWND dialog, UINT, WPARAM wParam, LPARAM lParam) {
    const WPARAM command = CommandOf(wParam, lParam);
    // A tap on a menu or a bar leaves the keyboard focus where it is, in the field of a
    // row being named: the typed name is given first, and a refused one (the user has
    // been told why) stops the command.
    const auto source = reinterpret_cast<HWND>(lParam);
    if ((source == nullptr || source == menuBar.handle || source == commandBar.handle) &&
        !list->FinishLabelEdit()) {
        return 1;
    }
    if (command >= IDC_FIRST_ANCESTOR && command <= IDC_FIRST_ANCESTOR + 128) {
        GoToAncestor(static_cast<int>(command - IDC_FIRST_ANCESTOR));
        return 0;
    }
    switch (command) {
    case IDOK:
        if (GetFocus() == list->handle) {
            ActivateChosenRow();
        } else {
            TakeNameField();
        }
        return 1;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return 1;
    case IDC_BACK:
        Back();
        return 1;
    case IDC_UP:
        Up();
        return 1;
    case IDC_NEW_FOLDER:
        list->NewFolder();
        return 1;
    case IDC_VIEW_MENU:
        ShowViewsMenu();
        return 1;
    case IDC_LOCATION:
        ShowLocationMenu();
        return 1;
    case IDC_DELETE:
        list->DeleteSelection();
        return 1;
    case IDC_CONTEXT_MENU:
        ShowContextMenu();
        return 1;
    case IDC_VIEW_LARGE_ICONS:
        list->SetView(FileListView::kLargeIconView);
        return 1;
    case IDC_VIEW_SMALL_ICONS:
        list->SetView(FileListView::kSmallIconView);
        return 1;
    case IDC_VIEW_LIST:
        list->SetView(FileListView::kListView);
        return 1;
    case IDC_VIEW_DETAILS:
        list->SetView(FileListView::kDetailsView);
        return 1;
    case IDC_SORT_BY_NAME:
        list->Sort(kSortByName);
        return 1;
    case IDC_SORT_BY_TYPE:
        list->Sort(kSortByType);
        return 1;
    case IDC_SORT_BY_SIZE:
        list->Sort(kSortBySize);
        return 1;
    case IDC_SORT_BY_DATE:
        list->Sort(kSortByDate);
        return 1;
    case kTypeChange:
        ChangeType();
        return 1;
    default:
        return 0;
    }
}

INT_PTR FileNameDialog::OnNotify(HWND dialog, UINT, WPARAM, LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    const auto answer = [dialog](LRESULT result) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
        return 1;
    };
    if (header->idFrom == IDC_COMMAND_BAR) {
        if (header->code == TBN_DROPDOWN) {
            const auto* dropDown = reinterpret_cast<NMTOOLBARW*>(lParam);
            if (dropDown->iItem == IDC_VIEW_MENU) {
                ShowViewsMenu();
                return answer(TBDDRET_DEFAULT);
            }
            if (dropDown->iItem == IDC_LOCATION) {
                ShowLocationMenu();
                return answer(TBDDRET_DEFAULT);
            }
        }
        return 1;
    }
    if (header->idFrom != IDC_FILE_LIST) {
        return 0;
    }
    switch (header->code) {
    case LVN_GETDISPINFOW:
        list->OnGetDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
        return 1;
    case NM_CUSTOMDRAW:
        return answer(list->OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam)));
    case LVN_BEGINLABELEDITW:
        return answer(list->OnBeginLabelEdit(reinterpret_cast<NMLVDISPINFOW*>(lParam)->item.iItem));
    case LVN_ENDLABELEDITW: {
        const LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
        list->OnEndLabelEdit(item.iItem, item.pszText);
        // The row shows the name on the disk, set by the view; a yes would put the typed
        // text over it.
        return answer(FALSE);
    }
    case LVN_KEYDOWN:
        switch (reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey) {
        case VK_BACK:
            Up();
            break;
        case VK_DELETE:
            list->DeleteSelection();
            break;
        case VK_F5:
            list->Refill(true);
            break;
        default:
            break;
        }
        return 1;
    case LVN_BEGINDRAG:
        return answer(kBeginDragAnswer);
    case LVN_COLUMNCLICK:
        list->OnColumnClick(reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem);
        return 1;
    case LVN_ITEMCHANGED:
        ShowChosenName();
        return 1;
    case NM_DBLCLK:
        ActivateChosenRow();
        return 1;
    case NM_CLICK:
        if (GetKeyState(VK_MENU) >= 0) {
            return 1;
        }
        [[fallthrough]];
    case NM_RCLICK:
        // The menu opens once the list has finished with its notification.
        PostMessageW(dialog, WM_COMMAND, IDC_CONTEXT_MENU, 0);
        return 0;
    default:
        return 0;
    }
}

bool FileNameDialog::Navigate(LocationCode code, const wchar_t* path, bool push) {
    wchar_t previous[kMaxPath];
    list->model.CurrentLocation(previous);
    if (!list->model.SetLocation(code, path)) {
        return false;
    }
    if (push) {
        history.emplace_front(previous);
        SendMessageW(menuBar.handle, TB_ENABLEBUTTON, IDC_BACK, TRUE);
    }
    wchar_t location[kMaxPath];
    UpdateLocationButton(list->model.CurrentLocation(location), location);
    UpdateButtons(code);
    list->Refill(false);
    return true;
}

void FileNameDialog::UpdateLocationButton(LocationCode code, const wchar_t* location) {
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_IMAGE;
    if (code == kPlainFolder) {
        info.pszText = const_cast<wchar_t*>(FileNamePart(location));
        info.iImage = kFolderButtonImage;
    } else {
        // Before any location was entered, the button reads as the Desktop.
        const Place& place = PlaceOf(IsPlace(code) ? code : kDesktop);
        info.pszText = const_cast<wchar_t*>(place.Name());
        info.iImage = place.image + kDialogBarImages;
    }
    SendMessageW(commandBar.handle, TB_SETBUTTONINFOW, IDC_LOCATION,
                 reinterpret_cast<LPARAM>(&info));
}

void FileNameDialog::UpdateButtons(LocationCode code) {
    SendMessageW(menuBar.handle, TB_ENABLEBUTTON, IDC_UP, (code & kPlaceRowMask) != 0);
    SendMessageW(menuBar.handle, TB_ENABLEBUTTON, IDC_NEW_FOLDER, (code & kNewFolderBit) != 0);
}

void FileNameDialog::Back() {
    if (history.empty()) {
        return;
    }
    wchar_t text[kMaxPath] = {};
    StringCchCopyW(text, kMaxPath, history.front().c_str()); // it came from a path buffer
    const LocationCode code = LocationOfText(text);
    Navigate(code, text, false);
    history.pop_front();
    if (history.empty()) {
        SendMessageW(menuBar.handle, TB_ENABLEBUTTON, IDC_BACK, FALSE);
    }
}

void FileNameDialog::Up() {
    wchar_t path[kMaxPath];
    LocationCode code = list->model.CurrentPath(path);
    if (ParentOf(code, path)) {
        Navigate(code, path, true);
    }
}

void FileNameDialog::GoToAncestor(int depth) {
    if (depth == 0) {
        Navigate(kDesktop, L"", true);
        return;
    }
    wchar_t current[kMaxPath];
    list->model.CurrentPath(current);
    wchar_t path[kMaxPath];
    PathComponents(current).Build(path, depth - 1);
    const LocationCode code = LocationOfText(path);
    Navigate(code, path, true);
}

bool FileNameDialog::OpenLocation(const wchar_t* chosen) {
    wchar_t path[kMaxPath] = {};
    if (FAILED(StringCchCopyW(path, kMaxPath, chosen))) {
        return false; // not a folder this dialog can show; Commit says why
    }
    if (IsShortcut(path)) {
        wchar_t target[kMaxPath];
        if (!ShortcutProgram(path, target)) {
            return false;
        }
        StringCchCopyW(path, kMaxPath, target);
    }
    const LocationCode code = LocationOfText(path);
    if (IsPlace(code)) {
        Navigate(code, path, true);
        return true;
    }
    if (IsDirectory(path)) {
        Navigate(kPlainFolder, path, true);
        return true;
    }
    return false;
}

void FileNameDialog::ActivateChosenRow() {
    const int row = list->ChosenRow();
    wchar_t path[kMaxPath];
    const LocationCode kind = list->PathOfRow(row, path);
    if (kind == kNoLocation || kind == kAppletRow || kind == kDatabaseRow) {
        return;
    }
    if (!OpenLocation(path)) {
        Commit(path, false);
    }
}

void FileNameDialog::TakeNameField() {
    // A text longer than any path is refused whole, never cut to a name it does not say.
    const HWND field = GetDlgItem(handle, IDC_NAME_FIELD);
    const int length = GetWindowTextLengthW(field);
    std::vector<wchar_t> typed(static_cast<size_t>(length) + 1);
    GetWindowTextW(field, typed.data(), length + 1);
    if (length >= kMaxPath) {
        ReportPathTooLong(handle, typed.data());
        return;
    }
    wchar_t text[kMaxPath] = {};
    StringCchCopyW(text, kMaxPath, typed.data());
    // "." is the folder listed; ".." the one above, as Up goes.
    if (text[0] == L'\0' || wcscmp(text, L".") == 0) {
        return;
    }
    if (wcscmp(text, L"..") == 0) {
        Up();
        return;
    }
    // A name cannot hold "\": a text that starts with one is a path from the device's
    // root, and one with a drive letter (on a desktop) is a whole path. Anything else is a
    // name in the folder listed; on the Desktop that is the Desktop's own folder, unless
    // the text names a place.
    wchar_t current[kMaxPath];
    const LocationCode location = list->model.CurrentPath(current);
    if (text[0] == L'\\' || HasDriveLetter(text)) {
        current[0] = L'\0';
    } else if (location == kDesktop && !IsPlace(LocationOfText(text))) {
        DeviceSpecialFolderPath(CSIDL_DESKTOPDIRECTORY, current);
    }
    wchar_t path[kMaxPath];
    if (!JoinPathReporting(handle, path, current, text)) {
        return;
    }
    RemoveDotNames(path);
    if (!OpenLocation(path)) {
        Commit(path, true);
    }
}

void FileNameDialog::Commit(const wchar_t* chosen, bool typed) {
    // A typed name without extension gets the default one before any test: "units" means
    // units.ini, looked for and asked about as such; only a file to open that exists as
    // typed, and has no such twin, stays as it is. A row chosen in the list is that file.
    std::wstring path = chosen;
    if (typed && *FindExtension(FileNamePart(chosen)) == L'\0' && request->lpstrDefExt != nullptr) {
        const std::wstring extended = path + L"." + request->lpstrDefExt;
        if (saveMode || PathExists(extended.c_str()) || !PathExists(chosen)) {
            path = extended;
        }
    }
    chosen = path.c_str();
    if (saveMode) {
        if ((request->Flags & OFN_OVERWRITEPROMPT) && PathExists(chosen)) {
            wchar_t text[kMessageTextSize];
            swprintf(text, kMessageTextSize,
                     LanguageText(L"%ls is already exists. Do you want to replace it?",
                                  L"%ls は既に存在します。上書きしますか?"),
                     chosen);
            if (ShowMessageBox(handle, text, L"Save", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
                return;
            }
        }
    } else if ((request->Flags & OFN_FILEMUSTEXIST) && !PathExists(chosen)) {
        // Say why nothing opens rather than leave the user waiting.
        wchar_t title[MAX_PATH] = {};
        GetWindowTextW(handle, title, MAX_PATH);
        wchar_t text[kMessageTextSize];
        swprintf(text, kMessageTextSize,
                 LanguageText(L"%ls\nThe file does not exist. Check the name and try again.",
                              L"%ls\nﾌｧｲﾙが見つかりません。名前を確かめてください。"),
                 chosen);
        ShowMessageBox(handle, text, title, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // The caller's buffer decides what fits: a longer path is refused, not cut.
    if (request->lpstrFile == nullptr || path.size() >= request->nMaxFile) {
        ReportPathTooLong(handle, path.c_str());
        return;
    }
    StringCchCopyW(request->lpstrFile, request->nMaxFile, path.c_str());
    EndDialog(handle, IDOK);
}

void FileNameDialog::ShowChosenName() {
    const FileEntry* entry = list->EntryOfRow(list->ChosenRow());
    if (entry != nullptr && entry->kind == kPlainFile) {
        SetDlgItemTextW(handle, IDC_NAME_FIELD, entry->name);
    }
}

void FileNameDialog::ChangeType() {
    const int index = static_cast<int>(SendMessageW(Control(IDC_TYPE_LIST), CB_GETCURSEL, 0, 0));
    if (index < 0 || static_cast<size_t>(index) >= patterns.size()) {
        return;
    }
    list->model.SetFilter(patterns[index].c_str());
    list->Refill(false);
}

void FileNameDialog::ShowMenuAbove(HMENU menu, const RECT& button) {
    TPMPARAMS exclude = {sizeof exclude, button};
    TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_VERTICAL, button.left, button.top,
                     handle, &exclude);
}

void FileNameDialog::ShowViewsMenu() {
    const HMENU menu =
        LoadMenuW(Application::instance, LocalizedResourceName(L"FMenuViews").c_str());
    if (menu == nullptr) {
        ShowFatal(handle, L"MENU[%s]", LocalizedResourceName(L"FMenuViews").c_str());
        return;
    }
    const HMENU views = GetSubMenu(menu, 0);
    CheckMenuRadioItem(views, IDC_VIEW_LARGE_ICONS, IDC_VIEW_DETAILS, ViewCommand(list->View()),
                       MF_BYCOMMAND);
    RECT button = {};
    const LRESULT viewButton = SendMessageW(menuBar.handle, TB_COMMANDTOINDEX, IDC_VIEW_MENU, 0);
    SendMessageW(menuBar.handle, TB_GETITEMRECT, viewButton, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(menuBar.handle, nullptr, reinterpret_cast<POINT*>(&button), 2);
    ShowMenuAbove(views, button);
    DestroyMenu(menu);
}

HMENU FileNameDialog::BuildLocationMenu(int width) const {
    const HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, IDC_FIRST_ANCESTOR,
                MenuItemText(PlaceOf(kDesktop).Name(), width).c_str());
    wchar_t current[kMaxPath];
    list->model.CurrentPath(current);
    const PathComponents components(current);
    for (int index = 0; index < components.Count() && index < 128; ++index) {
        const wchar_t* component = components.Item(index);
        const std::wstring text =
            std::wstring(index + 1, L' ') +
            (index == 0 ? DisplayNameOfPath(component) : ComponentName(component));
        AppendMenuW(menu, MF_STRING, IDC_FIRST_ANCESTOR + 1 + index,
                    MenuItemText(text, width).c_str());
    }
    const int last = GetMenuItemCount(menu) - 1;
    CheckMenuRadioItem(menu, 0, last, last, MF_BYPOSITION);
    return menu;
}

void FileNameDialog::ShowLocationMenu() {
    RECT button = {};
    SendMessageW(commandBar.handle, TB_GETRECT, IDC_LOCATION, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(commandBar.handle, nullptr, reinterpret_cast<POINT*>(&button), 2);
    // The menu opens above the button, which spans the screen: it is no wider.
    const HMENU menu = BuildLocationMenu(button.right - button.left);
    ShowMenuAbove(menu, button);
    DestroyMenu(menu);
}

void FileNameDialog::ShowContextMenu() {
    const std::wstring name = LocalizedResourceName(L"FMenuDlgGetFileName");
    const HMENU menu = LoadMenuW(Application::instance, name.c_str());
    if (menu == nullptr) {
        ShowFatal(handle, L"MENU[%s]", name.c_str());
        return;
    }
    const HMENU popup = GetSubMenu(menu, 0);
    if (history.empty()) {
        EnableMenuItem(popup, IDC_BACK, MF_BYCOMMAND | MF_GRAYED);
    }
    if (list->model.code == kDesktop) {
        EnableMenuItem(popup, IDC_UP, MF_BYCOMMAND | MF_GRAYED);
    }
    const DWORD position = GetMessagePos();
    TrackPopupMenuEx(popup, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, static_cast<short>(LOWORD(position)),
                     static_cast<short>(HIWORD(position)), handle, nullptr);
    DestroyMenu(menu);
}
