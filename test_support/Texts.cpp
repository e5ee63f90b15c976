#include "Texts.h"

#include <commctrl.h>

std::wstring ClipboardText() {
    std::wstring text;
    if (OpenClipboard(nullptr)) {
        if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = chars;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    return text;
}

std::wstring TextOf(HWND window) {
    // A window of another process may be busy: the wait is bounded.
    constexpr UINT kWait = 5000;
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, kWait, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_BLOCK, kWait, &copied);
    text.resize(copied);
    return text;
}

Texts TabTextsOf(HWND tabs) {
    Texts texts;
    for (int index = 0; index < TabCtrl_GetItemCount(tabs); ++index) {
        wchar_t text[300] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 300;
        TabCtrl_GetItem(tabs, index, &item);
        texts.push_back(text);
    }
    return texts;
}
