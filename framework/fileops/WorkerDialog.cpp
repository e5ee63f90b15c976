#include "WorkerDialog.h"

namespace {

// Ends the dialog on its own thread, with wParam as the result.
constexpr UINT kEndWork = WM_APP + 1;

} // namespace

WorkerDialog::~WorkerDialog() {
    if (worker != nullptr) {
        WaitForSingleObject(worker, INFINITE);
        CloseHandle(worker);
    }
}

INT_PTR WorkerDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kEndWork) {
        EndDialog(dialog, static_cast<INT_PTR>(wParam));
        return 1;
    }
    return FullScreenDialog::DialogProc(dialog, message, wParam, lParam);
}

INT_PTR WorkerDialog::OnInitDialog(HWND dialog, UINT, WPARAM, LPARAM) {
    RECT own;
    GetWindowRect(dialog, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int x = (screenWidth - width) / 2;
    int y = (screenHeight - height) / 2;
    if (const HWND parent = GetParent(dialog)) {
        RECT area;
        GetWindowRect(parent, &area);
        x = area.left + (area.right - area.left - width) / 2;
        y = area.top + (area.bottom - area.top - height) / 2;
    }
    if (x + width > screenWidth) {
        x = screenWidth - width;
    }
    if (y + height > screenHeight) {
        y = screenHeight - height;
    }
    SetWindowPos(dialog, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    worker = CreateThread(nullptr, 0, RunWorker, this, 0, &workerId);
    if (worker == nullptr) {
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
    PostMessageW(handle, kEndWork, static_cast<WPARAM>(result), 0);
}

DWORD WINAPI WorkerDialog::RunWorker(void* dialog) {
    auto* self = static_cast<WorkerDialog*>(dialog);
    self->callback(self->data, *self);
    return 0;
}
