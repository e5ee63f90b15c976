#include "MessageBoxRecorder.h"

#include <mutex>

namespace {

std::mutex boxesLock;
std::vector<RecordedMessageBox> boxes;
int answer = IDOK;

int RecordBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    std::lock_guard<std::mutex> lock(boxesLock);
    boxes.push_back({owner, caption != nullptr ? caption : L"", text, type});
    return answer;
}

} // namespace

MessageBoxRecorder::MessageBoxRecorder(int answerWith) {
    answer = answerWith;
    boxes.clear();
    previous = SetMessageBoxHandler(RecordBox);
}

MessageBoxRecorder::~MessageBoxRecorder() {
    SetMessageBoxHandler(previous);
}

const std::vector<RecordedMessageBox>& MessageBoxRecorder::Boxes() const {
    return boxes;
}

std::vector<std::wstring> MessageBoxRecorder::Texts() const {
    std::vector<std::wstring> texts;
    for (const RecordedMessageBox& box : boxes) {
        texts.push_back(box.text);
    }
    return texts;
}

void MessageBoxRecorder::Clear() {
    boxes = {}; // frees the storage too, so that tests can count allocations around a call
}

void MessageBoxRecorder::Answer(int answerWith) {
    answer = answerWith;
}
