#include "ConfirmDialog.h"

#include "framework/app/Application.h"
#include "framework/app/MenuBars.h"
#include "framework/app/Paths.h"
#include "platform/ShellDialogs.h"
#include "resources/fileops_ids.h"

#include <shellapi.h>
#include <strsafe.h>

#include <vector>

// A text in both of the program's languages; null where the template's stays.
struct Bilingual {
    const wchar_t* english = nullptr;
    const wchar_t* japanese = nullptr;
};

struct ConfirmQuestion {
    // The templates, without their language's suffix: with Yes and No, and with Yes, All,
    // No and Cancel for one of several.
    const wchar_t* templateBase;
    const wchar_t* multipleTemplateBase;
    Bilingual title;
    int icon; // 0: the template's
    Bilingual allButton;
    // The text about the subject, with one argument: `text`, or where the subject decides,
    // what `textFor` chooses (null: the template's stays).
    Bilingual text;
    const Bilingual* (*textFor)(const std::wstring& subject);
    // What the text's argument is: the count (%d), or the subject's name or whole path (%s).
    enum class Argument { kCount, kName, kPath } argument;
};

namespace {

// Formats a text of one argument, a number or a path; the texts are the program's own.
template <typename Argument> std::wstring Format(const wchar_t* format, Argument argument) {
    std::vector<wchar_t> text(wcslen(format) + 2 * kMaxPath + 32);
    StringCchPrintfW(text.data(), text.size(), format, argument); // cut, never overrun
    return text.data();
}

// The name part of a path, as SplitPath gives it.
std::wstring NamePart(const std::wstring& path) {
    wchar_t folder[kMaxPath];
    wchar_t name[kMaxPath];
    if (!SplitPath(folder, name, path.c_str())) {
        return path;
    }
    return name;
}

const wchar_t* InLanguage(const Bilingual& text) {
    return LanguageText(text.english, text.japanese);
}

// Counts the entries of a double-terminated list.
int CountEntries(const wchar_t* list) {
    int count = 0;
    for (const wchar_t* entry = list; *entry != L'\0'; entry += wcslen(entry) + 1) {
        ++count;
    }
    return count;
}

// Read-only (also when unreadable), then program, then system.
const Bilingual* DeleteFileText(const std::wstring& file) {
    static const Bilingual readOnly = {
        L"The file '%s' is a read-only file. Are you sure you want to delete it?",
        L"ﾌｧｲﾙ '%s' は読み取り専用です。削除してもよろしいですか?"};
    static const Bilingual program = {
        L"The file '%s' is a program.\n\nIf you remove it, you will no longer be able to run "
        L"this program or edit some documents. Are you sure you want to delete it?",
        L"ﾌｧｲﾙ '%s' はﾌﾟﾛｸﾞﾗﾑです。\n\n削除すると、このﾌﾟﾛｸﾞﾗﾑは実行できなくなり、"
        L"また一部の文書は編集できなくなります。\n削除してもよろしいですか?"};
    static const Bilingual system = {
        L"The file '%s' is a system file.\n\nIf you remove it, your computer or one of your "
        L"programs may no longer work correctly.",
        L"ﾌｧｲﾙ '%s' はｼｽﾃﾑ ﾌｧｲﾙです。\n\n削除すると、ｼｽﾃﾑやｱﾌﾟﾘｹｰｼｮﾝが正しく作動しなく"
        L"なる可能性があります。\n削除してもよろしいですか?"};
    static const Bilingual plain = {L"Are you sure you want to delete '%s'?",
                                    L"'%s' を削除してもよろしいですか?"};
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY)) {
        return &readOnly;
    }
    if (IsProgram(file.c_str())) {
        return &program;
    }
    return (attributes & FILE_ATTRIBUTE_SYSTEM) ? &system : &plain;
}

// System, then read-only; the template's text when the existing file cannot be read.
const Bilingual* ReplaceFileText(const std::wstring& target) {
    static const Bilingual system = {L"This folder already contains a system file called '%s'.",
                                     L"このﾌｫﾙﾀﾞには既にｼｽﾃﾑﾌｧｲﾙ %s が存在します。"
                                     L"現在あるﾌｧｲﾙを、新しいﾌｧｲﾙで上書きしますか?"};
    static const Bilingual readOnly = {
        L"This folder already contains a read-only file called '%s'.",
        L"このﾌｫﾙﾀﾞには既に読み取り専用ﾌｧｲﾙ %s が存在します。"
        L"現在あるﾌｧｲﾙを、新しいﾌｧｲﾙで上書きしますか?"};
    static const Bilingual plain = {L"This folder already contains a file called '%s'.",
                                    L"このﾌｫﾙﾀﾞには既に %s というﾌｧｲﾙが存在します。"
                                    L"現在あるﾌｧｲﾙを、新しいﾌｧｲﾙで上書きしますか?"};
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return nullptr;
    }
    if (attributes & FILE_ATTRIBUTE_SYSTEM) {
        return &system;
    }
    return (attributes & FILE_ATTRIBUTE_READONLY) ? &readOnly : &plain;
}

// clang-format off
// The kinds of question, one a row: templates; title, icon and All button; text, or the
// function that chooses it, and its argument.
using Argument = ConfirmQuestion::Argument;
const ConfirmQuestion kDeleteItems = {L"DlgYesNo", L"DlgYesNo",
    {L"Confirm multiple file delete", L"複数ﾌｧｲﾙ削除の確認"}, IDI_DELETE, {},
    {L"Are you sure you want to delete these %d items?",
     L"これら %d 個のﾌｧｲﾙを削除してもよろしいですか?"}, nullptr, Argument::kCount};
const ConfirmQuestion kDeleteFolder = {L"DlgYesNo", L"DlgYesNo",
    {L"Confirm folder delete", L"ﾌｫﾙﾀﾞ削除の確認"}, IDI_DELETE, {},
    {L"Are you sure you want to remove the folder '%s' and all its contents?",
     L"ﾌｫﾙﾀﾞ'%s'とﾌｫﾙﾀﾞ内のすべてのﾌｧｲﾙを削除してもよろしいですか?"}, nullptr, Argument::kName};
const ConfirmQuestion kDeleteFile = {L"DlgYesNo", L"DlgYesAllNoCancel",
    {L"Confirm file delete", L"ﾌｧｲﾙ削除の確認"}, IDI_DELETE, {},
    {}, DeleteFileText, Argument::kName};
const ConfirmQuestion kReplaceFolder = {L"DlgYesNo", L"DlgYesAllNoCancel",
    {L"Confirm Folder Replace", L"ﾌｫﾙﾀﾞ置換の確認"}, IDI_REPLACE_FOLDER, {L"All", L"全上書"},
    {L"This folder already contains a folder called '%s'.\n\nIf the files in the existing "
     L"folder have the same name as files in the folder you are moving, do you want to "
     L"replace the existing files?",
     L"このﾌｫﾙﾀﾞにはすでに '%s' というﾌｫﾙﾀﾞが存在します。\n\n現在のﾌｫﾙﾀﾞのﾌｧｲﾙと"
     L"新しいﾌｫﾙﾀﾞのﾌｧｲﾙが同じ名前の場合、新しいﾌｧｲﾙで上書きしますか?"}, nullptr, Argument::kPath};
const ConfirmQuestion kReplaceFile = {L"FDlgConfReplaceFile", L"FDlgConfReplaceMultiFile",
    {}, 0, {},
    {}, ReplaceFileText, Argument::kName};
// clang-format on

} // namespace

ConfirmDialog::ConfirmDialog(const ConfirmQuestion& question, const wchar_t* subject, int count,
                             bool multiple)
    : question(question), subject(subject), count(count), multiple(multiple) {
}

INT_PTR ConfirmDialog::Ask(HWND parent) {
    const wchar_t* base = multiple ? question.multipleTemplateBase : question.templateBase;
    const INT_PTR answer = DoModal(parent, LocalizedResourceName(base).c_str());
    if (answer == IDYES || answer == IDNO || (multiple && answer == IDC_ALL)) {
        return answer;
    }
    return multiple ? IDCANCEL : IDNO;
}

INT_PTR ConfirmDialog::OnInitDialog(HWND dialog, UINT, WPARAM, LPARAM) {
    if (question.title.english != nullptr) {
        SetWindowTextW(dialog, InLanguage(question.title));
    }
    if (question.allButton.english != nullptr) {
        SetDlgItemTextW(dialog, IDC_ALL, InLanguage(question.allButton));
    }
    if (question.icon != 0) {
        if (const HICON loaded =
                LoadIconW(Application::instance, MAKEINTRESOURCEW(question.icon))) {
            SendDlgItemMessageW(dialog, IDC_QUESTION_ICON, STM_SETICON,
                                reinterpret_cast<WPARAM>(loaded), 0);
        }
    }
    const Bilingual* text = question.textFor ? question.textFor(subject) : &question.text;
    if (text != nullptr && text->english != nullptr) {
        const wchar_t* format = InLanguage(*text);
        std::wstring shown;
        switch (question.argument) {
        case ConfirmQuestion::Argument::kCount:
            shown = Format(format, count);
            break;
        case ConfirmQuestion::Argument::kName:
            shown = Format(format, NamePart(subject).c_str());
            break;
        case ConfirmQuestion::Argument::kPath:
            shown = Format(format, subject.c_str());
            break;
        }
        SetDlgItemTextW(dialog, IDC_QUESTION_TEXT, shown.c_str());
    }
    SetDetails(dialog);
    InitFullScreenDialog(dialog, SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN);
    CreateDialogMenuBar(dialog, IDR_EMPTY_MENU_BAR);
    return 1;
}

void ConfirmDialog::SetDetails(HWND) {
}

ConfirmDeleteItems::ConfirmDeleteItems(int count) : ConfirmDialog(kDeleteItems, L"", count, false) {
}

ConfirmDeleteFolder::ConfirmDeleteFolder(const wchar_t* folder)
    : ConfirmDialog(kDeleteFolder, folder, 0, false) {
}

ConfirmDeleteFile::ConfirmDeleteFile(const wchar_t* file, bool multiple)
    : ConfirmDialog(kDeleteFile, file, 0, multiple) {
}

ConfirmReplaceFolder::ConfirmReplaceFolder(const wchar_t* folder, bool multiple)
    : ConfirmDialog(kReplaceFolder, folder, 0, multiple) {
}

ConfirmReplaceFile::ConfirmReplaceFile(const wchar_t* source, const wchar_t* target, bool multiple)
    : ConfirmDialog(kReplaceFile, target, 0, multiple), source(source) {
}

void ConfirmReplaceFile::SetDetails(HWND dialog) {
    const std::wstring& target = Subject();
    SetDlgItemTextW(dialog, IDC_EXISTING_TEXT, FileDescription(target.c_str()).c_str());
    SetShellIcon(dialog, IDC_EXISTING_ICON, target);
    SetDlgItemTextW(dialog, IDC_NEW_TEXT, FileDescription(source.c_str()).c_str());
    SetShellIcon(dialog, IDC_NEW_ICON, source);
}

// The icon the template put in the control is the program's own, loaded shared: it stays.
// The shell's icons are this dialog's, and go with it.
void ConfirmReplaceFile::SetShellIcon(HWND dialog, int control, const std::wstring& path) {
    SHFILEINFOW info = {};
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON)) {
        shellIcons.push_back(info.hIcon);
        SendDlgItemMessageW(dialog, control, STM_SETICON, reinterpret_cast<WPARAM>(info.hIcon), 0);
    }
}

INT_PTR ConfirmReplaceFile::OnDestroy(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    for (const HICON icon : shellIcons) {
        DestroyIcon(icon);
    }
    shellIcons.clear();
    return ConfirmDialog::OnDestroy(dialog, message, wParam, lParam);
}

std::wstring FileDescription(const wchar_t* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) {
        return L"";
    }
    const unsigned long long size =
        (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return FormatSize(size) + L" " + LocalDateTimeText(data.ftLastWriteTime, LOCALE_USER_DEFAULT);
}

bool ConfirmDeleteSelection(HWND owner, const wchar_t* list) {
    const int count = CountEntries(list);
    if (count > 1) {
        return ConfirmDeleteItems(count).Ask(owner) == IDYES;
    }
    if (count == 1 && IsDirectory(list)) {
        return ConfirmDeleteFolder(list).Ask(owner) == IDYES;
    }
    return true;
}
