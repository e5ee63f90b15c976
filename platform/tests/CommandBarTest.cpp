// The simulated command bar, shortcut files and the module path as the device gives them.
#include "platform/CommandBar.h"
#include "platform/DeviceFiles.h"
#include "platform/Shortcuts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CommandBar : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 240, 320, nullptr,
                                 nullptr, nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(parent); }

    // The text the bar gives its tooltip control for a button.
    std::wstring Tooltip(HWND bar, int command) {
        NMTTDISPINFOW request = {};
        request.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(bar, TB_GETTOOLTIPS, 0, 0));
        request.hdr.idFrom = command;
        request.hdr.code = TTN_GETDISPINFOW;
        SendMessageW(bar, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
        return request.lpszText != nullptr && !IS_INTRESOURCE(request.lpszText) ? request.lpszText
                                                                                : L"";
    }

    HWND parent = nullptr;
};

TEST_F(CommandBar, ButtonsTakeImagesAndTooltipsInOrder) {
    const HWND bar = CommandBar_Create(GetModuleHandleW(nullptr), parent, 13300);
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(13300, GetDlgCtrlID(bar));
    EXPECT_EQ(0, CommandBar_AddBitmap(bar, GetModuleHandleW(nullptr), 202, 12, 16, 16));
    EXPECT_EQ(12, CommandBar_AddBitmap(bar, GetModuleHandleW(nullptr), 202, 12, 16, 16));
    EXPECT_EQ(-1, CommandBar_AddBitmap(bar, GetModuleHandleW(nullptr), 999, 12, 16, 16));

    // The tooltips are given before the buttons; separators take none.
    const wchar_t* texts[] = {L"Dir", L"Up"};
    ASSERT_TRUE(CommandBar_AddToolTips(bar, 2, texts));
    TBBUTTON buttons[3] = {};
    buttons[0] = {1, 35, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
    buttons[1] = {0, 0, 0, BTNS_SEP, {}, 0, 0};
    buttons[2] = {4, 32, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
    ASSERT_TRUE(CommandBar_AddButtons(bar, 3, buttons));
    EXPECT_EQ(L"Dir", Tooltip(bar, 35));
    EXPECT_EQ(L"Up", Tooltip(bar, 32));
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    EXPECT_GE(CommandBar_Height(bar), 16);
}

TEST(Shortcuts, TargetIsTheCommandLineAfterTheLength) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"mensurio-shortcut.lnk";
    const auto write = [&path](const char* bytes) {
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes, static_cast<DWORD>(strlen(bytes)), &written, nullptr);
        CloseHandle(file);
    };
    wchar_t target[MAX_PATH] = {};
    write("29#\"\\Windows\\pword.exe\" a.doc\r\n");
    ASSERT_TRUE(SHGetShortcutTarget(path.c_str(), target, MAX_PATH));
    EXPECT_STREQ(L"\"\\Windows\\pword.exe\" a.doc", target);
    // Cut to the buffer.
    ASSERT_TRUE(SHGetShortcutTarget(path.c_str(), target, 6));
    EXPECT_STREQ(L"\"\\Win", target);
    // Not a shortcut: no length, or no "#".
    write("\\Windows\\pword.exe");
    EXPECT_FALSE(SHGetShortcutTarget(path.c_str(), target, MAX_PATH));
    write("12 \\Windows");
    EXPECT_FALSE(SHGetShortcutTarget(path.c_str(), target, MAX_PATH));
    DeleteFileW(path.c_str());
    EXPECT_FALSE(SHGetShortcutTarget(path.c_str(), target, MAX_PATH));
}

TEST(DeviceModule, PathHasNoDriveOnTheCurrentDrive) {
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    wchar_t host[MAX_PATH];
    GetModuleFileNameW(nullptr, host, MAX_PATH);
    wchar_t device[MAX_PATH];

    const wchar_t root[] = {host[0], L':', L'\\', L'\0'};
    SetCurrentDirectoryW(root);
    ASSERT_NE(0u, DeviceModuleFileName(nullptr, device, MAX_PATH));
    EXPECT_EQ(std::wstring(host + 2), device);

    // Elsewhere the drive stays: the path must still lead to the file.
    const wchar_t other[] = {host[0] == L'C' ? L'Z' : L'C', L':', L'\\', L'\0'};
    if (SetCurrentDirectoryW(other)) {
        DeviceModuleFileName(nullptr, device, MAX_PATH);
        EXPECT_STREQ(host, device);
    }
    SetCurrentDirectoryW(saved);
}

} // namespace
