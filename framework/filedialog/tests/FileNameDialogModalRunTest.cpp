// The modal run a caller makes: the chosen path, and many runs without a leak.
#include "FileNameDialogTest.h"

// The modal run a caller makes, answered from a timer as a user would.
TEST_F(FileNameDialogTest, ChooseFileToOpenReturnsTheChosenPath) {
    folder.File(L"units.ini", 10);
    static HWND found = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND open = FindWindowW(nullptr, L"Open");
        if (open != nullptr && open != found && IsWindowVisible(open)) {
            found = open;
            SetDlgItemTextW(open, IDC_NAME_FIELD, L"units.ini");
            PostMessageW(open, WM_COMMAND, IDOK, 0);
        }
    });
    OPENFILENAMEW caller = {};
    caller.lStructSize = sizeof caller;
    caller.lpstrFilter = kIniFilter;
    caller.lpstrFile = chosen;
    caller.nMaxFile = MAX_PATH;
    const std::wstring start = folder.path;
    caller.lpstrInitialDir = start.c_str();
    caller.Flags = OFN_FILEMUSTEXIST;
    EXPECT_TRUE(ChooseFileToOpen(caller));
    KillTimer(nullptr, timer);
    EXPECT_EQ(folder.In(L"units.ini"), chosen);
}

// The dialog opened and closed many times holds no more drawing or window objects than
// after the first few.
TEST_F(FileNameDialogTest, OpeningsLeakNoObjects) {
    folder.File(L"units.ini", 10);
    folder.Folder(L"sub");
    // Each dialog shows its location menu, whose texts are measured each time, and goes.
    static HWND shown = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND open = FindWindowW(nullptr, L"Open");
        const HWND menu = FindWindowW(L"#32768", nullptr);
        if (menu != nullptr && IsWindowVisible(menu)) {
            EndMenu();
            PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
        } else if (open != nullptr && open != shown && IsWindowVisible(open)) {
            shown = open;
            PostMessageW(open, WM_COMMAND, IDC_LOCATION, 0);
        }
    });
    const std::wstring start = folder.path;
    const auto open = [&](int times) {
        for (int i = 0; i < times; ++i) {
            OPENFILENAMEW caller = {};
            caller.lStructSize = sizeof caller;
            caller.lpstrFilter = kIniFilter;
            caller.lpstrFile = chosen;
            caller.nMaxFile = MAX_PATH;
            caller.lpstrInitialDir = start.c_str();
            EXPECT_FALSE(ChooseFileToOpen(caller));
        }
        return CountGuiObjects();
    };
    const GuiObjects first = open(5);
    const GuiObjects later = open(60);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(NoMoreObjects(first, later))
        << first.gdi << " " << later.gdi << " " << first.user << " " << later.user;
}
