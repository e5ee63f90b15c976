// The framework's three message boxes, through which the whole program reports problems,
// and the one function every box passes through.
#pragma once

#include <windows.h>

// Shows one box; has the shape of MessageBoxW. Tests install their own to record the box
// and answer it without blocking.
using MessageBoxHandler = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption,
                                  UINT type);

// Replaces the function that shows boxes; returns the one it replaces. Null restores
// the platform's MessageBoxW.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Shows a box through the current handler. The platform's box gets the text broken into
// lines that fit the device's screen (a long path at its separators) and is placed inside
// that screen.
int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// The texts are formatted printf-style ("%s" is a wide string) into 519 characters; a longer
// result is cut there. Each box has the stop icon and one OK button and returns its result.

// A failure the user should know of; caption "Error".
int ShowError(HWND owner, const wchar_t* format, ...);
// A missing resource or an unexpected exception; caption "Fatal".
int ShowFatal(HWND owner, const wchar_t* format, ...);
// A diagnostic, owned by the active window and brought to the foreground; caption "Debug".
int ShowDebug(const wchar_t* format, ...);

// Capacity of a formatted message text, terminator included.
constexpr int kMessageTextSize = 520;

// Makes a failed allocation of the standard containers show "out of memory" and end the
// process with exit code 1.
void InstallOutOfMemoryHandler();
