#include "FileListView.h"

#include "Places.h"
#include "framework/app/Application.h"
#include "framework/app/MessageBoxes.h"
#include "framework/app/PathReporting.h"
#include "framework/fileops/ConfirmDialog.h"
#include "framework/fileops/FileOperation.h"
#include "framework/fileops/FileReporting.h"
#include "framework/fileops/FolderNames.h"
#include "platform/DeviceFiles.h"
#include "platform/ImageStrip.h"
#include "resources/filedialog_ids.h"

#include <strsafe.h>

#include <algorithm>
#include <cwchar>
#include <vector>

namespace {

constexpr UINT kSortArrowsBitmap = IDB_UPDOWN; // IDB_UPDOWN_HIRES on high-resolution screens
constexpr int kSortArrowWidth = 7;             // 14 on high-resolution screens
constexpr int kAscendingArrow = 0;
constexpr int kDescendingArrow = 1;
// Every image source of the icon cache: the registered type, the file itself, the folder
// and program defaults.
constexpr int kAllIconSources = 15;
constexpr DWORD kRomFile = 0x40;
constexpr int kShortcutOverlay = 1;
constexpr int kRomOverlay = 2;
constexpr int kRomShortcutOverlay = 3;
// The delete request lets the operation ask about read-only and system files itself.
constexpr WORD kDeleteFlags = 0x0040;

struct Column {
    const wchar_t* english;
    const wchar_t* japanese;
    int width;
    int format;
    int sortKey;
    DWORD presence; // the sort word's bit that shows the column; 0: always there
};

const Column kColumns[] = {
    {L"Name", L"名前", 120, LVCFMT_LEFT, kSortByName, 0},
    {L"Size", L"ｻｲｽﾞ", 60, LVCFMT_RIGHT, kSortBySize, kSizeColumn},
    {L"Type", L"種類", 100, LVCFMT_LEFT, kSortByType, kTypeColumn},
    {L"Date", L"更新日時", 140, LVCFMT_LEFT, kSortByDate, kDateColumn},
};

int CALLBACK CompareEntries(LPARAM a, LPARAM b, LPARAM sortWord) {
    return CompareRows(*reinterpret_cast<const FileEntry*>(a),
                       *reinterpret_cast<const FileEntry*>(b), static_cast<DWORD>(sortWord));
}

// Redraw off and the wait cursor while the rows change, and then all of the list drawn
// again: a row that comes or goes at the end of a scrolled list moves the rows above it,
// which the list view, left to itself, does not draw again.
class QuietChange {
public:
    explicit QuietChange(HWND list) : list(list) {
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        BeginWaitCursor();
    }
    ~QuietChange() {
        EndWaitCursor();
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    QuietChange(const QuietChange&) = delete;
    QuietChange& operator=(const QuietChange&) = delete;

private:
    HWND list;
};

} // namespace

// The list's font in a device context of its own: names are measured with it one after
// another, where the list view's own measure takes a device context for each.
class FileListView::NameMeasure {
public:
    explicit NameMeasure(HWND list) : list(list), dc(GetDC(list)) {
        const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0));
        oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    }
    ~NameMeasure() {
        if (oldFont != nullptr) {
            SelectObject(dc, oldFont);
        }
        ReleaseDC(list, dc);
    }
    NameMeasure(const NameMeasure&) = delete;
    NameMeasure& operator=(const NameMeasure&) = delete;

    int Width(const wchar_t* text) const {
        SIZE size = {};
        GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
        return size.cx;
    }

private:
    HWND list;
    HDC dc;
    HGDIOBJ oldFont = nullptr;
};

namespace {

int OverlayOf(const FileEntry& entry) {
    if (IsShortcut(entry.path)) {
        return (entry.attributes & kRomFile) ? kRomShortcutOverlay : kShortcutOverlay;
    }
    return (entry.attributes & kRomFile) ? kRomOverlay : 0;
}

} // namespace

FileListView::FileListView(HWND control) : Window(control) {
    ListView_SetImageList(handle, IconCache::smallImages, LVSIL_SMALL);
    ListView_SetImageList(handle, IconCache::largeImages, LVSIL_NORMAL);
    ListView_SetExtendedListViewStyle(handle, LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    const int scale = Application::hiRes ? 2 : 1;
    sortArrows = ImageList_LoadImageW(
        Application::instance, MAKEINTRESOURCEW(kSortArrowsBitmap + (scale - 1)),
        kSortArrowWidth * scale, 0, kStripTransparent, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (sortArrows == nullptr) {
        ShowFatal(handle, L"IDB_UPDOWN");
    } else {
        Header_SetImageList(ListView_GetHeader(handle), sortArrows);
    }
    InsertColumns();
    SetView(kListView);
    model.stale = true;
}

FileListView::~FileListView() {
    if (sortArrows != nullptr) {
        Header_SetImageList(ListView_GetHeader(handle), nullptr);
        ImageList_Destroy(sortArrows);
    }
}

void FileListView::InsertColumns() {
    int index = 0;
    for (const Column& column : kColumns) {
        if (column.presence != 0 && !(model.sortWord & column.presence)) {
            continue;
        }
        LVCOLUMNW item = {};
        item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        item.fmt = column.format;
        item.cx = ScaleX(column.width); // the widths are 96-DPI pixels
        item.pszText = const_cast<wchar_t*>(LanguageText(column.english, column.japanese));
        ListView_InsertColumn(handle, index, &item);
        HDITEMW header = {};
        header.mask = HDI_LPARAM;
        header.lParam = column.sortKey;
        Header_SetItem(ListView_GetHeader(handle), index, &header);
        ++index;
    }
    ShowSortArrow();
}

void FileListView::Refill(bool force) {
    if (!force && !model.stale) {
        return;
    }
    {
        QuietChange change(handle);
        // The rows point at the entries: they go before the entries are gathered afresh.
        ListView_DeleteAllItems(handle);
        model.Gather(Owner(), true);
        rowCount = 0;
        totalSize = 0;
        widestName = 0;
        ListView_SetItemCount(handle, static_cast<int>(model.entries.size()));
        const NameMeasure names(handle);
        for (const auto& entry : model.entries) {
            AppendRow(*entry, names);
        }
        if (model.code != kFindResult) {
            Resort();
        }
        FitNameColumn();
        ListView_SetItemState(handle, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    }
    model.stale = false;
}

int FileListView::AppendRow(FileEntry& entry, const NameMeasure& names) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    item.iItem = rowCount;
    item.pszText = const_cast<wchar_t*>(entry.DisplayName());
    item.iImage = entry.image;
    item.lParam = reinterpret_cast<LPARAM>(&entry);
    // The overlay needs no icon, only the name and attributes: it goes in with the row.
    item.state = INDEXTOOVERLAYMASK(OverlayOf(entry));
    item.stateMask = LVIS_OVERLAYMASK;
    const int row = ListView_InsertItem(handle, &item);
    if (row < 0) {
        return row;
    }
    const std::wstring texts[] = {SizeText(entry), TypeText(entry), DateText(entry)};
    int column = 1;
    for (int index = 0; index < 3; ++index) {
        if (model.sortWord & kColumns[index + 1].presence) {
            ListView_SetItemText(handle, row, column++, const_cast<wchar_t*>(texts[index].c_str()));
        }
    }
    widestName = std::max(widestName, names.Width(entry.DisplayName()));
    ++rowCount;
    totalSize += entry.Size();
    return row;
}

void FileListView::Sort(int key) {
    QuietChange change(handle);
    model.SetSortKey(key);
    Resort();
}

void FileListView::Resort() {
    model.PrepareSort();
    ListView_SortItems(handle, CompareEntries, static_cast<LPARAM>(model.sortWord));
    ShowSortArrow();
}

void FileListView::ShowSortArrow() {
    const HWND header = ListView_GetHeader(handle);
    const int count = Header_GetItemCount(header);
    for (int index = 0; index < count; ++index) {
        HDITEMW item = {};
        item.mask = HDI_LPARAM | HDI_FORMAT;
        Header_GetItem(header, index, &item);
        item.mask = HDI_FORMAT | HDI_IMAGE;
        if (static_cast<DWORD>(item.lParam) == (model.sortWord & kSortKeyMask) &&
            sortArrows != nullptr) {
            item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
            item.iImage = (model.sortWord & kSortDescending) ? kDescendingArrow : kAscendingArrow;
        } else {
            item.fmt &= ~(HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
            item.iImage = I_IMAGENONE;
        }
        Header_SetItem(header, index, &item);
    }
}

void FileListView::FitNameColumn() {
    nameWidth = widestName < ScaleX(64) ? ScaleX(96) : widestName + ScaleX(32);
    // The list view's column width, or the Details view's Name column, whichever is shown;
    // the other is set when its view is chosen.
    if (View() == kDetailsView) {
        LVCOLUMNW column = {};
        column.mask = LVCF_WIDTH;
        column.cx = nameWidth;
        ListView_SetColumn(handle, 0, &column);
    } else {
        ListView_SetColumnWidth(handle, 0, ListColumnWidth());
    }
}

int FileListView::ListColumnWidth() const {
    // A column wider than the list would cut its names at the list's edge, with no way to
    // see the rest: it is as wide as the list, and the list view ends longer names in
    // "...". The Details view scrolls to show them whole.
    RECT client = {};
    GetClientRect(handle, &client);
    return client.right > 0 ? std::min(nameWidth, static_cast<int>(client.right)) : nameWidth;
}

LRESULT FileListView::OnCustomDraw(const NMLVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT && View() == kListView &&
        ListView_GetColumnWidth(handle, 0) != ListColumnWidth()) {
        // The paint under way has the list view's own width, or one fitted to another size
        // of the list: skip it; the new width brings the paint that counts.
        ListView_SetColumnWidth(handle, 0, ListColumnWidth());
        return CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

void FileListView::SetView(int view) {
    ModifyStyle(LVS_TYPEMASK, view);
    FitNameColumn();
    // The list view does not draw all of itself again when its view changes.
    InvalidateRect(handle, nullptr, TRUE);
}

int FileListView::View() const {
    return static_cast<int>(GetWindowLongPtrW(handle, GWL_STYLE) & LVS_TYPEMASK);
}

const FileEntry* FileListView::EntryOfRow(int row) const {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (row < 0 || !ListView_GetItem(handle, &item)) {
        return nullptr;
    }
    return reinterpret_cast<const FileEntry*>(item.lParam);
}

LocationCode FileListView::PathOfRow(int row, wchar_t* path) const {
    const FileEntry* entry = EntryOfRow(row);
    if (entry == nullptr) {
        path[0] = L'\0';
        return kNoLocation;
    }
    const bool named = entry->kind == kAppletRow || entry->kind == kDatabaseRow;
    if (!named && !PathFitsReporting(*entry)) {
        path[0] = L'\0';
        return kNoLocation;
    }
    StringCchCopyW(path, kMaxPath, named ? entry->DisplayName() : entry->path);
    return entry->kind;
}

int FileListView::ChosenRow() const {
    return ListView_GetNextItem(handle, -1, LVNI_SELECTED | LVNI_FOCUSED);
}

void FileListView::OnGetDisplayInfo(NMLVDISPINFOW& request) {
    if (!(request.item.mask & LVIF_IMAGE)) {
        return;
    }
    const FileEntry* entry = EntryOfRow(request.item.iItem);
    if (entry == nullptr) {
        return;
    }
    // A shortcut shows its target's icon.
    wchar_t target[kMaxPath];
    const wchar_t* path = entry->path;
    DWORD attributes = entry->attributes;
    if (IsShortcut(entry->path) && ShortcutProgram(entry->path, target)) {
        path = target;
        attributes = DeviceGetFileAttributes(target);
    }
    request.item.iImage = model.icons.ImageFor(path, attributes, kAllIconSources);
    request.item.mask |= LVIF_DI_SETITEM;
}

void FileListView::OnColumnClick(int column) {
    HDITEMW item = {};
    item.mask = HDI_LPARAM;
    if (Header_GetItem(ListView_GetHeader(handle), column, &item)) {
        Sort(static_cast<int>(item.lParam));
    }
}

bool FileListView::OnBeginLabelEdit(int row) const {
    const FileEntry* entry = EntryOfRow(row);
    return entry == nullptr || !(entry->kind & kRenameBit);
}

bool FileListView::OnEndLabelEdit(int row, const wchar_t* text) {
    auto* entry = const_cast<FileEntry*>(EntryOfRow(row));
    // A cancelled edit (no text) refuses nothing; any other "no" is a refusal.
    nameRefused = text != nullptr;
    if (text == nullptr || entry == nullptr || !CheckNewName(Owner(), text) ||
        !PathFitsReporting(*entry)) {
        return false;
    }
    // The row's own folder, not the location's: the Desktop shows the files of a folder
    // that is not its path.
    wchar_t folder[kMaxPath];
    wchar_t name[kMaxPath];
    wchar_t newPath[kMaxPath];
    SplitPath(folder, name, entry->path);
    wchar_t renamed[kMaxPath];
    if (!JoinPathReporting(Owner(), newPath, folder, text) ||
        !RenameReporting(Owner(), entry->path, newPath, renamed)) {
        return false;
    }
    StringCchCopyW(entry->path, ARRAYSIZE(entry->path), renamed);
    entry->name = FileNamePart(entry->path);
    ListView_SetItemText(handle, row, 0, const_cast<wchar_t*>(entry->DisplayName()));
    widestName = std::max(widestName, NameMeasure(handle).Width(entry->DisplayName()));
    FitNameColumn();
    nameRefused = false;
    return true;
}

bool FileListView::FinishLabelEdit() {
    if (ListView_GetEditControl(handle) == nullptr) {
        return true;
    }
    nameRefused = false;
    // The list view takes the name when its field loses the keyboard focus.
    SetFocus(handle);
    return !nameRefused;
}

bool FileListView::NewFolder() {
    wchar_t path[kMaxPath];
    if (!NewFolderName(Owner(), path, model.path) || !CreateFolderReporting(Owner(), path)) {
        return false;
    }
    WIN32_FIND_DATAW found;
    const HANDLE find = DeviceFindFirstFile(path, &found);
    if (find == INVALID_HANDLE_VALUE) {
        return false;
    }
    DeviceFindClose(find);
    std::unique_ptr<FileEntry> entry = model.MakeFoundEntry(model.path, found);
    if (entry == nullptr) {
        return false;
    }
    int row;
    {
        QuietChange change(handle);
        row = AppendRow(*entry, NameMeasure(handle));
        model.entries.push_back(std::move(entry));
        FitNameColumn();
    }
    // The row being named is the chosen one, which OK opens once it has its name.
    ListView_SetItemState(handle, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(handle, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(handle, row, FALSE);
    SetFocus(handle);
    ListView_EditLabel(handle, row);
    return true;
}

bool FileListView::DeleteSelection() {
    const int selected = ListView_GetSelectedCount(handle);
    if (selected <= 0) {
        return false;
    }
    // Only plain files and folders: a place's, applet's or database's row is not a file the
    // user picked, and deleting a place's path would take the whole place with it.
    std::vector<int> rows;
    std::vector<wchar_t> list(static_cast<size_t>(selected) * kMaxPath + 1, L'\0');
    size_t used = 0;
    for (int row = ListView_GetNextItem(handle, -1, LVNI_SELECTED); row != -1;
         row = ListView_GetNextItem(handle, row, LVNI_SELECTED)) {
        const FileEntry* entry = EntryOfRow(row);
        if (entry == nullptr || !(entry->kind & kRenameBit) || !PathFitsReporting(*entry)) {
            continue;
        }
        const size_t length = wcslen(entry->path) + 1;
        if (used + length < list.size()) {
            wmemcpy(list.data() + used, entry->path, length);
            used += length;
            rows.push_back(row);
        }
    }
    if (rows.empty() || !ConfirmDeleteSelection(handle, list.data())) {
        return false;
    }
    FileOpRequest request = {};
    request.owner = handle;
    request.operation = kDeleteFiles;
    request.sources = list.data();
    request.flags = kDeleteFlags;
    const bool ran = RunFileOperation(request);
    QuietChange change(handle);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        const FileEntry* entry = EntryOfRow(*row);
        if (entry != nullptr && !PathExists(entry->path)) {
            RemoveRow(*row);
        }
    }
    return ran;
}

void FileListView::RemoveRow(int row) {
    const FileEntry* entry = EntryOfRow(row);
    totalSize -= entry->Size();
    --rowCount;
    ListView_DeleteItem(handle, row);
    auto& entries = model.entries;
    entries.erase(std::find_if(entries.begin(), entries.end(),
                               [entry](const auto& owned) { return owned.get() == entry; }));
}

bool FileListView::PathFitsReporting(const FileEntry& entry) const {
    if (entry.PathFits()) {
        return true;
    }
    ReportPathTooLong(Owner(), entry.path);
    return false;
}

HWND FileListView::Owner() const {
    return GetParent(handle);
}
