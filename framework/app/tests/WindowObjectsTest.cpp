// Window and dialog objects on real windows: binding, subclassing, exception guards,
// dialogs and scrolling.
#include "framework/app/Application.h"
#include "framework/app/Dialog.h"
#include "framework/app/FrameWindow.h"
#include "framework/app/FullScreenDialog.h"
#include "framework/app/GdiObject.h"
#include "framework/app/InputPanel.h"
#include "framework/app/MenuBars.h"
#include "framework/app/MessageLoop.h"
#include "framework/app/MessageRoutes.h"
#include "framework/app/ObjectRegistry.h"
#include "platform/MenuBar.h"
#include "platform/Screen.h"
#include "platform/ShellDialogs.h"
#include "platform/SoftInputPanel.h"
#include "test_ids.h"
#include "test_support/MessageBoxRecorder.h"
#include "test_support/MessagePump.h"
#include "test_support/TestApplication.h"
#include "test_support/Texts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr UINT kThrowMessage = WM_APP + 1;

class TestFrame : public FrameWindow {
public:
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        static constexpr MessageRoute<TestFrame, LRESULT> kRoutes[] = {
            {WM_CREATE, &TestFrame::OnCreate},
            {WM_COMMAND, &TestFrame::OnCommand},
            {WM_DESTROY, &TestFrame::OnDestroy},
            {WM_VSCROLL, &TestFrame::OnVScroll},
        };
        if (message == kThrowMessage) {
            throw std::runtime_error("handler failed");
        }
        return RouteMessage(*this, kRoutes, window, message, wParam, lParam,
                            [&] { return Window::WindowProc(window, message, wParam, lParam); });
    }
    LRESULT OnCommand(HWND, UINT, WPARAM wParam, LPARAM) override {
        commands.push_back(LOWORD(wParam));
        return 0;
    }

    std::vector<int> commands;
};

// Receives the messages of subclassed controls.
class ControlOwner : public HandleObject {
public:
    LRESULT OnControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CHAR) {
            typed += static_cast<wchar_t>(wParam);
            if (wParam == L'!') {
                throw std::runtime_error("refused");
            }
        }
        return control->CallOldProc(window, message, wParam, lParam);
    }

    Window* control = nullptr;
    std::wstring typed;
};

class WindowObjects : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitTestApplication(); }

    void SetUp() override {
        ASSERT_TRUE(
            frame.Create(0, 0, 240, 320, WS_OVERLAPPEDWINDOW | WS_VSCROLL, 0, COLOR_WINDOW));
        recorder.Clear(); // the test program has no icon 100
    }

    void TearDown() override {
        DestroyWindow(frame.handle);
        PumpMessages();
    }

    HWND CreateEdit() {
        return CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, frame.handle,
                               nullptr, Application::instance, nullptr);
    }

    MessageBoxRecorder recorder;
    TestFrame frame;
};

TEST_F(WindowObjects, FrameIsBoundOnCreateAndUnboundOnDestroy) {
    EXPECT_TRUE(frame.owned);
    EXPECT_EQ(&frame, WindowRegistry().Find(frame.handle));
    SendMessageW(frame.handle, WM_COMMAND, 40101, 0);
    EXPECT_EQ(std::vector<int>{40101}, frame.commands);

    const HWND handle = frame.handle;
    DestroyWindow(handle);
    EXPECT_EQ(nullptr, WindowRegistry().Find(handle));
    EXPECT_EQ(handle, frame.handle); // keeps its last value
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, quit.wParam);
}

TEST_F(WindowObjects, MissingProgramIconIsReportedAndCreationGoesOn) {
    TestFrame second;
    EXPECT_TRUE(second.Create(0, 0, 100, 100, WS_OVERLAPPEDWINDOW, 0, COLOR_WINDOW));
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(L"RT_GROUP_ICON[100]", recorder.Boxes()[0].text);
    EXPECT_EQ(L"Fatal", recorder.Boxes()[0].caption);
}

// The loop translates the program's accelerators; a program without them is told so and its
// loop runs all the same.
TEST_F(WindowObjects, MessageLoopTranslatesAcceleratorsOrReportsThemMissing) {
    PostMessageW(frame.handle, WM_KEYDOWN, VK_F1, 0x003B0001);
    PostQuitMessage(6);
    EXPECT_EQ(6, RunMessageLoop(frame, false));
    EXPECT_TRUE(recorder.Boxes().empty());
    EXPECT_EQ(std::vector<int>{40103}, frame.commands);

    frame.commands.clear();
    const HINSTANCE program = Application::instance;
    Application::instance = GetModuleHandleW(L"kernel32.dll"); // a module without them
    PostMessageW(frame.handle, WM_COMMAND, 40102, 0);
    PostQuitMessage(7);
    EXPECT_EQ(7, RunMessageLoop(frame, false));
    Application::instance = program;
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(L"IDR_ACCELERATOR_MAIN", recorder.Boxes()[0].text);
    EXPECT_EQ(std::vector<int>{40102}, frame.commands);
}

TEST_F(WindowObjects, ExceptionInAFrameHandlerIsReportedAndTheProgramGoesOn) {
    EXPECT_EQ(0, SendMessageW(frame.handle, kThrowMessage, 0, 0));
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ(L"WndProc", recorder.Boxes()[0].text);
    EXPECT_EQ(frame.handle, recorder.Boxes()[0].owner);
    SendMessageW(frame.handle, WM_COMMAND, 7, 0);
    EXPECT_EQ(std::vector<int>{7}, frame.commands);
}

TEST_F(WindowObjects, SubclassedControlReachesItsOwner) {
    Window edit(CreateEdit());
    ControlOwner owner;
    owner.control = &edit;
    const LONG_PTR original = GetWindowLongPtrW(edit.handle, GWLP_WNDPROC);
    edit.Subclass(&owner, &ControlOwner::OnControlMessage);
    EXPECT_NE(original, GetWindowLongPtrW(edit.handle, GWLP_WNDPROC));

    // A second Subclass changes nothing, not even the owner.
    ControlOwner other;
    edit.Subclass(&other, &ControlOwner::OnControlMessage);
    EXPECT_EQ(&owner, edit.owner);

    SendMessageW(edit.handle, WM_CHAR, L'4', 1);
    SendMessageW(edit.handle, WM_CHAR, L'2', 1);
    EXPECT_EQ(L"42", owner.typed);
    EXPECT_EQ(L"42", TextOf(edit.handle));

    // A throwing handler: the box names the subclass procedure, the control lives on.
    EXPECT_EQ(0, SendMessageW(edit.handle, WM_CHAR, L'!', 1));
    EXPECT_EQ((std::vector<std::wstring>{L"WndSub"}), recorder.Texts());
    SendMessageW(edit.handle, WM_CHAR, L'0', 1);
    EXPECT_EQ(L"420", TextOf(edit.handle));

    edit.Unsubclass();
    EXPECT_EQ(original, GetWindowLongPtrW(edit.handle, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, WindowRegistry().Find(edit.handle));
    EXPECT_EQ(nullptr, edit.owner);
}

TEST_F(WindowObjects, SubclassedControlWithoutOwnerBehavesAsBefore) {
    const HWND handle = CreateEdit();
    const LONG_PTR original = GetWindowLongPtrW(handle, GWLP_WNDPROC);
    {
        Window edit(handle);
        edit.Subclass();
        SetWindowTextW(handle, L"unchanged");
        EXPECT_EQ(L"unchanged", TextOf(handle));
    }
    // The object's end restored the procedure; the adopted window itself lives on.
    EXPECT_TRUE(IsWindow(handle));
    EXPECT_EQ(original, GetWindowLongPtrW(handle, GWLP_WNDPROC));
}

// A subclassed control that dies before its object leaves no entry behind for a later
// window of the same handle to find; an object whose window runs another procedure by the
// time it lets go, as a later window of its handle would, leaves that procedure alone.
TEST_F(WindowObjects, SubclassedControlsThatDieFirstLeaveNothingBehind) {
    ControlOwner owner;
    Window edit(CreateEdit());
    owner.control = &edit;
    edit.Subclass(&owner, &ControlOwner::OnControlMessage);
    Window alsoBound(edit.handle); // a second object on it, found after the first
    alsoBound.Subclass();
    const HWND dead = edit.handle;
    DestroyWindow(dead);
    EXPECT_EQ(nullptr, WindowRegistry().Find(dead));
    EXPECT_EQ(nullptr, edit.oldProc);
    EXPECT_EQ(nullptr, alsoBound.oldProc);

    Window other(CreateEdit());
    owner.control = &other;
    other.Subclass(&owner, &ControlOwner::OnControlMessage);
    const auto own = reinterpret_cast<LONG_PTR>(DefWindowProcW);
    SetWindowLongPtrW(other.handle, GWLP_WNDPROC, own);
    other.Unsubclass();
    EXPECT_EQ(own, GetWindowLongPtrW(other.handle, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, WindowRegistry().Find(other.handle));
    DestroyWindow(other.handle);
}

TEST_F(WindowObjects, TwoObjectsWithOneHandleFindTheEarlier) {
    const HWND handle = CreateEdit();
    Window first(handle);
    Window second(handle);
    first.Subclass();
    second.Subclass(); // its previous procedure is the framework's own
    EXPECT_EQ(&first, WindowRegistry().Find(handle));
    second.Unsubclass();
    first.Unsubclass();
}

TEST_F(WindowObjects, ModifyStyleRemovesThenAdds) {
    Window edit(CreateEdit());
    edit.ModifyStyle(WS_VISIBLE, ES_NUMBER | ES_CENTER);
    const LONG_PTR style = GetWindowLongPtrW(edit.handle, GWL_STYLE);
    EXPECT_FALSE(style & WS_VISIBLE);
    EXPECT_TRUE(style & ES_NUMBER);
    EXPECT_TRUE(style & WS_CHILD);
}

TEST_F(WindowObjects, ScrollStopsAtTheLimits) {
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0, 0};
    SetScrollInfo(frame.handle, SB_VERT, &info, TRUE);
    EXPECT_EQ(0, frame.Scroll(SB_VERT, SB_LINEUP));
    EXPECT_EQ(-1, frame.Scroll(SB_VERT, SB_LINEDOWN));
    EXPECT_EQ(-10, frame.Scroll(SB_VERT, SB_PAGEDOWN));
    // The bottom is clamped to the last full page: 100 - 10 + 1.
    EXPECT_EQ(11 - 91, frame.Scroll(SB_VERT, SB_BOTTOM));
    EXPECT_EQ(0, frame.Scroll(SB_VERT, SB_LINEDOWN));
    EXPECT_EQ(0, frame.Scroll(SB_VERT, SB_ENDSCROLL));
    EXPECT_EQ(91, frame.Scroll(SB_VERT, SB_TOP));

    SendMessageW(frame.handle, WM_VSCROLL, SB_PAGEDOWN, 0);
    info.fMask = SIF_POS;
    GetScrollInfo(frame.handle, SB_VERT, &info);
    EXPECT_EQ(10, info.nPos);
}

class TestDialog : public Dialog {
public:
    INT_PTR OnInitDialog(HWND dialog, UINT, WPARAM, LPARAM) override {
        initialised = true;
        if (endAtOnce) {
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        }
        return 1;
    }
    INT_PTR OnCommand(HWND dialog, UINT, WPARAM wParam, LPARAM) override {
        if (LOWORD(wParam) == 999) {
            throw std::runtime_error("command failed");
        }
        if (LOWORD(wParam) == IDOK && endAtOnce) {
            EndDialog(dialog, 42);
        }
        return 1;
    }

    bool endAtOnce = false;
    bool initialised = false;
};

TEST_F(WindowObjects, ModalDialogReturnsItsEndResult) {
    TestDialog dialog;
    dialog.endAtOnce = true;
    EXPECT_EQ(42, dialog.DoModal(frame.handle, L"TestDialog_E"));
    EXPECT_TRUE(dialog.initialised);
    EXPECT_FALSE(dialog.owned);
    EXPECT_EQ(nullptr, DialogRegistry().Find(dialog.handle));
}

TEST_F(WindowObjects, MissingTemplateIsReportedAndNothingIsCreated) {
    TestDialog dialog;
    EXPECT_EQ(nullptr, dialog.Create(frame.handle, L"NoSuchDialog_E"));
    EXPECT_EQ(-1, dialog.DoModal(frame.handle, L"NoSuchDialog_J"));
    EXPECT_EQ((std::vector<std::wstring>{L"DIALOG[NoSuchDialog_E]", L"DIALOG[NoSuchDialog_J]"}),
              recorder.Texts());
    EXPECT_EQ(frame.handle, recorder.Boxes()[0].owner);
}

TEST_F(WindowObjects, ModelessDialogNavigatesThroughTheDialogPass) {
    TestDialog dialog;
    ASSERT_NE(nullptr, dialog.Create(frame.handle, L"TestDialog_E"));
    EXPECT_TRUE(dialog.owned);
    EXPECT_EQ(&dialog, DialogRegistry().Find(dialog.handle));
    ShowWindow(dialog.handle, SW_SHOW);
    SetForegroundWindow(dialog.handle);
    const HWND first = GetDlgItem(dialog.handle, 101);
    SetFocus(first);
    PostMessageW(first, WM_KEYDOWN, VK_TAB, 0);
    PumpMessages();
    EXPECT_EQ(GetDlgItem(dialog.handle, 102), GetFocus());

    // A throwing dialog handler: reported, the dialog stays.
    EXPECT_EQ(0, SendMessageW(dialog.handle, WM_COMMAND, 999, 0));
    EXPECT_EQ((std::vector<std::wstring>{L"DlgProc"}), recorder.Texts());
    EXPECT_TRUE(IsWindow(dialog.handle));
}

// Objects that go while their windows exist: each takes its window with it, and the
// registries hold what they held before.
TEST_F(WindowObjects, ObjectsLeaveTheRegistriesWithTheirWindows) {
    const size_t windows = WindowRegistry().Size();
    const size_t dialogs = DialogRegistry().Size();
    HWND frameWindow = nullptr;
    HWND dialogWindow = nullptr;
    {
        TestFrame other;
        ASSERT_TRUE(other.Create(0, 0, 240, 320, WS_OVERLAPPEDWINDOW, 0, COLOR_WINDOW));
        frameWindow = other.handle;
        Window control(CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 9, 9, other.handle, nullptr,
                                       Application::instance, nullptr));
        control.Subclass();
        TestDialog dialog;
        ASSERT_NE(nullptr, dialog.Create(other.handle, L"TestDialog_E"));
        dialogWindow = dialog.handle;
        EXPECT_EQ(windows + 2, WindowRegistry().Size());
        EXPECT_EQ(dialogs + 1, DialogRegistry().Size());
    }
    PumpMessages();
    EXPECT_FALSE(IsWindow(frameWindow));
    EXPECT_FALSE(IsWindow(dialogWindow));
    EXPECT_EQ(windows, WindowRegistry().Size());
    EXPECT_EQ(dialogs, DialogRegistry().Size());
}

TEST(ObjectRegistry, LookupsNeverSeeAHalfChangedList) {
    struct Entry {
        HWND handle;
    };
    ObjectRegistry<Entry> registry;
    Entry stable{reinterpret_cast<HWND>(1)};
    registry.Add(&stable);
    std::vector<Entry> churn(64);
    for (size_t i = 0; i < churn.size(); ++i) {
        churn[i].handle = reinterpret_cast<HWND>(100 + i);
    }

    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int round = 0; round < 2000; ++round) {
            for (Entry& entry : churn) {
                registry.Add(&entry);
            }
            for (Entry& entry : churn) {
                registry.Remove(&entry);
            }
        }
        done = true;
    });
    long long lookups = 0;
    while (!done) {
        ASSERT_EQ(&stable, registry.Find(reinterpret_cast<HWND>(1)));
        const std::vector<HWND> handles = registry.Handles();
        ASSERT_FALSE(handles.empty());
        ASSERT_EQ(reinterpret_cast<HWND>(1), handles.front());
        ++lookups;
    }
    worker.join();
    EXPECT_EQ(1u, registry.Size());
    EXPECT_GT(lookups, 0);
}

TEST_F(WindowObjects, LayoutLeavesRoomForMenuBarInputPanelAndBars) {
    RECT client;
    GetClientRect(frame.handle, &client);
    RECT layout;
    ASSERT_TRUE(frame.GetLayoutRect(layout, true, false));
    EXPECT_EQ(client.bottom - ScaleY(26), layout.bottom);

    ASSERT_TRUE(ShowSip());
    const int sipHeight = GetSipHeight();
    EXPECT_GT(sipHeight, 0);
    frame.GetLayoutRect(layout, true, false);
    EXPECT_EQ(client.bottom - ScaleY(26) - sipHeight, layout.bottom);
    frame.GetLayoutRect(layout, false, false);
    EXPECT_EQ(client.bottom - ScaleY(26), layout.bottom);

    SIPINFO info = {};
    info.cbSize = sizeof info;
    SipGetInfo(&info);
    info.fdwFlags &= ~SIPF_ON;
    SipSetInfo(&info);
    EXPECT_EQ(0, GetSipHeight());

    // A lower bar is stacked above the menu bar and moved there.
    frame.lowerBar.handle = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 50, 12, frame.handle,
                                            nullptr, Application::instance, nullptr);
    frame.lowerBar.owned = TRUE;
    frame.GetLayoutRect(layout, true, true);
    EXPECT_EQ(client.bottom - ScaleY(26) - 12, layout.bottom);
    RECT bar;
    GetWindowRect(frame.lowerBar.handle, &bar);
    MapWindowPoints(nullptr, frame.handle, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(layout.bottom, bar.top);
}

// Counts the menu bar's buttons and reads its tooltips.
struct BarContents {
    int buttons = 0;
    std::vector<std::wstring> tooltips;
};

BarContents ReadBar(HWND bar) {
    BarContents contents;
    contents.buttons = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    SendMessageW(bar, WM_MOUSEMOVE, 0, 0);
    const auto tooltip = reinterpret_cast<HWND>(SendMessageW(bar, TB_GETTOOLTIPS, 0, 0));
    const int tools = tooltip ? static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0)) : 0;
    for (int index = 0; index < tools; ++index) {
        wchar_t text[64] = {};
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        SendMessageW(tooltip, TTM_ENUMTOOLSW, index, reinterpret_cast<LPARAM>(&tool));
        if (tool.hwnd == bar) {
            contents.tooltips.push_back(text);
        }
    }
    return contents;
}

class TestFullScreen : public FullScreenDialog {
public:
    INT_PTR OnInitDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override {
        FullScreenDialog::OnInitDialog(dialog, message, wParam, lParam);
        GetWindowRect(dialog, &placed);
        bar = FindWindowExW(dialog, nullptr, kMenuBarClassName, nullptr);
        contents = ReadBar(bar);
        for (WPARAM command : pending) {
            PostMessageW(dialog, WM_COMMAND, command, 0);
        }
        return 1;
    }
    INT_PTR OnCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override {
        const INT_PTR handled = FullScreenDialog::OnCommand(dialog, message, wParam, lParam);
        if (lParam == 0) { // the posted commands, not the edit control's notifications
            results.push_back(handled);
        }
        return handled;
    }

    std::vector<WPARAM> pending;
    std::vector<INT_PTR> results;
    RECT placed = {};
    HWND bar = nullptr;
    BarContents contents;
};

TEST_F(WindowObjects, FullScreenDialogEndsOnlyForCommandsOneToTwenty) {
    TestFullScreen dialog;
    dialog.pending = {0, 21, MAKEWPARAM(20, BN_CLICKED)};
    EXPECT_EQ(static_cast<INT_PTR>(MAKEWPARAM(20, BN_CLICKED)),
              dialog.DoModal(frame.handle, L"TestFullScreen_E"));
    EXPECT_EQ((std::vector<INT_PTR>{0, 0, 1}), dialog.results);

    // Full screen, with the Cancel and OK buttons on its menu bar.
    const RECT screen = DeviceScreenRect();
    EXPECT_EQ(screen.right - screen.left, dialog.placed.right - dialog.placed.left);
    EXPECT_EQ(screen.bottom - screen.top, dialog.placed.bottom - dialog.placed.top);
    ASSERT_NE(nullptr, dialog.bar);
    EXPECT_EQ(2, dialog.contents.buttons);
    // Then the input panel's button, which every menu bar has.
    EXPECT_EQ((std::vector<std::wstring>{L"Cancel", L"OK", L"Input Panel"}),
              dialog.contents.tooltips);
}

TEST_F(WindowObjects, FullScreenDialogDoneButtonAnswersOk) {
    TestFullScreen dialog;
    dialog.pending = {};
    SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        const HWND open = FindWindowW(nullptr, L"Full Screen Title");
        PostMessageW(open, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(IDOK, LOWORD(dialog.DoModal(frame.handle, L"TestFullScreen_E")));
}

TEST_F(WindowObjects, JapaneseDialogBarTooltips) {
    Application::japanese = TRUE;
    TestFullScreen dialog;
    dialog.pending = {IDCANCEL};
    EXPECT_EQ(IDCANCEL, dialog.DoModal(frame.handle, L"TestFullScreen_E"));
    Application::japanese = FALSE;
    // The input panel's button is the shell's, in the device's language.
    EXPECT_EQ((std::vector<std::wstring>{L"ｷｬﾝｾﾙ", L"OK", L"Input Panel"}),
              dialog.contents.tooltips);
}

TEST_F(WindowObjects, FrameMenuBarKeepsItsMenu) {
    ASSERT_TRUE(frame.CreateMenuBar(IDM_TEST_MENU));
    EXPECT_NE(nullptr, frame.menuBar.handle);
    EXPECT_FALSE(frame.menuBar.owned);
    ASSERT_NE(nullptr, frame.menu.handle);
    EXPECT_EQ(UINT{IDC_TEST_EXIT}, GetMenuItemID(GetSubMenu(frame.menu.handle, 0), 0));
    EXPECT_FALSE(frame.CreateMenuBar(999));
}

TEST_F(WindowObjects, ControlClassesIncludeTheInputPanelPreference) {
    EXPECT_TRUE(InitControlClasses(0xFF));
    WNDCLASSW preference;
    EXPECT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), WC_SIPPREF, &preference));
}

TEST_F(WindowObjects, DefaultPlacedFrameFillsTheDeviceScreen) {
    TestFrame device;
    ASSERT_TRUE(device.Create(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              WS_VISIBLE | WS_CLIPCHILDREN, 0, COLOR_WINDOW));
    RECT placed;
    GetWindowRect(device.handle, &placed);
    const RECT screen = DeviceScreenRect();
    EXPECT_TRUE(EqualRect(&screen, &placed));
}

TEST_F(WindowObjects, InputPanelFollowsTheFocusInADialogWithSipPreference) {
    ASSERT_TRUE(InitControlClasses(0xFF));
    TestDialog dialog;
    ASSERT_NE(nullptr, dialog.Create(frame.handle, L"TestSipPref_E"));
    ShowWindow(dialog.handle, SW_SHOW);
    PumpMessages(); // the preference control hooks the edit controls once they all exist
    // On a device's screen; where a keyboard is at hand, the panel stays as the user set it.
    SetFocus(GetDlgItem(dialog.handle, 101));
    EXPECT_EQ(!IsDesktopScreen(), GetSipHeight() > 0);
    ShowSip();
    SetFocus(GetDlgItem(dialog.handle, 102));
    EXPECT_EQ(IsDesktopScreen(), GetSipHeight() > 0);
    SetFocus(GetDlgItem(dialog.handle, 101));
    EXPECT_GT(GetSipHeight(), 0);
    // A full-screen dialog that asks for it lowers the panel wherever it is.
    InitFullScreenDialog(dialog.handle, SHIDIF_SIPDOWN);
    EXPECT_EQ(0, GetSipHeight());
}

TEST_F(WindowObjects, FrameGivesTheFocusBackOnActivation) {
    const HWND edit = CreateEdit();
    SetFocus(edit);
    frame.OnActivate(frame.handle, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(edit, frame.savedFocus);
    SetFocus(frame.handle);
    frame.OnActivate(frame.handle, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(edit, GetFocus());
}

TEST_F(WindowObjects, FontsTakeTheLanguagesCharacterSet) {
    LOGFONTW description = {};
    {
        Font english(-ScaleY(9), 600, VARIABLE_PITCH | FF_SWISS);
        ASSERT_TRUE(english.owned);
        GetObjectW(english.handle, sizeof description, &description);
        EXPECT_EQ(DEFAULT_CHARSET, description.lfCharSet);
        EXPECT_EQ(600, description.lfWeight);
        EXPECT_EQ(-9, description.lfHeight);
    }
    HGDIOBJ handle = nullptr;
    {
        Application::japanese = TRUE;
        Font japanese(-12, 0, 0);
        Application::japanese = FALSE;
        GetObjectW(japanese.handle, sizeof description, &description);
        EXPECT_EQ(SHIFTJIS_CHARSET, description.lfCharSet);
        handle = japanese.handle;
    }
    EXPECT_EQ(0u, GetObjectType(handle)); // deleted with its owner
}

} // namespace
