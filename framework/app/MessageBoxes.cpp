#include "MessageBoxes.h"

#include "Application.h"

#include <atomic>
#include <cstdarg>
#include <cwchar>
#include <new>

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

void OnOutOfMemory() {
    ShowMessageBox(nullptr, L"out of memory", nullptr, MB_OK);
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
    return MessageBoxW(owner, text, caption, type);
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
