// The single-instance check and the main thread's message loop.
#pragma once

#include "FrameWindow.h"

// Brings an already running instance's window to the front and returns it; null when this
// is the first instance, or when an instance holds the mutex but shows no window within
// about two seconds. The mutex named after the class stays open for the process's life.
HWND ActivatePreviousInstance(const wchar_t* className);

// Runs until the quit message and returns its code. Each message is offered to the
// registered dialogs, then to the accelerators (resource 100) for the frame, then, with
// `useDialogMessages`, to the frame's own dialog processing, before it is dispatched.
int RunMessageLoop(FrameWindow& frame, bool useDialogMessages);
