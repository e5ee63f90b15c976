#include "MessageLoop.h"

#include "Application.h"
#include "DialogWindow.h"
#include "MessageBoxes.h"
#include "resources/app_ids.h"

namespace {

// How long a second instance waits for the first one's window: 40 steps of 50 ms.
constexpr int kWindowWaits = 40;
constexpr DWORD kWindowWaitStep = 50;

} // namespace

HWND ActivatePreviousInstance(const wchar_t* className) {
    CreateMutexW(nullptr, FALSE, className);
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        return nullptr;
    }
    // An instance started a moment before may hold the mutex without its window yet: it
    // gets a while to make it, so that two starts at once do not both run.
    HWND running = FindWindowW(className, nullptr);
    for (int wait = 0; running == nullptr && wait < kWindowWaits; ++wait) {
        Sleep(kWindowWaitStep);
        running = FindWindowW(className, nullptr);
    }
    if (running != nullptr) {
        SetForegroundWindow(running);
    }
    return running;
}

int RunMessageLoop(FrameWindow& frame, bool useDialogMessages) {
    Application::accelerators =
        LoadAcceleratorsW(Application::instance, MAKEINTRESOURCEW(IDR_ACCELERATOR_MAIN));
    if (Application::accelerators == nullptr) {
        ShowDebug(L"IDR_ACCELERATOR_MAIN");
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateDialogMessage(message)) {
            continue;
        }
        if (Application::accelerators != nullptr &&
            TranslateAcceleratorW(frame.handle, Application::accelerators, &message)) {
            continue;
        }
        if (useDialogMessages && IsDialogMessageW(frame.handle, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
