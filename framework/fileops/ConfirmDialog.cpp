#include "ConfirmDialog.h"

#include "framework/app/Application.h"
#include "framework/app/MenuBars.h"
#include "framework/app/Paths.h"
#include "platform/ShellDialogs.h"
#include "resources/fileops_ids.h"

#include <shellapi.h>
#include <strsafe.h>

#include <vector>

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

// Counts the entries of a double-terminated list.
int CountEntries(const wchar_t* list) {
    int count = 0;
    for (const wchar_t* entry = list; *entry != L'\0'; entry += wcslen(entry) + 1) {
        ++count;
    }
    return count;
}

} // namespace

INT_PTR ConfirmDialog::Ask(HWND parent) {
    const INT_PTR answer = DoModal(parent, LocalizedResourceName(templateBase).c_str());
    if (answer == IDYES || answer == IDNO || (offersCancel && answer == IDC_ALL)) {
        return answer;
    }
    return offersCancel ? IDCANCEL : IDNO;
}

INT_PTR ConfirmDialog::OnInitDialog(HWND dialog, UINT, WPARAM, LPARAM) {
    SetTexts(dialog);
    InitFullScreenDialog(dialog, SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN);
    CreateDialogMenuBar(dialog, IDR_EMPTY_MENU_BAR);
    return 1;
}

void ConfirmDialog::SetQuestion(HWND dialog, const wchar_t* title, int icon,
                                const std::wstring& text) {
    if (title != nullptr) {
        SetWindowTextW(dialog, title);
    }
    if (icon != 0) {
        if (const HICON loaded = LoadIconW(Application::instance, MAKEINTRESOURCEW(icon))) {
            SendDlgItemMessageW(dialog, IDC_QUESTION_ICON, STM_SETICON,
                                reinterpret_cast<WPARAM>(loaded), 0);
        }
    }
    SetDlgItemTextW(dialog, IDC_QUESTION_TEXT, text.c_str());
}

void ConfirmDeleteItems::SetTexts(HWND dialog) {
    SetQuestion(dialog, LanguageText(L"Confirm multiple file delete", L"複数ﾌｧｲﾙ削除の確認"),
                IDI_DELETE,
                Format(LanguageText(L"Are you sure you want to delete these %d items?",
                                    L"これら %d 個のﾌｧｲﾙを削除してもよろしいですか?"),
                       count));
}

void ConfirmDeleteFolder::SetTexts(HWND dialog) {
    SetQuestion(dialog, LanguageText(L"Confirm folder delete", L"ﾌｫﾙﾀﾞ削除の確認"), IDI_DELETE,
                Format(LanguageText(L"Are you sure you want to remove the folder '%s' and all its "
                                    L"contents?",
                                    L"ﾌｫﾙﾀﾞ'%s'とﾌｫﾙﾀﾞ内のすべてのﾌｧｲﾙを削除してもよろしいですか?"),
                       NamePart(folder).c_str()));
}

void ConfirmDeleteFile::SetTexts(HWND dialog) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    const wchar_t* format;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY)) {
        format =
            LanguageText(L"The file '%s' is a read-only file. Are you sure you want to delete it?",
                         L"ﾌｧｲﾙ '%s' は読み取り専用です。削除してもよろしいですか?");
    } else if (IsProgram(file.c_str())) {
        format = LanguageText(
            L"The file '%s' is a program.\n\nIf you remove it, you will no longer be able to "
            L"run this program or edit some documents. Are you sure you want to delete it?",
            L"ﾌｧｲﾙ '%s' はﾌﾟﾛｸﾞﾗﾑです。\n\n削除すると、このﾌﾟﾛｸﾞﾗﾑは実行できなくなり、"
            L"また一部の文書は編集できなくなります。\n削除してもよろしいですか?");
    } else if (attributes & FILE_ATTRIBUTE_SYSTEM) {
        format = LanguageText(
            L"The file '%s' is a system file.\n\nIf you remove it, your computer or one of "
            L"your programs may no longer work correctly.",
            L"ﾌｧｲﾙ '%s' はｼｽﾃﾑ ﾌｧｲﾙです。\n\n削除すると、ｼｽﾃﾑやｱﾌﾟﾘｹｰｼｮﾝが正しく作動しなく"
            L"なる可能性があります。\n削除してもよろしいですか?");
    } else {
        format = LanguageText(L"Are you sure you want to delete '%s'?",
                              L"'%s' を削除してもよろしいですか?");
    }
    SetQuestion(dialog, LanguageText(L"Confirm file delete", L"ﾌｧｲﾙ削除の確認"), IDI_DELETE,
                Format(format, NamePart(file).c_str()));
}

void ConfirmReplaceFolder::SetTexts(HWND dialog) {
    SetDlgItemTextW(dialog, IDC_ALL, LanguageText(L"All", L"全上書"));
    SetQuestion(
        dialog, LanguageText(L"Confirm Folder Replace", L"ﾌｫﾙﾀﾞ置換の確認"), IDI_REPLACE_FOLDER,
        Format(LanguageText(
                   L"This folder already contains a folder called '%s'.\n\nIf the files in the "
                   L"existing folder have the same name as files in the folder you are moving, "
                   L"do you want to replace the existing files?",
                   L"このﾌｫﾙﾀﾞにはすでに '%s' というﾌｫﾙﾀﾞが存在します。\n\n現在のﾌｫﾙﾀﾞのﾌｧｲﾙと"
                   L"新しいﾌｫﾙﾀﾞのﾌｧｲﾙが同じ名前の場合、新しいﾌｧｲﾙで上書きしますか?"),
               folder.c_str()));
}

void ConfirmReplaceFile::SetTexts(HWND dialog) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        const wchar_t* format;
        if (attributes & FILE_ATTRIBUTE_SYSTEM) {
            format = LanguageText(L"This folder already contains a system file called '%s'.",
                                  L"このﾌｫﾙﾀﾞには既にｼｽﾃﾑﾌｧｲﾙ %s が存在します。"
                                  L"現在あるﾌｧｲﾙを、新しいﾌｧｲﾙで上書きしますか?");
        } else if (attributes & FILE_ATTRIBUTE_READONLY) {
            format = LanguageText(L"This folder already contains a read-only file called '%s'.",
                                  L"このﾌｫﾙﾀﾞには既に読み取り専用ﾌｧｲﾙ %s が存在します。"
                                  L"現在あるﾌｧｲﾙを、新しいﾌｧｲﾙで上書きしますか?");
        } else {
            format = LanguageText(L"This folder already contains a file called '%s'.",
                                  L"このﾌｫﾙﾀﾞには既に %s というﾌｧｲﾙが存在します。"
                                  L"現在あるﾌｧｲﾙを、新しいﾌｧｲﾙで上書きしますか?");
        }
        SetQuestion(dialog, nullptr, 0, Format(format, NamePart(target).c_str()));
    }
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
