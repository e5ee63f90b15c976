// The program's own window messages, one number each. Each is posted to a window of the
// program by the program itself; the numbers lie above WM_APP, out of the system's way.
#pragma once

#include <windows.h>

// To a dialog's input-panel preference control: the dialog's edit controls exist now and
// can be hooked.
constexpr UINT WM_HOOK_EDIT_CONTROLS = WM_APP + 1;
// To a worker's dialog: the work has ended; wParam is its result.
constexpr UINT WM_END_WORK = WM_APP + 2;
// To the progress dialog: the worker has posted new figures to show.
constexpr UINT WM_SHOW_PROGRESS = WM_APP + 3;
// To the converter's main window, once it is on screen: tell the problems of the definition
// file loaded while it was being made.
constexpr UINT WM_TELL_LOAD_PROBLEMS = WM_APP + 4;
