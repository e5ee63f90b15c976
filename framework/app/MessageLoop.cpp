#include "MessageLoop.h"

#include "Application.h"
#include "DialogWindow.h"
#include "MessageBoxes.h"

namespace {

constexpr int kAccelerators = 100;

} // namespace

HWND ActivatePreviousInstance(const wchar_t* className) {
    CreateMutexW(nullptr, FALSE, className);
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
        return nullptr;
    }
    const HWND running = FindWindowW(className, nullptr);
    if (running != nullptr) {
        SetForegroundWindow(running);
    }
    return running;
}

int RunMessageLoop(FrameWindow& frame, bool useDialogMessages) {
    Application::accelerators =
        LoadAcceleratorsW(Application::instance, MAKEINTRESOURCEW(kAccelerators));
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
