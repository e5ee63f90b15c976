#include "WorkerDialog.h"

#include "framework/app/FrameWindow.h"
#include "platform/PrivateMessages.h"
#include "platform/Screen.h"

#include <algorithm>

namespace {

// How often a work that is being stopped is checked for a newly shown window.
constexpr DWORD kWorkWindowCheckInterval = 50;

BOOL CALLBACK CloseWorkWindow(HWND window, LPARAM) {
    if (IsWindowVisible(window)) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

} // namespace

WorkerDialog::~WorkerDialog() {
    StopWorker();
}

void WorkerDialog::StopWorker() {
    if (worker == nullptr) {
        return;
    }
    cancelRequested = true;
    // A question or message the work shows is a window of the work's thread. With its
    // dialog gone no one is there to answer it: it is closed, which answers No or Cancel,
    // as often as the work shows one until it stops. Meanwhile such a window sends this
    // thread messages (its owner's), which are answered for it to come and go.
    for (;;) {
        EnumThreadWindows(workerId, CloseWorkWindow, 0);
        const DWORD woken =
            MsgWaitForMultipleObjects(1, &worker, FALSE, kWorkWindowCheckInterval, QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) {
            break;
        }
        MSG sent;
        PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(worker);
    worker = nullptr;
    --FrameWindow::workHoldingFramesOpen;
}

INT_PTR WorkerDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_END_WORK) {
        EndDialog(dialog, static_cast<INT_PTR>(wParam));
        return 1;
    }
    return FullScreenDialog::DialogProc(dialog, message, wParam, lParam);
}

INT_PTR WorkerDialog::OnInitDialog(HWND dialog, UINT, WPARAM, LPARAM) {
    RECT own;
    GetWindowRect(dialog, &own);
    // A template a little wider or higher than the screen (fonts differ from the device's)
    // is made to fit it.
    const RECT screen = DeviceScreenRect();
    const int width = std::min<int>(own.right - own.left, screen.right - screen.left);
    const int height = std::min<int>(own.bottom - own.top, screen.bottom - screen.top);
    int x = screen.left + (screen.right - screen.left - width) / 2;
    int y = screen.top + (screen.bottom - screen.top - height) / 2;
    if (const HWND parent = GetParent(dialog)) {
        RECT area;
        GetWindowRect(parent, &area);
        x = area.left + (area.right - area.left - width) / 2;
        y = area.top + (area.bottom - area.top - height) / 2;
    }
    if (x + width > screen.right) {
        x = screen.right - width;
    }
    if (y + height > screen.bottom) {
        y = screen.bottom - height;
    }
    SetWindowPos(dialog, nullptr, x < screen.left ? screen.left : x,
                 y < screen.top ? screen.top : y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    worker = CreateThread(nullptr, 0, RunWorker, this, 0, &workerId);
    if (worker != nullptr) {
        ++FrameWindow::workHoldingFramesOpen;
    } else {
        // Without a thread the work is not done; the dialog must not wait for it.
        EndDialog(dialog, 0);
    }
    return 1;
}

INT_PTR WorkerDialog::OnCommand(HWND, UINT, WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) != IDCANCEL) {
        return 0;
    }
    cancelRequested = true;
    return 1;
}

INT_PTR WorkerDialog::OnPaint(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

void WorkerDialog::EndFromWorker(INT_PTR result) {
    PostMessageW(handle, WM_END_WORK, static_cast<WPARAM>(result), 0);
}

DWORD WINAPI WorkerDialog::RunWorker(void* dialog) {
    auto* self = static_cast<WorkerDialog*>(dialog);
    self->callback(self->data, *self);
    return 0;
}
