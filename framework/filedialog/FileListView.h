// The file list of the file selection dialog: a list-view control that shows the rows of a
// FileListModel in one of four views, sorted by a header click, with icons looked up when a
// row is first drawn, and the commands that change files from the list (rename in place,
// new folder, delete).
#pragma once

#include "FileListModel.h"
#include "framework/app/Window.h"

#include <windows.h>

#include <commctrl.h>

class FileListView : public Window {
public:
    // The list-view styles of the four views.
    static constexpr int kLargeIconView = LVS_ICON;
    static constexpr int kDetailsView = LVS_REPORT;
    static constexpr int kSmallIconView = LVS_SMALLICON;
    static constexpr int kListView = LVS_LIST;

    // Adopts the dialog's list control and sets it up: image lists, columns, sort arrows.
    // The first Refill fills it.
    explicit FileListView(HWND control);
    ~FileListView() override;
    FileListView(const FileListView&) = delete;
    FileListView& operator=(const FileListView&) = delete;

    // Gathers the rows again and shows them, when forced or when the location or filter
    // changed since the last time.
    void Refill(bool force);
    // Sorts by `key` (SortKey): ascending, or the other way round when it is the current key.
    void Sort(int key);
    void SetView(int view);
    int View() const;
    // The list view measures its items again when it first paints them, and when its size or
    // style changes, and then forgets the fitted width: this puts it back before a paint.
    // Returns the custom-draw answer.
    LRESULT OnCustomDraw(const NMLVCUSTOMDRAW& draw);

    const FileEntry* EntryOfRow(int row) const;
    // The path of a row (a place row: the place's path; an applet or database: its name)
    // and its kind; kNoLocation and an empty path for no row, and, with the "path too long"
    // message, for a row whose path passes the limit.
    LocationCode PathOfRow(int row, wchar_t* path) const;
    // The first row both selected and focused, or -1.
    int ChosenRow() const;

    // Notifications of the control, passed on by the dialog.
    void OnGetDisplayInfo(NMLVDISPINFOW& request);
    void OnColumnClick(int column);
    // True refuses the edit: only plain files and folders are renamed.
    bool OnBeginLabelEdit(int row) const;
    // Gives the row's file or folder the typed name; the row then shows the name the item
    // has on the disk, which may differ from the typed one (trailing dots dropped). True when
    // renamed.
    bool OnEndLabelEdit(int row, const wchar_t* text);
    // Ends a rename in place under way as the user leaving its field does: the typed name
    // goes to OnEndLabelEdit. False when that refused it.
    bool FinishLabelEdit();

    // Makes a new folder in the current folder and starts editing its name; false when it
    // could not be made.
    bool NewFolder();
    // Deletes the selected rows' files and folders after asking; the rows whose files are
    // gone leave the list. True when the operation ran.
    bool DeleteSelection();

    FileListModel model;
    int rowCount = 0;
    unsigned long long totalSize = 0;
    int widestName = 0;

private:
    void InsertColumns();
    class NameMeasure;
    // Appends a row for `entry` with its column texts; `names` measures its name.
    int AppendRow(FileEntry& entry, const NameMeasure& names);
    // Sorts the rows by the sort word and shows the arrow on the sorted column's header.
    void Resort();
    void ShowSortArrow();
    // Makes the Name column as wide as the widest name needs.
    void FitNameColumn();
    // The List view's column: as the Name column, but no wider than the list.
    int ListColumnWidth() const;
    void RemoveRow(int row);
    // False, with the "path too long" message, for a row listed beyond the path limit.
    bool PathFitsReporting(const FileEntry& entry) const;
    HWND Owner() const;

    HIMAGELIST sortArrows = nullptr;
    int nameWidth = 0;
    bool nameRefused = false; // by the last OnEndLabelEdit
};
