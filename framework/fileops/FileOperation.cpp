#include "FileOperation.h"

#include "ConfirmDialog.h"
#include "FileReporting.h"
#include "framework/about/PercentBar.h"
#include "framework/app/Application.h"
#include "framework/app/MessageBoxes.h"
#include "framework/app/PathReporting.h"
#include "platform/DeviceFiles.h"
#include "platform/PrivateMessages.h"
#include "resources/fileops_ids.h"

#include <strsafe.h>

#include <cwchar>
#include <string>

namespace {

// The progress display is redrawn at most this often: a person cannot read faster, and a
// redraw per file would cost more than many of the files themselves.
constexpr ULONGLONG kProgressInterval = 100;

bool IsFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A folder the host marks as a link to a folder elsewhere: an item of its own, never
// entered. (A link to a file is refused by the device's calls that would change it.)
bool IsLinkedFolder(DWORD attributes) {
    return IsFolder(attributes) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A folder whose entries the operation goes through.
bool IsRealFolder(DWORD attributes) {
    return IsFolder(attributes) && !IsLinkedFolder(attributes);
}

const wchar_t* NextEntry(const wchar_t* entry) {
    return entry + wcslen(entry) + 1;
}

} // namespace

bool RunFileOperation(const FileOpRequest& request) {
    FileOpDialog dialog(request);
    return dialog.DoModal(request.owner, LocalizedResourceName(L"FDlgFileOp").c_str()) == 1;
}

FileOpDialog::FileOpDialog(const FileOpRequest& request)
    : WorkerDialog(&FileOpDialog::Run, this), request(request) {
}

FileOpDialog::~FileOpDialog() {
    // The work writes the display and its counts: it stops while they exist. (The quit
    // message ends the modal loop with the work still running.)
    StopWorker();
}

void FileOpDialog::Run(void* data, WorkerDialog& dialog) {
    static_cast<FileOpDialog*>(data)->Operate();
    dialog.EndFromWorker(1);
}

void FileOpDialog::Operate() {
    const wchar_t* sources = request.sources;
    if (sources == nullptr || *sources == L'\0') {
        return;
    }
    multiple = *NextEntry(sources) != L'\0' || IsRealFolder(DeviceGetFileAttributes(sources));
    confirm = (request.flags & kNoConfirmation) == 0;
    if (!Prepare()) {
        return; // cancelled: nothing has changed
    }
    // Paths are compared and joined without a backslash at their end.
    wchar_t destination[kMaxPath];
    wchar_t source[kMaxPath];
    if (!Unended(destination, request.destination != nullptr ? request.destination : L"")) {
        return;
    }
    switch (request.operation) {
    case kDeleteFiles:
        SetTexts(LanguageText(L"Delete files in progress...", L"ﾌｧｲﾙ削除中..."),
                 LanguageText(L"Delete file:", L"削除するﾌｧｲﾙ:"), L"");
        for (const wchar_t* entry = sources; *entry != L'\0'; entry = NextEntry(entry)) {
            DWORD attributes = INVALID_FILE_ATTRIBUTES;
            if (cancelRequested || !Unended(source, entry) ||
                !ReadAttributesReporting(handle, source, attributes) ||
                DeleteItem(source, attributes) == Next::kStop) {
                return;
            }
        }
        break;
    case kCopyFiles:
    case kMoveFiles: {
        const bool copy = request.operation == kCopyFiles;
        SetTexts(copy ? LanguageText(L"Copy files in progress...", L"ﾌｧｲﾙｺﾋﾟｰ中...")
                      : LanguageText(L"Move files in progress...", L"ﾌｧｲﾙ移動中..."),
                 copy ? LanguageText(L"Source:", L"ｺﾋﾟｰ元:") : LanguageText(L"Source:", L"移動元:"),
                 copy ? LanguageText(L"Destination:", L"ｺﾋﾟｰ先:")
                      : LanguageText(L"Destination:", L"移動先:"));
        // Nothing is made or moved when any source would go into itself.
        for (const wchar_t* entry = sources; *entry != L'\0'; entry = NextEntry(entry)) {
            if (!Unended(source, entry) || IsRecursive(source, destination)) {
                return;
            }
        }
        // Several sources go into a folder, made when it does not exist yet; each would
        // otherwise take the place of the one before. A destination written with a
        // backslash at its end names a folder too, whatever goes into it.
        const size_t written = request.destination != nullptr ? wcslen(request.destination) : 0;
        const bool namesFolder = *NextEntry(sources) != L'\0' ||
                                 (written > 0 && request.destination[written - 1] == L'\\');
        if (namesFolder && !DestinationFolderReady(destination, *NextEntry(sources) != L'\0')) {
            return;
        }
        for (const wchar_t* entry = sources; *entry != L'\0'; entry = NextEntry(entry)) {
            DWORD attributes = INVALID_FILE_ATTRIBUTES;
            if (cancelRequested || !Unended(source, entry) ||
                !ReadAttributesReporting(handle, source, attributes)) {
                return;
            }
            depth = 0;
            if (TransferItem(source, attributes, destination, !copy) == Next::kStop) {
                return;
            }
        }
        break;
    }
    case kRenameFiles:
        // Renaming in place is done without the engine.
        SetTexts(LanguageText(L"Rename files in progress...", L"ﾌｧｲﾙ移動中..."),
                 LanguageText(L"Source:", L"変更前:"), LanguageText(L"Destination:", L"変更後:"));
        break;
    default:
        break;
    }
}

bool FileOpDialog::Unended(wchar_t (&out)[kMaxPath], const wchar_t* path) {
    if (FAILED(StringCchCopyW(out, kMaxPath, path))) {
        ReportPathTooLong(handle, path);
        return false;
    }
    RemoveTrailingBackslashes(out);
    return true;
}

bool FileOpDialog::DestinationFolderReady(const wchar_t* destination, bool several) {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    if (!ReadAttributesReporting(handle, destination, attributes)) {
        return false;
    }
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return MakeFolderPath(handle, destination);
    }
    if (IsFolder(attributes)) {
        return true;
    }
    ShowError(handle,
              several
                  ? LanguageText(L"'%s' is a file: several items cannot go into it.",
                                 L"'%s' はﾌｧｲﾙなので、複数の項目を入れることはできません。")
                  : LanguageText(L"'%s' is a file, not a folder: nothing can go into it.",
                                 L"'%s' はﾌｫﾙﾀﾞではなくﾌｧｲﾙなので、中に入れることはできません。"),
              destination);
    return false;
}

bool FileOpDialog::Prepare() {
    ChangeDisplay([](Display& display) {
        display.title = LanguageText(L"Prepare operation", L"準備中...");
        display.firstLabel = LanguageText(L"Folders:", L"ﾌｫﾙﾀﾞ数:");
    });
    for (const wchar_t* source = request.sources; *source != L'\0'; source = NextEntry(source)) {
        if (!Count(source, DeviceGetFileAttributes(source))) {
            return false;
        }
    }
    return true;
}

bool FileOpDialog::Count(const wchar_t* path, DWORD attributes) {
    if (!IsRealFolder(attributes)) { // also a source that no longer exists, and a link
        ++filesCounted;
        return true;
    }
    ++foldersCounted;
    if (TimeToShow()) {
        ChangeDisplay(
            [this](Display& display) { display.firstValue = std::to_wstring(foldersCounted); });
    }
    return ForEachEntry(path, [&](const wchar_t* child, const WIN32_FIND_DATAW& found) {
               return Count(child, found.dwFileAttributes) ? Next::kGoOn : Next::kStop;
           }) == Next::kGoOn;
}

template <typename Visit>
FileOpDialog::Next FileOpDialog::ForEachEntry(const wchar_t* folder, Visit visit) {
    wchar_t search[kMaxPath];
    if (!JoinPathReporting(handle, search, folder, L"*.*")) {
        return Next::kStop;
    }
    WIN32_FIND_DATAW found;
    const HANDLE find = DeviceFindFirstFile(search, &found);
    if (find == INVALID_HANDLE_VALUE) {
        // Nothing in it, or gone meanwhile: done. A folder that cannot be read is not.
        const DWORD error = GetLastError();
        if (error != ERROR_NO_MORE_FILES && !IsNotFound(error)) {
            ShowError(handle, L"Error FindFile %d", static_cast<int>(error));
            return Next::kStop;
        }
        return cancelRequested ? Next::kStop : Next::kGoOn;
    }
    Next next = Next::kGoOn;
    do {
        wchar_t child[kMaxPath];
        if (cancelRequested || !JoinPathReporting(handle, child, folder, found.cFileName)) {
            next = Next::kStop;
        } else {
            next = visit(child, found);
        }
    } while (next == Next::kGoOn && DeviceFindNextFile(find, &found));
    // A listing cut short is no listing of the whole folder.
    const DWORD error = GetLastError();
    if (next == Next::kGoOn && error != ERROR_NO_MORE_FILES) {
        ShowError(handle, L"Error FindFile %d", static_cast<int>(error));
        next = Next::kStop;
    }
    DeviceFindClose(find);
    return next;
}

FileOpDialog::Next FileOpDialog::DeleteItem(const wchar_t* path, DWORD attributes) {
    Progress(path, L"");
    if (IsLinkedFolder(attributes)) {
        ++foldersDone;
        return PassOverLink(path); // neither entered nor removed
    }
    if (!IsFolder(attributes)) {
        ++filesDone;
        if (confirm) {
            const INT_PTR answer = ConfirmDeleteFile(path, multiple).Ask(handle);
            if (answer == IDCANCEL) {
                return Next::kStop;
            }
            if (answer == IDNO) {
                return Next::kGoOn;
            }
            if (answer == IDC_ALL) {
                confirm = false;
            }
        }
        return GoOnUnless(DeleteFileReporting(handle, path, attributes));
    }
    ++foldersDone;
    const Next next = ForEachEntry(path, [&](const wchar_t* child, const WIN32_FIND_DATAW& found) {
        return DeleteItem(child, found.dwFileAttributes);
    });
    if (next == Next::kStop) {
        return Next::kStop;
    }
    // A folder that keeps files the user chose to keep stays, without a message; one that
    // is gone needs no removal. Any other failure leaves a folder the user wanted gone.
    DeviceSetFileAttributes(path, FILE_ATTRIBUTE_NORMAL);
    if (DeviceRemoveDirectory(path) || GetLastError() == ERROR_DIR_NOT_EMPTY ||
        IsNotFound(GetLastError())) {
        return Next::kGoOn;
    }
    return RemoveFolderReporting(handle, path) ? Next::kGoOn : Next::kStop;
}

bool FileOpDialog::TargetOf(wchar_t* out, const wchar_t* source, const wchar_t* target,
                            bool intoTarget) {
    if (!intoTarget) {
        if (SUCCEEDED(StringCchCopyW(out, kMaxPath, target))) {
            return true;
        }
        ReportPathTooLong(handle, target);
        return false;
    }
    wchar_t folder[kMaxPath];
    wchar_t name[kMaxPath];
    SplitPath(folder, name, source);
    return JoinPathReporting(handle, out, target, name);
}

FileOpDialog::Next FileOpDialog::ConfirmReplace(const wchar_t* source, const wchar_t* target,
                                                DWORD existing, bool& skip) {
    skip = false;
    if (!confirm || existing == INVALID_FILE_ATTRIBUTES) {
        return Next::kGoOn;
    }
    const INT_PTR answer = ConfirmReplaceFile(source, target, multiple).Ask(handle);
    if (answer == IDCANCEL) {
        return Next::kStop;
    }
    skip = answer == IDNO;
    if (answer == IDC_ALL) {
        confirm = false;
    }
    return Next::kGoOn;
}

FileOpDialog::Next FileOpDialog::CopyOneFile(const wchar_t* source, DWORD attributes,
                                             const wchar_t* target, DWORD existing) {
    bool skip = false;
    if (ConfirmReplace(source, target, existing, skip) == Next::kStop) {
        return Next::kStop;
    }
    if (skip) {
        return Next::kGoOn;
    }
    // The copy replaces the target only once it is complete, read-only or not.
    return GoOnUnless(CopyFileReporting(handle, source, attributes, target, &cancelRequested));
}

FileOpDialog::Next FileOpDialog::MoveOneFile(const wchar_t* source, const wchar_t* target,
                                             DWORD existing) {
    bool skip = false;
    if (ConfirmReplace(source, target, existing, skip) == Next::kStop) {
        return Next::kStop;
    }
    if (skip) {
        return Next::kGoOn;
    }
    // Reaching here with an existing target means the user said Yes or All (or asked for
    // no questions): the target is replaced in one step, never deleted first.
    return GoOnUnless(MoveFileReporting(handle, source, target, existing != INVALID_FILE_ATTRIBUTES,
                                        &cancelRequested));
}

// Copies or moves one item. A folder's target is made (or, when it exists, the user is
// asked), its entries follow one by one, and a moved folder is removed after them.
FileOpDialog::Next FileOpDialog::TransferItem(const wchar_t* source, DWORD attributes,
                                              const wchar_t* target, bool move) {
    Progress(source, target);
    wchar_t destination[kMaxPath];
    if (IsLinkedFolder(attributes)) {
        // Neither entered nor copied: what it points to lies outside what was chosen.
        ++foldersDone;
        return PassOverLink(source);
    }
    if (!IsFolder(attributes)) {
        ++filesDone;
        // One read of the target tells both whether the file goes into it and, otherwise,
        // whether there is a file to replace. Only the destination the caller chose may be
        // a link: anything written through a link below it would land elsewhere.
        DWORD existing = INVALID_FILE_ATTRIBUTES;
        if (!ReadAttributesReporting(handle, target, existing)) {
            return Next::kStop;
        }
        if (depth > 0 && IsLinkedFolder(existing)) {
            return PassOverLink(target);
        }
        if (!TargetOf(destination, source, target, IsFolder(existing))) {
            return Next::kStop;
        }
        if (IsFolder(existing)) {
            if (!ReadAttributesReporting(handle, destination, existing)) {
                return Next::kStop;
            }
            if (IsLinkedFolder(existing)) {
                return PassOverLink(destination);
            }
        }
        return move ? MoveOneFile(source, destination, existing)
                    : CopyOneFile(source, attributes, destination, existing);
    }
    ++foldersDone;
    // A listed folder goes into the target; the folders inside it were given their own.
    DWORD existing = INVALID_FILE_ATTRIBUTES;
    if (!TargetOf(destination, source, target, depth == 0) ||
        !ReadAttributesReporting(handle, destination, existing)) {
        return Next::kStop;
    }
    if (IsLinkedFolder(existing)) {
        return PassOverLink(destination); // merging would write into a folder elsewhere
    }
    if (IsFolder(existing)) {
        if (confirm) {
            const INT_PTR answer = ConfirmReplaceFolder(destination, multiple).Ask(handle);
            if (answer == IDCANCEL) {
                return Next::kStop;
            }
            if (answer == IDNO) {
                return Next::kGoOn; // neither copied, nor moved, nor removed
            }
            if (answer == IDC_ALL) {
                confirm = false;
            }
        }
    } else if (!MakeFolderPath(handle, destination)) {
        return Next::kStop;
    }
    const int leftBefore = itemsLeft;
    const Next next =
        ForEachEntry(source, [&](const wchar_t* child, const WIN32_FIND_DATAW& found) {
            wchar_t childTarget[kMaxPath];
            if (!JoinPathReporting(handle, childTarget, destination, found.cFileName)) {
                return Next::kStop;
            }
            ++depth;
            const Next done = TransferItem(child, found.dwFileAttributes, childTarget, move);
            --depth;
            return done;
        });
    if (next == Next::kStop || !move) {
        return next;
    }
    // A folder that keeps an item left as it is (a link) stays, without a further message.
    DeviceSetFileAttributes(source, FILE_ATTRIBUTE_NORMAL);
    if (DeviceRemoveDirectory(source) ||
        (GetLastError() == ERROR_DIR_NOT_EMPTY && itemsLeft > leftBefore)) {
        return Next::kGoOn;
    }
    return GoOnUnless(RemoveFolderReporting(handle, source));
}

FileOpDialog::Next FileOpDialog::PassOverLink(const wchar_t* path) {
    ReportLink(handle, path);
    ++itemsLeft;
    return Next::kGoOn;
}

FileOpDialog::Next FileOpDialog::GoOnUnless(bool done) {
    if (done) {
        return Next::kGoOn;
    }
    if (LeftAsItIs()) {
        ++itemsLeft;
        return Next::kGoOn;
    }
    return Next::kStop;
}

bool FileOpDialog::IsRecursive(const wchar_t* source, const wchar_t* destination) {
    wchar_t parent[kMaxPath];
    wchar_t name[kMaxPath];
    SplitPath(parent, name, source);
    if (HasDriveLetter(parent) && parent[2] == L'\0') {
        EnsureTrailingBackslash(parent); // "C:" is the drive's current folder, "C:\\" its root
    }
    const size_t sourceLength = wcslen(source);
    const bool sameFolder = _wcsicmp(parent, destination) == 0;
    const bool inside = _wcsnicmp(destination, source, sourceLength) == 0 &&
                        (destination[sourceLength] == L'\0' || destination[sourceLength] == L'\\');
    if (!sameFolder && !inside) {
        return false;
    }
    ShowError(handle,
              LanguageText(L"Source to destination is recursive", L"送り側と受け側が同じです"));
    return true;
}

void FileOpDialog::SetTexts(const wchar_t* title, const wchar_t* firstLabel,
                            const wchar_t* secondLabel) {
    ChangeDisplay([&](Display& display) {
        display.title = title;
        display.firstLabel = firstLabel;
        display.firstValue.clear();
        display.secondLabel = secondLabel;
        display.secondValue.clear();
    });
    lastShown = 0;
}

bool FileOpDialog::TimeToShow() {
    const ULONGLONG now = GetTickCount64();
    if (lastShown != 0 && now - lastShown < kProgressInterval) {
        return false;
    }
    lastShown = now;
    return true;
}

void FileOpDialog::Progress(const wchar_t* source, const wchar_t* target) {
    if (!TimeToShow()) {
        return;
    }
    const int total = foldersCounted + filesCounted;
    const int percent = total == 0 ? 0 : (foldersDone + filesDone) * 100 / total;
    ChangeDisplay([&](Display& display) {
        display.firstValue = source;
        display.secondValue = target;
        display.percent = percent;
    });
}

template <typename Change> void FileOpDialog::ChangeDisplay(Change change) {
    std::lock_guard<std::mutex> lock(displayLock);
    change(display);
    if (!showPending) {
        showPending = PostMessageW(handle, WM_SHOW_PROGRESS, 0, 0) != FALSE;
    }
}

INT_PTR FileOpDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHOW_PROGRESS) {
        ShowDisplay();
        return 1;
    }
    return WorkerDialog::DialogProc(dialog, message, wParam, lParam);
}

void FileOpDialog::ShowDisplay() {
    Display next;
    {
        std::lock_guard<std::mutex> lock(displayLock);
        next = display;
        showPending = false;
    }
    const auto show = [this](int control, const std::wstring& text, const std::wstring& was) {
        if (text != was) {
            SetDlgItemTextW(handle, control, text.c_str());
        }
    };
    if (next.title != shown.title) {
        SetWindowTextW(handle, next.title.c_str());
    }
    show(IDC_FIRST_LABEL, next.firstLabel, shown.firstLabel);
    show(IDC_FIRST_VALUE, next.firstValue, shown.firstValue);
    show(IDC_SECOND_LABEL, next.secondLabel, shown.secondLabel);
    show(IDC_SECOND_VALUE, next.secondValue, shown.secondValue);
    RECT place;
    if (next.percent != shown.percent && BarPlace(place)) {
        InvalidateRect(handle, &place, FALSE);
    }
    shown = std::move(next);
}

bool FileOpDialog::BarPlace(RECT& place) const {
    const HWND marker = GetDlgItem(handle, IDC_PROGRESS_PLACE);
    if (marker == nullptr || !GetWindowRect(marker, &place)) {
        return false;
    }
    MapWindowPoints(nullptr, handle, reinterpret_cast<POINT*>(&place), 2);
    return true;
}

INT_PTR FileOpDialog::OnPaint(HWND dialog, UINT, WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(dialog, &paint);
    RECT place;
    if (shown.percent >= 0 && BarPlace(place)) {
        DrawPercentBar(dc, place.left, place.top, place.right - place.left,
                       place.bottom - place.top, kBlueBarColumn, shown.percent, nullptr);
    }
    EndPaint(dialog, &paint);
    return 1;
}
