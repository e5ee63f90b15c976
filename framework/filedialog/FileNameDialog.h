// The open and save dialog: a full-screen dialog in which the user moves between places
// and folders, picks a file type, selects or types a file name and manages files (new
// folder, delete, rename). The caller's request is the platform's OPENFILENAMEW; on OK its
// lpstrFile holds the chosen full path.
#pragma once

#include "FileListView.h"
#include "framework/app/FullScreenDialog.h"
#include "framework/app/Window.h"

#include <windows.h>

#include <commdlg.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

class FileNameDialog : public FullScreenDialog {
public:
    // Runs the dialog modally; 1 for OK, 2 for Cancel, -1 when it cannot be created.
    INT_PTR Run(OPENFILENAMEW& request, bool saveMode);

    // Adds size and input-panel changes to what a full-screen dialog handles.
    INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnDestroy(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnNotify(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

    OPENFILENAMEW* request = nullptr;
    bool saveMode = false;
    // Locations visited before, newest first, as CurrentLocation gives them.
    std::deque<std::wstring> history;
    std::unique_ptr<FileListView> list;
    Window commandBar;
    Window menuBar;

private:
    // Goes to a location; false, with nothing changed, when the list refuses it. `push`
    // puts the location left at the front of the history.
    bool Navigate(LocationCode code, const wchar_t* path, bool push);
    void Back();
    void Up();
    void GoToAncestor(int depth);
    // Goes to the place or folder that `path` (or the shortcut it names) is; false when it
    // is neither.
    bool OpenLocation(const wchar_t* path);
    void ActivateChosenRow();
    void TakeNameField();
    // Ends the dialog with `path` after the tests of the request's flags; `typed`: the
    // path comes from the name field and may still lack its default extension.
    void Commit(const wchar_t* path, bool typed);
    void ShowChosenName();
    void ChangeType();

    void CreateCommandBar();
    void CreateMenuBar();
    void UpdateLocationButton(LocationCode code, const wchar_t* location);
    void UpdateButtons(LocationCode code);
    void Layout();

    void ShowViewsMenu();
    // The location menu of the current location: Desktop, then each component of its path,
    // the last one marked, no wider than `width` pixels. The caller destroys it.
    HMENU BuildLocationMenu(int width) const;
    void ShowLocationMenu();
    void ShowContextMenu();
    // Shows a popup menu with its bottom-left corner at the top-left of `button` (screen
    // coordinates); the choice arrives as a command.
    void ShowMenuAbove(HMENU menu, const RECT& button);

    HWND Control(int id) const { return GetDlgItem(handle, id); }

    std::vector<std::wstring> patterns; // of the type list's entries
};

// Runs the dialog in open mode; true when the user chose a file (request.lpstrFile).
bool ChooseFileToOpen(OPENFILENAMEW& request);
