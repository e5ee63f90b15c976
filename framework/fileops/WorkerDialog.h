// A small modal dialog that runs a piece of work on a thread of its own, so that it stays
// responsive to Cancel meanwhile. Only the work ends the dialog; Cancel merely asks it to
// stop at its next check. While the work runs, a request to close the program is refused.
// A dialog that goes before its work ended (the quit message, its owner destroyed) cancels
// the work when its object goes: a derived class whose members the work uses calls
// StopWorker in its own destructor, before they are gone.
#pragma once

#include "framework/app/FullScreenDialog.h"

#include <atomic>

class WorkerDialog : public FullScreenDialog {
public:
    using Work = void (*)(void* data, WorkerDialog& dialog);

    WorkerDialog(Work callback, void* data) : callback(callback), data(data) {}
    ~WorkerDialog() override;

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

protected:
    // Asks the work to stop and waits for it, closing what it shows and answering the
    // messages its windows send to this thread meanwhile. Nothing when no work runs.
    void StopWorker();

private:
    static DWORD WINAPI RunWorker(void* dialog);

    Work callback;
    void* data;
    HANDLE worker = nullptr;
    DWORD workerId = 0;
};
