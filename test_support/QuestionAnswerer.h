// Answers the delete and replace questions that appear, in order, as a user would; also
// does what a user does meanwhile at the first question (press the progress dialog's
// Cancel, close the program) when asked to. While one exists, a timer of the
// thread that waits in the dialog looks for questions.
#pragma once

#include "Texts.h"
#include "resources/fileops_ids.h"

#include <windows.h>

#include <functional>
#include <utility>

class QuestionAnswerer {
public:
    QuestionAnswerer() {
        current = this;
        timer = SetTimer(nullptr, 0, 10, LookForQuestions);
    }
    ~QuestionAnswerer() {
        KillTimer(nullptr, timer);
        current = nullptr;
    }
    QuestionAnswerer(const QuestionAnswerer&) = delete;
    QuestionAnswerer& operator=(const QuestionAnswerer&) = delete;

    // Yes for every question past the list.
    std::vector<INT_PTR> answers;
    Texts titles;
    Texts questions;
    // Each question's All button ("" without one) and its icon.
    Texts allButtons;
    std::vector<HICON> icons;
    // What the progress dialog behind each question showed: its title and first value.
    Texts progress;
    // Where the last question, and the progress dialog behind it, were on the screen.
    RECT questionPlace = {};
    RECT progressPlace = {};
    // Runs at the first question, with the progress dialog that owns it; the question is
    // then answered unless it returns false.
    std::function<bool(HWND progress)> atFirstQuestion;
    static bool PressCancel(HWND progress) {
        SendMessageW(progress, WM_COMMAND, IDCANCEL, 0);
        return true;
    }

private:
    static BOOL CALLBACK AnswerWindow(HWND window, LPARAM) {
        QuestionAnswerer& self = *current;
        if (!IsWindowVisible(window) || !IsWindowEnabled(window) ||
            GetDlgItem(window, IDYES) == nullptr || window == self.answered) {
            return TRUE;
        }
        self.titles.push_back(TextOf(window));
        self.questions.push_back(TextOf(GetDlgItem(window, IDC_QUESTION_TEXT)));
        const HWND all = GetDlgItem(window, IDC_ALL);
        self.allButtons.push_back(all != nullptr ? TextOf(all) : L"");
        self.icons.push_back(reinterpret_cast<HICON>(
            SendDlgItemMessageW(window, IDC_QUESTION_ICON, STM_GETICON, 0, 0)));
        const HWND owner = GetWindow(window, GW_OWNER);
        GetWindowRect(window, &self.questionPlace);
        GetWindowRect(owner, &self.progressPlace);
        self.progress.push_back(TextOf(owner) + L": " + TextOf(GetDlgItem(owner, IDC_FIRST_VALUE)));
        self.answered = window;
        if (const auto atFirst = std::exchange(self.atFirstQuestion, nullptr);
            atFirst && !atFirst(owner)) {
            return FALSE;
        }
        INT_PTR answer = IDYES;
        if (!self.answers.empty()) {
            answer = self.answers.front();
            self.answers.erase(self.answers.begin());
        }
        PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(answer), 0);
        return FALSE;
    }

    static void CALLBACK LookForQuestions(HWND, UINT, UINT_PTR, DWORD) {
        if (current == nullptr) {
            return;
        }
        if (current->answered != nullptr && !IsWindow(current->answered)) {
            current->answered = nullptr;
        }
        if (current->answered == nullptr) {
            EnumWindows(AnswerWindow, 0);
        }
    }

    static inline QuestionAnswerer* current = nullptr;
    UINT_PTR timer = 0;
    HWND answered = nullptr;
};
