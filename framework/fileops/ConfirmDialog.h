// The questions asked before deleting or replacing files. Each variant is made with what
// it asks about, run once with Ask, and answers IDYES, IDNO, IDCANCEL or kAnswerAll.
#pragma once

#include "framework/app/FullScreenDialog.h"

#include <string>

constexpr INT_PTR kAnswerAll = 20;

class ConfirmDialog : public FullScreenDialog {
public:
    // Runs the question modally over `parent`; the platform's failure value when its
    // template cannot be had.
    INT_PTR Ask(HWND parent);
    // Sets the variant's texts, then makes the dialog full screen with a menu bar without
    // buttons: the dialog's own buttons answer.
    INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    explicit ConfirmDialog(const wchar_t* templateBase) : templateBase(templateBase) {}
    virtual void SetTexts(HWND dialog) = 0;
    // Sets the title, the question's icon (a program icon resource) and its text.
    void SetQuestion(HWND dialog, const wchar_t* title, int icon, const std::wstring& text);

private:
    const wchar_t* templateBase;
};

class ConfirmDeleteItems : public ConfirmDialog {
public:
    explicit ConfirmDeleteItems(int count) : ConfirmDialog(L"DlgYesNo"), count(count) {}

private:
    void SetTexts(HWND dialog) override;
    int count;
};

class ConfirmDeleteFolder : public ConfirmDialog {
public:
    explicit ConfirmDeleteFolder(const wchar_t* folder)
        : ConfirmDialog(L"DlgYesNo"), folder(folder) {}

private:
    void SetTexts(HWND dialog) override;
    std::wstring folder;
};

// The text depends on the file: read-only (also when unreadable), then program, then system.
class ConfirmDeleteFile : public ConfirmDialog {
public:
    ConfirmDeleteFile(const wchar_t* file, bool multiple)
        : ConfirmDialog(multiple ? L"DlgYesAllNoCancel" : L"DlgYesNo"), file(file) {}

private:
    void SetTexts(HWND dialog) override;
    std::wstring file;
};

class ConfirmReplaceFolder : public ConfirmDialog {
public:
    ConfirmReplaceFolder(const wchar_t* folder, bool multiple)
        : ConfirmDialog(multiple ? L"DlgYesAllNoCancel" : L"DlgYesNo"), folder(folder) {}

private:
    void SetTexts(HWND dialog) override;
    std::wstring folder;
};

// Shows both files with their icons, sizes and times; the text depends on the existing file:
// system, then read-only.
class ConfirmReplaceFile : public ConfirmDialog {
public:
    ConfirmReplaceFile(const wchar_t* source, const wchar_t* target, bool multiple)
        : ConfirmDialog(multiple ? L"FDlgConfReplaceMultiFile" : L"FDlgConfReplaceFile"),
          source(source), target(target) {}

private:
    void SetTexts(HWND dialog) override;
    std::wstring source;
    std::wstring target;
};

// A file's size and last-write time as the replace question shows them.
std::wstring FileDescription(const wchar_t* path);

// The first question before deleting the entries of a double-terminated list: several
// entries, or one folder, are asked about; a single file is asked about by the operation.
// False only when the answer is No.
bool ConfirmDeleteSelection(HWND owner, const wchar_t* list);
