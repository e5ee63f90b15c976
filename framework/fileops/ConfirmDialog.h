// The questions asked before deleting or replacing files. Each kind is made with what it
// asks about, run once with Ask, and answers IDYES or IDNO, and where it offers them
// IDC_ALL (the All button's identifier) or IDCANCEL.
#pragma once

#include "framework/app/FullScreenDialog.h"
#include "resources/fileops_ids.h"

#include <string>
#include <vector>

// What one kind of question shows: its templates, title, icon, text and All button. The
// kinds' table is ConfirmDialog.cpp's.
struct ConfirmQuestion;

class ConfirmDialog : public FullScreenDialog {
public:
    // Runs the question modally over `parent`. Only a button says Yes or All: Escape,
    // closing the question, or a question that could not be shown goes no further, as No
    // where the question offers only Yes and No, as Cancel where it offers Cancel.
    INT_PTR Ask(HWND parent);
    // Sets the question's texts, then makes the dialog full screen with a menu bar without
    // buttons: the dialog's own buttons answer.
    INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // `subject`: the file or folder asked about; `count`: how many entries, for a question
    // about several. `multiple`: one of several, so the question offers All and Cancel too.
    ConfirmDialog(const ConfirmQuestion& question, const wchar_t* subject, int count,
                  bool multiple);
    // Fills what a kind's template shows beyond the question; nothing by default.
    virtual void SetDetails(HWND dialog);
    // The file or folder asked about.
    const std::wstring& Subject() const { return subject; }

private:
    const ConfirmQuestion& question;
    std::wstring subject;
    int count;
    bool multiple;
};

class ConfirmDeleteItems : public ConfirmDialog {
public:
    explicit ConfirmDeleteItems(int count);
};

class ConfirmDeleteFolder : public ConfirmDialog {
public:
    explicit ConfirmDeleteFolder(const wchar_t* folder);
};

// The text depends on the file: read-only (also when unreadable), then program, then system.
class ConfirmDeleteFile : public ConfirmDialog {
public:
    ConfirmDeleteFile(const wchar_t* file, bool multiple);
};

// `folder`: the folder already in the target's place, named in full.
class ConfirmReplaceFolder : public ConfirmDialog {
public:
    ConfirmReplaceFolder(const wchar_t* folder, bool multiple);
};

// Shows both files with their icons, sizes and times; the text depends on the existing file:
// system, then read-only.
class ConfirmReplaceFile : public ConfirmDialog {
public:
    ConfirmReplaceFile(const wchar_t* source, const wchar_t* target, bool multiple);

    // Gives back the shell's icons.
    INT_PTR OnDestroy(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SetDetails(HWND dialog) override;
    // Shows the shell's icon of the file in the control.
    void SetShellIcon(HWND dialog, int control, const std::wstring& path);
    std::wstring source;
    std::vector<HICON> shellIcons;
};

// A file's size and last-write time as the replace question shows them.
std::wstring FileDescription(const wchar_t* path);

// The first question before deleting the entries of a double-terminated list: several
// entries, or one folder, are asked about; a single file is asked about by the operation.
// True only when the answer is Yes (or nothing needed asking).
bool ConfirmDeleteSelection(HWND owner, const wchar_t* list);
