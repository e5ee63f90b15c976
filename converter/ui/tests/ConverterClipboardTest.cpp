// Copy and Paste of whole rows, from the Edit menu and by keys.
#include "ConverterWindowTest.h"

TEST_F(ConverterWindowTest, CopyAndPasteThroughTheClipboard) {
    Open(kThreeSections);
    window->SelectPage(2);
    Type(2, 2, L"12");
    SendMessageW(window->handle, WM_COMMAND, IDC_COPY, 0);
    Type(2, 0, L"");
    SendMessageW(window->handle, WM_COMMAND, IDC_PASTE, 0); // into the metre row
    EXPECT_EQ(L"12", TextOf(Page(2).edits[0]->handle));
    EXPECT_EQ(L"0.012", TextOf(Page(2).edits[1]->handle));

    // Pasted text converts from its leading number.
    Paste(2, 1, L"12abc");
    EXPECT_EQ((Texts{L"12000", L"12", L"472441", L"39370.1"}), Rows(2));

    // Without a focused row, Copy and Paste do nothing.
    SetFocus(window->tabControl.handle);
    SendMessageW(window->handle, WM_COMMAND, IDC_PASTE, 0);
    EXPECT_EQ(L"12", TextOf(Page(2).edits[1]->handle));
}

TEST_F(ConverterWindowTest, InsertKeysAndCtrlKeysCopyAndPasteWholeRows) {
    Open(kThreeSections);
    window->SelectPage(2);
    SetForegroundWindow(window->handle);
    const HWND inch = Page(2).edits[2]->handle;
    Type(2, 2, L"12");
    SendMessageW(inch, EM_SETSEL, 1, 1); // the cursor in the row, nothing selected
    for (const WORD key : {static_cast<WORD>(VK_INSERT), static_cast<WORD>('C')}) {
        SetClipboard(L"left alone");
        SendMessageW(inch, EM_SETSEL, 1, 1);
        PressKeys({VK_CONTROL, key});
        EXPECT_EQ(L"12", ClipboardText()) << key;
    }

    SetClipboard(L"3");
    SendMessageW(inch, EM_SETSEL, 1, 1);
    PressKeys({VK_SHIFT, VK_INSERT});
    EXPECT_EQ((Texts{L"0.0762", L"7.62e-05", L"3", L"0.25"}), Rows(2));
    SetClipboard(L"24");
    SendMessageW(inch, EM_SETSEL, 1, 1);
    PressKeys({VK_CONTROL, 'V'});
    EXPECT_EQ((Texts{L"0.6096", L"0.0006096", L"24", L"2"}), Rows(2));
    EXPECT_EQ(inch, GetFocus());
    EXPECT_EQ(nullptr, GetOpenClipboardWindow());
    // Shift with any other key types.
    PressKeys({VK_SHIFT, 'E'});
    EXPECT_EQ(L"E", TextOf(inch));
    // Ctrl+Q's character asks the main window to exit.
    Type(2, 2, L"\x11");
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, window->handle, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(IDC_EXIT), message.wParam);
}
