// The real program under the device's settings: the language toggle, the screen's resolution
// and the faces the system has.
#include "EndToEnd.h"

namespace {

// The prefix's Tahoma moved out of its fonts folder, where the system would find it under
// any name, while the object lives: a program started meanwhile draws in whatever face the
// system gives in its place.
class WithoutTahoma {
public:
    WithoutTahoma() {
        wchar_t windows[MAX_PATH] = {};
        GetWindowsDirectoryW(windows, MAX_PATH);
        wchar_t temporary[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temporary);
        for (const wchar_t* file : {L"tahoma.ttf", L"tahomabd.ttf"}) {
            const std::wstring font = std::wstring(windows) + L"\\Fonts\\" + file;
            const std::wstring aside = std::wstring(temporary) + L"mensurio-aside-" + file;
            // A run killed while the face was away left it aside: it comes back first.
            MoveFileExW(aside.c_str(), font.c_str(), 0);
            if (MoveFileExW(font.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) {
                moved.emplace_back(font, aside);
            }
        }
    }
    bool Moved() const { return !moved.empty(); }
    ~WithoutTahoma() {
        for (const auto& [font, aside] : moved) {
            MoveFileExW(aside.c_str(), font.c_str(), MOVEFILE_REPLACE_EXISTING);
        }
    }
    WithoutTahoma(const WithoutTahoma&) = delete;
    WithoutTahoma& operator=(const WithoutTahoma&) = delete;

private:
    std::vector<std::pair<std::wstring, std::wstring>> moved;
};

RECT ScreenRect(HWND window, bool client = false) {
    RECT rect = {};
    if (client) {
        GetClientRect(window, &rect);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    } else {
        GetWindowRect(window, &rect);
    }
    return rect;
}

::testing::AssertionResult Inside(const RECT& outer, HWND window) {
    const RECT inner = ScreenRect(window);
    if (inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
        inner.bottom <= outer.bottom) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "'" << TextOf(window) << "' (" << inner.left << ", " << inner.top << ", "
           << inner.right << ", " << inner.bottom << ") reaches past (" << outer.left << ", "
           << outer.top << ", " << outer.right << ", " << outer.bottom << ")";
}

TEST_F(EndToEnd, LangToggleInvertsTheDevicesLanguage) {
    const wchar_t* own = japanese ? L"温度" : L"Temp";
    const wchar_t* other = japanese ? L"Temp" : L"温度";
    EXPECT_EQ(own, Program().TabTexts().at(0));
    SetLangToggle(1);
    EXPECT_EQ(other, Program().TabTexts().at(0));
    SetLangToggle(0);
    EXPECT_EQ(own, Program().TabTexts().at(0));
}

TEST_F(EndToEnd, HighResolutionUsesTheLargeButtonImages) {
    if (japanese) {
        GTEST_SKIP() << "English run only";
    }
    RECT button = Program().FirstButton();
    EXPECT_EQ(16 + 10, button.right - button.left); // IDB_PAGE_BUTTONS at 96 DPI
    // A device is of high resolution from 130 DPI.
    SetDpi(129);
    button = Program().FirstButton();
    EXPECT_EQ(16 + 13, button.right - button.left); // the small images, 10 pixels scaled
    SetDpi(130);
    button = Program().FirstButton();
    EXPECT_EQ(32 + 14, button.right - button.left);
    SetDpi(192);
    button = Program().FirstButton();
    EXPECT_EQ(32 + 20, button.right - button.left); // IDB_PAGE_BUTTONS_HIRES at 192 DPI
}

// Each screen is whole when it is first painted, at both resolutions and with whatever face
// the system gives: at 96 DPI where the system has no Tahoma, the tab strip's two scroll
// arrows once the first file is chosen; then at both, the About box's frame, pages and
// controls within the screen and the memory page's labels uncut.
TEST_F(EndToEnd, ScreensAreWholeAtTheirFirstPaint) {
    const auto expectAboutBoxWhole = [&](const Program& program, LONG scale) {
        const RECT screen = ScreenRect(program.window);
        program.Post(IDC_ABOUT);
        const std::wstring caption = Shown(L"About...", L"ﾊﾞｰｼﾞｮﾝ情報...");
        HWND about = nullptr;
        ASSERT_TRUE(
            WaitFor([&] { return (about = FindWindowW(nullptr, caption.c_str())) != nullptr; }));
        const HWND tabs = reinterpret_cast<HWND>(SendMessageW(about, PSM_GETTABCONTROL, 0, 0));
        EXPECT_TRUE(Inside(screen, about));
        EXPECT_TRUE(Inside(ScreenRect(about, true), tabs));
        for (int index = 0; index < 2; ++index) {
            SendMessageW(about, PSM_SETCURSEL, index, 0);
            const HWND page =
                reinterpret_cast<HWND>(SendMessageW(about, PSM_GETCURRENTPAGEHWND, 0, 0));
            EXPECT_TRUE(Inside(ScreenRect(tabs), page));
            for (HWND control = GetWindow(page, GW_CHILD); control != nullptr;
                 control = GetWindow(control, GW_HWNDNEXT)) {
                EXPECT_TRUE(Inside(ScreenRect(page, true), control));
            }
        }
        // The memory page's labels, "Rest of program memory" above "Rest of data memory", are
        // each left-aligned in their place: one cut by its place reaches the place's end.
        const RECT page = ScreenRect(
            reinterpret_cast<HWND>(SendMessageW(about, PSM_GETCURRENTPAGEHWND, 0, 0)), true);
        const auto label = [&](LONG y, LONG left) {
            return RECT{page.left + scale * left, page.top + scale * y, page.left + scale * 204,
                        page.top + scale * (y + 14)};
        };
        const auto labelInk = [](int red, int green, int blue) {
            return blue >= 100 && red < 80 && green < 80;
        };
        EXPECT_TRUE(WaitFor([&] { return ScreenShows(label(52, 44), labelInk); }));
        for (const LONG y : {4, 52}) {
            EXPECT_TRUE(ScreenShows(label(y, 44), labelInk)) << "no label at " << y;
            EXPECT_FALSE(ScreenShows(label(y, 203), labelInk)) << "label at " << y << " cut";
        }
        PostMessageW(about, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
    };

    {
        const WithoutTahoma faces;
        ASSERT_TRUE(faces.Moved()) << "the prefix has no Tahoma to take away";
        ASSERT_TRUE(ForgetDefinitionFile());
        Program program;
        ASSERT_NE(nullptr, program.window);
        const FileDialog dialog(program);
        dialog.TypeName(L"units");
        // Off the screen before it goes, so that its going repaints nothing beneath it, as
        // where each window is a window of the host's (the package): the strip shows only
        // what the program paints of it. Nothing else reaches the strip before it is seen.
        ShowWindow(dialog.handle, SW_HIDE);
        dialog.Post(IDOK);
        ASSERT_TRUE(dialog.WaitUntilClosed());
        HWND arrows = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            return (arrows = FindWindowExW(program.Tabs(), nullptr, UPDOWN_CLASSW, nullptr)) !=
                   nullptr;
        }));
        // Each half of the arrows' place shows its arrow, a grey darker than the edges.
        const RECT both = ScreenRect(arrows);
        const LONG width = both.right - both.left;
        const LONG height = both.bottom - both.top;
        const auto arrow = [&](LONG left) {
            return RECT{left + width / 8, both.top + height / 4, left + width * 3 / 8,
                        both.bottom - height / 4};
        };
        const auto arrowInk = [](int red, int green, int blue) {
            return std::max({red, green, blue}) < 150;
        };
        EXPECT_TRUE(WaitFor([&] {
            return ScreenShows(arrow(both.left), arrowInk) &&
                   ScreenShows(arrow(both.left + width / 2), arrowInk);
        })) << "the tab strip's scroll arrows are not both drawn";
        expectAboutBoxWhole(program, 1);
    }
    SetDpi(192);
    const Program program;
    ASSERT_NE(nullptr, program.window);
    expectAboutBoxWhole(program, 2);
}

} // namespace
