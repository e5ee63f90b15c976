// A small modal dialog that runs a piece of work on a thread of its own, so that it stays
// responsive to Cancel meanwhile. Only the work ends the dialog; Cancel merely asks it to
// stop at its next check. While the work runs, a request to close the program is refused;
// a dialog that goes for any other reason (the quit message, its owner destroyed) cancels
// the work, and RunModal returns only once the work has stopped.
#pragma once

#include "framework/app/FullScreenDialog.h"

#include <atomic>

class WorkerDialog : public FullScreenDialog {
public:
    using Work = void (*)(void* data, WorkerDialog& dialog);

    WorkerDialog(Work callback, void* data) : callback(callback), data(data) {}
    ~WorkerDialog() override;

    // Runs the dialog modally over `parent` and waits for the work to stop; returns the
    // dialog's result, as DoModal does.
    INT_PTR RunModal(HWND parent, const wchar_t* templateName);

    INT_PTR DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Centres the dialog over its parent (or the device's screen) and starts the worker.
    INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Cancel sets cancelRequested; the dialog stays open.
    INT_PTR OnCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    // The platform paints the dialog: no title strip.
    INT_PTR OnPaint(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Called by the work, from its thread, as its last action.
    void EndFromWorker(INT_PTR result);

    std::atomic<bool> cancelRequested{false};

private:
    static DWORD WINAPI RunWorker(void* dialog);
    // Asks the work to stop and waits for it, answering the messages its questions send to
    // this thread meanwhile.
    void StopWorker();

    Work callback;
    void* data;
    HANDLE worker = nullptr;
    DWORD workerId = 0;
};
