#include "MessageBoxes.h"

#include "Application.h"
#include "GdiObject.h"
#include "platform/Screen.h"

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cwchar>
#include <new>
#include <string>
#include <vector>

namespace {

// Boxes are also shown from the file-operation worker thread.
std::atomic<MessageBoxHandler> currentHandler{nullptr};

// Note: the msvcrt formatter is used on purpose: in its wide functions "%s" takes a wide
// string, which is what every format in the program expects. The C99 formatter that mingw
// substitutes for vswprintf would read "%s" as a narrow string.
void FormatMessageText(wchar_t (&text)[kMessageTextSize], const wchar_t* format, va_list args) {
    // Writes at most 519 characters; a cut text (or one of exactly 519) gets no terminator.
    const int limit = kMessageTextSize - 1;
    _vsnwprintf(text, limit, format, args);
    text[limit] = L'\0';
}

int ShowFormatted(HWND owner, const wchar_t* caption, UINT extraType, const wchar_t* format,
                  va_list args) {
    wchar_t text[kMessageTextSize];
    FormatMessageText(text, format, args);
    return ShowMessageBox(owner, text, caption, MB_OK | MB_ICONSTOP | extraType);
}

// Room a box leaves beside its text, in 96-DPI pixels: borders, margins and the icon; and
// above and below it: caption, margins and the buttons.
constexpr int kBoxDesignMargin = 80;
constexpr int kBoxDesignChrome = 100;

// Lines beyond `maxLines` are left out in the middle, marked by a line of "...": the start
// of a long path and its end, the name, stay in sight.
std::wstring KeepLines(const std::wstring& text, int maxLines) {
    std::vector<size_t> starts = {0};
    for (size_t end = text.find(L'\n'); end != std::wstring::npos;
         end = text.find(L'\n', end + 1)) {
        starts.push_back(end + 1);
    }
    const int lines = static_cast<int>(starts.size());
    if (lines <= maxLines || maxLines < 3) {
        return text;
    }
    const int head = (maxLines - 1) / 2;
    const int tail = maxLines - 1 - head;
    return text.substr(0, starts[head]) + L"...\r\n" + text.substr(starts[lines - tail]);
}

// The text broken into lines no wider than `width` in the message font: at blanks where a
// line has them, and inside a longer word after a "\" (a path's separator) or, failing
// that, anywhere (as Japanese text breaks). The platform's box only breaks at blanks, so a
// long path would make it wider than the screen. The breaks added are CR LF, which tells
// them from the text's own line ends. A text still too tall for `height` keeps its first
// and last lines.
std::wstring FitToScreen(const wchar_t* text, int width, int height) {
    const HFONT font = CreateSystemFont(&NONCLIENTMETRICSW::lfMessageFont);
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    const auto fits = [dc, width](const std::wstring& line) {
        SIZE size = {};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
        return size.cx <= width;
    };
    std::wstring fitted;
    std::wstring line;
    const auto endLine = [&] {
        fitted += line;
        line.clear();
    };
    for (const wchar_t* rest = text; *rest != L'\0';) {
        if (*rest == L'\n') {
            endLine();
            fitted += *rest++;
            continue;
        }
        // The next word with the blanks before it.
        const wchar_t* end = rest;
        while (*end == L' ') {
            ++end;
        }
        while (*end != L'\0' && *end != L' ' && *end != L'\n') {
            ++end;
        }
        std::wstring word(rest, end);
        rest = end;
        if (fits(line + word)) {
            line += word;
            continue;
        }
        if (!line.empty()) {
            endLine();
            fitted += L"\r\n";
            word.erase(0, word.find_first_not_of(L' '));
        }
        // A word wider than a whole line is cut, after its last separator that fits.
        while (!fits(word)) {
            int fitting = 0;
            SIZE size = {};
            GetTextExtentExPointW(dc, word.c_str(), static_cast<int>(word.size()), width, &fitting,
                                  nullptr, &size);
            size_t cut = std::max(1, fitting);
            const size_t separator = word.rfind(L'\\', cut - 1);
            if (separator != std::wstring::npos && separator > 0) {
                cut = separator + 1;
            }
            fitted += word.substr(0, cut) + L"\r\n";
            word.erase(0, cut);
        }
        line = word;
    }
    endLine();
    TEXTMETRICW size = {};
    GetTextMetricsW(dc, &size);
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    DeleteObject(font);
    return KeepLines(fitted, height / std::max(1L, size.tmHeight + size.tmExternalLeading));
}

// The box this thread is about to show has yet to be placed.
thread_local bool boxToPlace = false;

// Places the box the thread opens inside the device's screen, centred there; what is
// activated after it (its owner, once it closes) stays where it is.
LRESULT CALLBACK PlaceBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && boxToPlace) {
        boxToPlace = false;
        const auto box = reinterpret_cast<HWND>(wParam);
        RECT own;
        GetWindowRect(box, &own);
        const RECT screen = DeviceScreenRect();
        const int width = own.right - own.left;
        const int height = own.bottom - own.top;
        const int left =
            std::max(screen.left, screen.left + (screen.right - screen.left - width) / 2);
        const int top =
            std::max(screen.top, screen.top + (screen.bottom - screen.top - height) / 2);
        SetWindowPos(box, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Nothing here may allocate: the box is shown as it is, without fitting.
void OnOutOfMemory() {
    if (const MessageBoxHandler handler = currentHandler.load()) {
        handler(nullptr, L"out of memory", nullptr, MB_OK);
    } else {
        MessageBoxW(nullptr, L"out of memory", nullptr, MB_OK);
    }
    ExitProcess(1);
}

} // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return currentHandler.exchange(handler);
}

int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    if (const MessageBoxHandler handler = currentHandler.load()) {
        return handler(owner, text, caption, type);
    }
    const RECT screen = DeviceScreenRect();
    const std::wstring fitted =
        FitToScreen(text, screen.right - screen.left - ScaleToScreen(kBoxDesignMargin),
                    screen.bottom - screen.top - ScaleToScreen(kBoxDesignChrome));
    boxToPlace = true;
    const HHOOK placing = SetWindowsHookExW(WH_CBT, PlaceBox, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxW(owner, fitted.c_str(), caption, type);
    if (placing != nullptr) {
        UnhookWindowsHookEx(placing);
    }
    return answer;
}

int ShowError(HWND owner, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int result = ShowFormatted(owner, LanguageText(L"Error", L"ｴﾗｰ"), 0, format, args);
    va_end(args);
    return result;
}

int ShowFatal(HWND owner, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int result =
        ShowFormatted(owner, LanguageText(L"Fatal", L"致命的なｴﾗｰ"), 0, format, args);
    va_end(args);
    return result;
}

int ShowDebug(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    const int result = ShowFormatted(GetActiveWindow(), L"Debug", MB_SETFOREGROUND, format, args);
    va_end(args);
    return result;
}

void InstallOutOfMemoryHandler() {
    std::set_new_handler(OnOutOfMemory);
}
