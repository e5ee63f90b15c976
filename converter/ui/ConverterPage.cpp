#include "ConverterPage.h"

#include "converter/conversion/NumberText.h"
#include "framework/app/Commands.h"
#include "platform/SoftInputPanel.h"
#include "resources/converter_ids.h"

#include <algorithm>

namespace {

// The character that Ctrl with a letter key types.
constexpr wchar_t ControlCharacter(wchar_t letter) {
    return static_cast<wchar_t>(letter - L'A' + 1);
}

void SelectAll(HWND edit) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

bool KeyHeld(int key) {
    return GetKeyState(key) < 0;
}

// The clipboard's text, as far as a row could hold it and one character more, so that a
// longer text is known as such; nothing when the clipboard cannot be opened.
std::optional<std::wstring> ClipboardText(HWND owner) {
    if (!OpenClipboard(owner)) {
        return std::nullopt;
    }
    std::wstring text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
            const size_t units = GlobalSize(data) / sizeof(wchar_t);
            text.assign(locked, wcsnlen(locked, std::min<size_t>(units, kMaxRowText + 1)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

INT_PTR ConverterPage::OnCommand(HWND, UINT, WPARAM wParam, LPARAM lParam) {
    const WPARAM command = CommandOf(wParam, lParam);
    if (command == IDOK) {
        if (const int row = FocusedRow(); row >= 0) {
            CommitRow(row);
        }
        return 1;
    }
    const int control = LOWORD(command);
    if (HIWORD(command) == EN_SETFOCUS && control >= IDC_ROW_EDIT && control <= IDC_ROW_EDIT + 11) {
        SHSipPreference(GetDlgItem(handle, control), SIP_UP);
        return 1;
    }
    return 0;
}

INT_PTR ConverterPage::OnDestroy(HWND, UINT, WPARAM, LPARAM) {
    ReleaseRows();
    return 1;
}

LRESULT ConverterPage::EditHandler(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const int row = RowOf(edits, edit);
    if (row < 0) {
        return 0;
    }
    switch (message) {
    case WM_CHAR:
        return OnEditChar(row, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_INSERT && KeyHeld(VK_CONTROL)) {
            CopyRow(row);
            return 0;
        }
        if (wParam == VK_INSERT && KeyHeld(VK_SHIFT)) {
            PasteInto(row);
            return 0;
        }
        break;
    case WM_PASTE:
        PasteInto(row);
        return 0;
    default:
        break;
    }
    if (message == WM_GETDLGCODE) {
        // Enter and Tab reach the row as characters, not the dialog as commands: the row
        // converts on Enter and moves between rows on Tab.
        return edits[row]->CallOldProc(edit, message, wParam, lParam) | DLGC_WANTALLKEYS;
    }
    return edits[row]->CallOldProc(edit, message, wParam, lParam);
}

LRESULT ConverterPage::OnEditChar(int row, WPARAM character, LPARAM keyData) {
    Window& edit = *edits[row];
    switch (character) {
    case L'\r': // Enter
        CommitRow(row);
        return 0;
    case L'\t': {
        const int target = KeyHeld(VK_SHIFT) ? row - 1 : row + 1;
        if (target < 0 || target >= rowCount) {
            SetFocus(GetParent(handle));
        } else {
            FocusRow(target);
        }
        return 0;
    }
    case ControlCharacter(L'C'):
        CopyRow(row);
        return 0;
    case ControlCharacter(L'V'):
        PasteInto(row);
        return 0;
    case ControlCharacter(L'Q'):
        PostMessageW(GetParent(GetParent(handle)), WM_COMMAND, IDC_EXIT, 0);
        return 0;
    default: {
        // A Japanese input method's full-width digits go in as the digits the rows write.
        const wchar_t ascii = FoldFullWidth(static_cast<wchar_t>(character));
        if (IsNumberChar(ascii)) {
            return edit.CallOldProc(edit.handle, WM_CHAR, ascii, keyData);
        }
        return 0;
    }
    }
}

LRESULT ConverterPage::LabelHandler(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    const int row = RowOf(labels, label);
    if (row < 0) {
        return 0;
    }
    if (message == WM_LBUTTONDOWN) {
        return OnLabelTap(row);
    }
    return labels[row]->CallOldProc(label, message, wParam, lParam);
}

LRESULT ConverterPage::OnLabelTap(int row) {
    CommitText(row, L"1");
    return 0;
}

bool ConverterPage::Accepts(int, double) const {
    return true;
}

void ConverterPage::Copy() {
    if (const int row = FocusedRow(); row >= 0) {
        CopyRow(row);
    }
}

void ConverterPage::Paste() {
    if (const int row = FocusedRow(); row >= 0) {
        PasteInto(row);
    }
}

void ConverterPage::CopyRow(int row) {
    SelectAll(edits[row]->handle);
    SendMessageW(edits[row]->handle, WM_COPY, 0, 0);
}

void ConverterPage::PasteInto(int row) {
    // The text is judged before it goes in: one that is refused must not replace the row's.
    const std::optional<std::wstring> text = ClipboardText(handle);
    const std::optional<double> value =
        text ? ReadRowText(text->c_str(), UserNumberSeparators()) : std::nullopt;
    if (!value || !Accepts(row, *value)) {
        Refuse(row);
        return;
    }
    SetWindowTextW(edits[row]->handle, text->c_str());
    ConvertFrom(row);
}

void ConverterPage::AdoptRows(HWND dialog) {
    for (int row = 0; row < rowCount; ++row) {
        labels[row] = std::make_unique<Window>(GetDlgItem(dialog, IDC_ROW_LABEL + row));
        labels[row]->Subclass(this, &ConverterPage::LabelHandler);
        edits[row] = std::make_unique<Window>(GetDlgItem(dialog, IDC_ROW_EDIT + row));
        edits[row]->Subclass(this, &ConverterPage::EditHandler);
        // A row holds what its number text can hold, and the input panel's number keys.
        SendMessageW(edits[row]->handle, EM_SETLIMITTEXT, kMaxRowText, 0);
        SetInputScope(edits[row]->handle, IS_NUMBER);
    }
}

void ConverterPage::ReleaseRows() {
    for (int row = 0; row < kMaxRows; ++row) {
        labels[row].reset();
        edits[row].reset();
    }
}

void ConverterPage::ShowValues() {
    for (int row = 0; row < rowCount; ++row) {
        SetWindowTextW(edits[row]->handle, FormatValue(values[row], engineering[row]).c_str());
    }
}

void ConverterPage::FinishConversion(int sourceRow) {
    ShowValues();
    FocusRow(sourceRow);
}

std::optional<double> ConverterPage::CommittedValue(int row) {
    wchar_t text[kMaxRowText + 1] = {};
    GetWindowTextW(edits[row]->handle, text, kMaxRowText + 1);
    const std::optional<double> value = ReadRowText(text, UserNumberSeparators());
    if (!value || !Accepts(row, *value)) {
        Refuse(row);
        return std::nullopt;
    }
    return value;
}

void ConverterPage::Refuse(int row) {
    MessageBeep(MB_OK);
    FocusRow(row);
}

void ConverterPage::CommitRow(int row) {
    // The page already shows one quantity in every row: converting again from a row's own
    // rounded text would only move the others (and a row beyond every double would carry
    // its infinity into rows that still hold numbers).
    wchar_t text[kMaxRowText + 1] = {};
    GetWindowTextW(edits[row]->handle, text, kMaxRowText + 1);
    if (FormatValue(values[row], engineering[row]) == text) {
        FinishConversion(row);
        return;
    }
    ConvertFrom(row);
}

void ConverterPage::CommitText(int row, const wchar_t* text) {
    SetWindowTextW(edits[row]->handle, text);
    ConvertFrom(row);
}

void ConverterPage::FocusRow(int row) {
    SetFocus(edits[row]->handle);
    SelectAll(edits[row]->handle);
}

int ConverterPage::RowOf(const std::unique_ptr<Window> (&windows)[kMaxRows], HWND window) const {
    for (int row = 0; row < rowCount; ++row) {
        if (windows[row] && windows[row]->handle == window) {
            return row;
        }
    }
    return -1;
}

int ConverterPage::FocusedRow() const {
    return RowOf(edits, GetFocus());
}
