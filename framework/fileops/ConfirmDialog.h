// The questions asked before deleting or replacing files. Each variant is made with what
// it asks about, run once with Ask, and answers IDYES or IDNO, and where it offers them
// IDC_ALL (the All button's identifier) or IDCANCEL.
#pragma once

#include "framework/app/FullScreenDialog.h"
#include "resources/fileops_ids.h"

#include <string>
#include <vector>

class ConfirmDialog : public FullScreenDialog {
public:
    // Runs the question modally over `parent`. Only a button says Yes or All: Escape,
    // closing the question, or a question that could not be shown goes no further, as No
    // where the question offers only Yes and No, as Cancel where it offers Cancel.
    INT_PTR Ask(HWND parent);
    // Sets the variant's texts, then makes the dialog full screen with a menu bar without
    // buttons: the dialog's own buttons answer.
    INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // `offersCancel`: the template has the All and Cancel buttons as well.
    ConfirmDialog(const wchar_t* templateBase, bool offersCancel)
        : templateBase(templateBase), offersCancel(offersCancel) {}
    virtual void SetTexts(HWND dialog) = 0;
    // Sets the title, the question's icon (a program icon resource) and its text.
    void SetQuestion(HWND dialog, const wchar_t* title, int icon, const std::wstring& text);

private:
    const wchar_t* templateBase;
    bool offersCancel;
};

class ConfirmDeleteItems : public ConfirmDialog {
public:
    explicit ConfirmDeleteItems(int count) : ConfirmDialog(L"DlgYesNo", false), count(count) {}

private:
    void SetTexts(HWND dialog) override;
    int count;
};

class ConfirmDeleteFolder : public ConfirmDialog {
public:
    explicit ConfirmDeleteFolder(const wchar_t* folder)
        : ConfirmDialog(L"DlgYesNo", false), folder(folder) {}

private:
    void SetTexts(HWND dialog) override;
    std::wstring folder;
};

// The text depends on the file: read-only (also when unreadable), then program, then system.
class ConfirmDeleteFile : public ConfirmDialog {
public:
    ConfirmDeleteFile(const wchar_t* file, bool multiple)
        : ConfirmDialog(multiple ? L"DlgYesAllNoCancel" : L"DlgYesNo", multiple), file(file) {}

private:
    void SetTexts(HWND dialog) override;
    std::wstring file;
};

class ConfirmReplaceFolder : public ConfirmDialog {
public:
    ConfirmReplaceFolder(const wchar_t* folder, bool multiple)
        : ConfirmDialog(multiple ? L"DlgYesAllNoCancel" : L"DlgYesNo", multiple), folder(folder) {}

private:
    void SetTexts(HWND dialog) override;
    std::wstring folder;
};

// Shows both files with their icons, sizes and times; the text depends on the existing file:
// system, then read-only.
class ConfirmReplaceFile : public ConfirmDialog {
public:
    ConfirmReplaceFile(const wchar_t* source, const wchar_t* target, bool multiple)
        : ConfirmDialog(multiple ? L"FDlgConfReplaceMultiFile" : L"FDlgConfReplaceFile", multiple),
          source(source), target(target) {}

    // Gives back the shell's icons.
    INT_PTR OnDestroy(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SetTexts(HWND dialog) override;
    // Shows the shell's icon of the file in the control.
    void SetShellIcon(HWND dialog, int control, const std::wstring& path);
    std::wstring source;
    std::wstring target;
    std::vector<HICON> shellIcons;
};

// A file's size and last-write time as the replace question shows them.
std::wstring FileDescription(const wchar_t* path);

// The first question before deleting the entries of a double-terminated list: several
// entries, or one folder, are asked about; a single file is asked about by the operation.
// True only when the answer is Yes (or nothing needed asking).
bool ConfirmDeleteSelection(HWND owner, const wchar_t* list);
