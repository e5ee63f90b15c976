#include "RealInput.h"

#include "MessagePump.h"

#include <vector>

namespace {

// Absolute pointer coordinates span 0 to 65535 over the virtual screen; rounded up, so
// that they land on the pixel meant rather than the one before it.
LONG Normalized(LONG value, int origin, int extent) {
    return static_cast<LONG>((static_cast<LONGLONG>(value - origin) * 65536 + extent - 1) / extent);
}

// Handles messages until the input is through the queue.
void HandleInput(std::vector<INPUT>& inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    for (int wait = 0; wait < 50; ++wait) {
        PumpMessages();
        if (GetQueueStatus(QS_ALLINPUT) == 0) {
            break;
        }
        Sleep(5);
    }
    PumpMessages();
}

} // namespace

void TapAt(POINT screen) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    std::vector<INPUT> inputs(2);
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = Normalized(screen.x, left, width);
        input.mi.dy = Normalized(screen.y, top, height);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    }
    inputs[0].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    HandleInput(inputs);
}

void TapOn(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    TapAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (const WORD key : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    HandleInput(inputs);
}
