// Records the program's message boxes instead of showing them, and answers them.
#pragma once

#include "framework/app/MessageBoxes.h"

#include <string>
#include <vector>

struct RecordedMessageBox {
    HWND owner;
    std::wstring caption; // empty for a box without a caption of its own
    std::wstring text;
    UINT type;
};

// While one exists, every box is recorded and answered with `answer`; no window appears.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();

    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<RecordedMessageBox>& Boxes() const;
    // The texts of the recorded boxes, in order.
    std::vector<std::wstring> Texts() const;
    // Forgets the recorded boxes and frees their memory.
    void Clear();
    // Answers the boxes from now on with `answer`.
    void Answer(int answer);

private:
    MessageBoxHandler previous;
};
