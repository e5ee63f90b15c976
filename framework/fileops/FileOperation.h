// Deleting, copying and moving lists of files and folders with a progress dialog, Cancel,
// the delete and replace questions, and every failure reported.
#pragma once

#include "WorkerDialog.h"
#include "framework/app/Paths.h"

#include <windows.h>

#include <mutex>
#include <string>

// What to do, in the layout of the platform's shell file-operation request. The caller
// clears it before filling it in, and keeps it and its lists unchanged until the
// operation returns.
struct FileOpRequest {
    HWND owner;
    UINT operation;
    const wchar_t* sources;     // full paths, each ended by a zero, the list by an empty entry
    const wchar_t* destination; // a folder, or a full target name for a single file
    WORD flags;
};

constexpr UINT kMoveFiles = 1;
constexpr UINT kCopyFiles = 2;
constexpr UINT kDeleteFiles = 3;
constexpr UINT kRenameFiles = 4;
// Do not ask any question: delete, and replace what exists.
constexpr WORD kNoConfirmation = 0x0010;

// Runs the operation behind its progress dialog, owned by the request's owner. True when
// the dialog ran (the operation's outcome is reported to the user, not returned: callers
// look at what still exists); false when it could not be shown.
bool RunFileOperation(const FileOpRequest& request);

// The progress dialog and the state of one operation, which runs on the dialog's worker.
class FileOpDialog : public WorkerDialog {
public:
    explicit FileOpDialog(const FileOpRequest& request);
    ~FileOpDialog() override;

    // Shows what the worker last put on display.
    INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Draws the percentage bar in the place its invisible control marks.
    INT_PTR OnPaint(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

    const FileOpRequest& request;
    bool multiple = false;
    bool confirm = true;
    int depth = 0;
    int foldersCounted = 0;
    int filesCounted = 0;
    int foldersDone = 0;
    int filesDone = 0;
    // Items left as they are (links, files in ROM), told as they were met.
    int itemsLeft = 0;

private:
    enum class Next { kGoOn, kStop };

    static void Run(void* data, WorkerDialog& dialog);
    void Operate();

    // `path` without the backslashes that may end it; false, told, when it is too long.
    bool Unended(wchar_t (&out)[kMaxPath], const wchar_t* path);
    // Whether a destination that must be a folder (of several sources, or written with a
    // backslash at its end) is one: one that exists, or one made now; false, told, when it
    // is a file or cannot be made.
    bool DestinationFolderReady(const wchar_t* destination, bool several);
    // Counts what the sources hold; false when Cancel stopped it.
    bool Prepare();
    bool Count(const wchar_t* path, DWORD attributes);

    // Each item comes with its attributes as the device lists them (INVALID_FILE_ATTRIBUTES:
    // missing; 0x40: in ROM).
    Next DeleteItem(const wchar_t* path, DWORD attributes);
    Next TransferItem(const wchar_t* source, DWORD attributes, const wchar_t* target, bool move);
    // `existing`: the target's attributes, INVALID_FILE_ATTRIBUTES when there is none.
    Next CopyOneFile(const wchar_t* source, DWORD attributes, const wchar_t* target,
                     DWORD existing);
    Next MoveOneFile(const wchar_t* source, const wchar_t* target, DWORD existing);
    // What the source becomes: the target itself, or, `intoTarget`, the source's name in
    // the target folder; false, reported, when that would not fit.
    bool TargetOf(wchar_t* out, const wchar_t* source, const wchar_t* target, bool intoTarget);
    // Asks before replacing a file; kStop for Cancel, and `skip` for No.
    Next ConfirmReplace(const wchar_t* source, const wchar_t* target, DWORD existing, bool& skip);
    bool IsRecursive(const wchar_t* source, const wchar_t* destination);
    // Tells that a link was left as it is; the operation goes on without it, and a folder
    // that holds it stays.
    Next PassOverLink(const wchar_t* path);
    // What follows a reporting file call: the next item when it was done, or when it left its
    // item as it is on purpose (a link, a file in ROM), which it has told; else the stop.
    Next GoOnUnless(bool done);

    // Visits the entries of a folder until `visit` stops or Cancel is pressed.
    template <typename Visit> Next ForEachEntry(const wchar_t* folder, Visit visit);

    void SetTexts(const wchar_t* title, const wchar_t* firstLabel, const wchar_t* secondLabel);
    // Whether enough time has passed since the display last changed to change it again.
    bool TimeToShow();
    void Progress(const wchar_t* source, const wchar_t* target);

    // What the dialog shows. The worker changes it and asks the dialog's own thread to show
    // it, without waiting: the work never waits for the user interface.
    struct Display {
        std::wstring title;
        std::wstring firstLabel;
        std::wstring firstValue;
        std::wstring secondLabel;
        std::wstring secondValue;
        int percent = -1; // no bar yet
    };
    template <typename Change> void ChangeDisplay(Change change);
    void ShowDisplay();
    bool BarPlace(RECT& place) const;

    ULONGLONG lastShown = 0;
    std::mutex displayLock;
    Display display;          // the worker's, under displayLock
    bool showPending = false; // under displayLock
    Display shown;            // the dialog thread's
};
