#include "MenuBar.h"

#include "DeviceWindows.h"
#include "ImageStrip.h"
#include "Screen.h"
#include "SoftInputPanel.h"

#include <string>
#include <vector>

namespace {

// The tooltip tool of the input panel's button; the bar's own buttons count from 1.
constexpr UINT_PTR kSipButtonTool = 0xFFFF;

struct MenuBarState {
    HWND parent = nullptr;
    HMENU menu = nullptr; // loaded for an SHCMBF_HMENU bar; destroyed with the bar
    HIMAGELIST images = nullptr;
    std::vector<TBBUTTON> buttons;
    std::vector<std::wstring> tooltips;
    HWND tooltip = nullptr;
    int pressed = -1; // the item drawn pressed while its menu is open
    bool sipButton = true;
};

MenuBarState* StateOf(HWND bar) {
    return reinterpret_cast<MenuBarState*>(GetWindowLongPtrW(bar, GWLP_USERDATA));
}

bool IsSeparator(const TBBUTTON& button) {
    return (button.fsStyle & BTNS_SEP) != 0;
}

// The place of the button that sends `command` among the bar's buttons, separators counted
// but never found; -1 for none.
int ButtonIndex(const MenuBarState& state, WPARAM command) {
    for (size_t index = 0; index < state.buttons.size(); ++index) {
        const TBBUTTON& button = state.buttons[index];
        if (!IsSeparator(button) && button.idCommand == static_cast<int>(command)) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

int MenuTitleCount(const MenuBarState& state) {
    return state.menu != nullptr ? GetMenuItemCount(state.menu) : 0;
}

std::wstring MenuTitle(const MenuBarState& state, int index) {
    wchar_t text[64] = {};
    GetMenuStringW(state.menu, index, text, 64, MF_BYPOSITION);
    return text;
}

// The rectangles of the menu titles, then of the buttons, left to right.
std::vector<RECT> ItemRects(HWND bar, const MenuBarState& state) {
    RECT client;
    GetClientRect(bar, &client);
    std::vector<RECT> rects;
    const HDC dc = GetDC(bar);
    const HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    int x = 0;
    for (int index = 0; index < MenuTitleCount(state); ++index) {
        const std::wstring title = MenuTitle(state, index);
        SIZE size = {};
        GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(title.size()), &size);
        rects.push_back({x, 0, x + size.cx + ScaleToScreen(12), client.bottom});
        x = rects.back().right;
    }
    SelectObject(dc, oldFont);
    ReleaseDC(bar, dc);
    int imageWidth = 0;
    int imageHeight = 0;
    if (state.images != nullptr) {
        ImageList_GetIconSize(state.images, &imageWidth, &imageHeight);
    }
    for (const TBBUTTON& button : state.buttons) {
        const int width = IsSeparator(button) ? ScaleToScreen(6) : imageWidth + ScaleToScreen(10);
        rects.push_back({x, 0, x + width, client.bottom});
        x = rects.back().right;
    }
    return rects;
}

int ItemAt(HWND bar, const MenuBarState& state, POINT point) {
    const std::vector<RECT> rects = ItemRects(bar, state);
    for (size_t index = 0; index < rects.size(); ++index) {
        if (PtInRect(&rects[index], point)) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

// The tooltip window is made only when the pointer first comes over the bar: a top-level
// window costs a noticeable share of the program's start, and most starts never need it.
void UpdateTooltips(HWND bar, MenuBarState& state) {
    if (state.tooltip == nullptr) {
        return;
    }
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = bar;
    while (SendMessageW(state.tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool))) {
        SendMessageW(state.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    const std::vector<RECT> rects = ItemRects(bar, state);
    const int firstButton = MenuTitleCount(state);
    // The texts go to the buttons in order; separators take none.
    size_t text = 0;
    for (size_t index = 0; index < state.buttons.size() && text < state.tooltips.size(); ++index) {
        if (IsSeparator(state.buttons[index])) {
            continue;
        }
        tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = bar;
        tool.uId = index + 1;
        tool.rect = rects[firstButton + index];
        tool.lpszText = const_cast<wchar_t*>(state.tooltips[text++].c_str());
        SendMessageW(state.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (state.sipButton) {
        tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = bar;
        tool.uId = kSipButtonTool;
        tool.rect = SipButtonRect(bar);
        // The shell's own text, in the device's language.
        tool.lpszText = const_cast<wchar_t*>(
            PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? L"入力ﾊﾟﾈﾙ"
                                                                       : L"Input Panel");
        SendMessageW(state.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

bool PanelIsUp() {
    SIPINFO info = {};
    info.cbSize = sizeof info;
    SipGetInfo(&info);
    return (info.fdwFlags & SIPF_ON) != 0;
}

void TogglePanel() {
    SIPINFO info = {};
    info.cbSize = sizeof info;
    SipGetInfo(&info);
    info.fdwFlags ^= SIPF_ON;
    SipSetInfo(&info);
}

// The input panel's button: a keyboard, pressed while the panel is up.
void PaintSipButton(HDC dc, RECT button) {
    if (PanelIsUp()) {
        DrawEdge(dc, &button, BDR_SUNKENOUTER, BF_RECT);
    }
    const int unit = ScaleToScreen(1);
    const HBRUSH ink = GetSysColorBrush(COLOR_BTNTEXT);
    const int left = (button.left + button.right) / 2 - 8 * unit;
    const int top = (button.top + button.bottom) / 2 - 5 * unit;
    // Draws a rectangle given in design pixels from the keyboard's top left corner.
    const auto fill = [&](int x, int y, int width, int height) {
        const RECT part = {left + x * unit, top + y * unit, left + (x + width) * unit,
                           top + (y + height) * unit};
        FillRect(dc, &part, ink);
    };
    fill(0, 0, 16, 1); // the frame
    fill(0, 9, 16, 1);
    fill(0, 0, 1, 10);
    fill(15, 0, 1, 10);
    for (int key = 0; key < 6; ++key) { // two rows of keys
        fill(2 + 2 * key, 2, 1, 1);
        fill(3 + 2 * key, 4, 1, 1);
    }
    fill(4, 7, 8, 1); // the space bar
}

// Reads a button-list resource; false when it does not exist.
bool LoadButtonList(MenuBarState& state, HINSTANCE instance, UINT id) {
    const HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), RT_RCDATA);
    if (resource == nullptr) {
        return false;
    }
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(instance, resource)));
    const DWORD size = SizeofResource(instance, resource) / sizeof(WORD);
    if (words == nullptr || size < 2) {
        return false;
    }
    const WORD count = words[1];
    for (WORD index = 0; index < count && 2 + (index + 1) * 6u <= size; ++index) {
        const WORD* entry = words + 2 + index * 6;
        TBBUTTON button = {};
        button.iBitmap = entry[0];
        button.idCommand = entry[1];
        button.fsState = static_cast<BYTE>(entry[2]);
        button.fsStyle = static_cast<BYTE>(entry[3]);
        state.buttons.push_back(button);
    }
    return true;
}

void Paint(HWND bar, const MenuBarState& state) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(bar, &paint);
    RECT client;
    GetClientRect(bar, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT line = {client.left, client.top, client.right, client.top + 1};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNSHADOW));

    if (state.sipButton) {
        PaintSipButton(dc, SipButtonRect(bar));
    }
    const std::vector<RECT> rects = ItemRects(bar, state);
    const HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    const int titles = MenuTitleCount(state);
    for (int index = 0; index < static_cast<int>(rects.size()); ++index) {
        RECT item = rects[index];
        if (index == state.pressed) {
            DrawEdge(dc, &item, BDR_SUNKENOUTER, BF_RECT);
        }
        if (index < titles) {
            const std::wstring title = MenuTitle(state, index);
            DrawTextW(dc, title.c_str(), -1, &item, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            continue;
        }
        const TBBUTTON& button = state.buttons[index - titles];
        if (IsSeparator(button) || state.images == nullptr) {
            continue;
        }
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(state.images, &width, &height);
        const bool enabled = (button.fsState & TBSTATE_ENABLED) != 0;
        ImageList_DrawEx(state.images, button.iBitmap, dc, (item.left + item.right - width) / 2,
                         (item.top + item.bottom - height) / 2, 0, 0, CLR_NONE, CLR_NONE,
                         enabled ? ILD_NORMAL : ILD_BLEND50);
    }
    SelectObject(dc, oldFont);
    EndPaint(bar, &paint);
}

void Click(HWND bar, MenuBarState& state, POINT point) {
    if (const RECT sip = SipButtonRect(bar); state.sipButton && PtInRect(&sip, point)) {
        TogglePanel();
        return;
    }
    const int item = ItemAt(bar, state, point);
    const int titles = MenuTitleCount(state);
    if (item < 0) {
        return;
    }
    if (item >= titles) {
        const TBBUTTON& button = state.buttons[item - titles];
        if (!IsSeparator(button) && (button.fsState & TBSTATE_ENABLED)) {
            SendMessageW(state.parent, WM_COMMAND, MAKEWPARAM(button.idCommand, 0),
                         reinterpret_cast<LPARAM>(bar));
        }
        return;
    }
    const HMENU popup = GetSubMenu(state.menu, item);
    if (popup == nullptr) {
        SendMessageW(state.parent, WM_COMMAND, MAKEWPARAM(GetMenuItemID(state.menu, item), 0), 0);
        return;
    }
    // The menu opens upwards from the title, as on the device; its commands go to the parent.
    RECT title = ItemRects(bar, state)[item];
    MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&title), 2);
    state.pressed = item;
    InvalidateRect(bar, nullptr, TRUE);
    TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_BOTTOMALIGN, title.left, title.top, state.parent,
                     nullptr);
    state.pressed = -1;
    InvalidateRect(bar, nullptr, TRUE);
}

LRESULT AddButtons(HWND bar, MenuBarState& state, WPARAM count, LPARAM records) {
    const auto* buttons = reinterpret_cast<const TBBUTTON*>(records);
    state.buttons.insert(state.buttons.end(), buttons, buttons + count);
    UpdateTooltips(bar, state);
    InvalidateRect(bar, nullptr, TRUE);
    return TRUE;
}

LRESULT SetTooltips(HWND bar, MenuBarState& state, WPARAM count, LPARAM texts) {
    const auto* strings = reinterpret_cast<const wchar_t* const*>(texts);
    state.tooltips.assign(strings, strings + count);
    UpdateTooltips(bar, state);
    return TRUE;
}

// Makes the tooltip window on the first pointer move and hands it that move, which its
// subclassing of the bar has not seen.
void ShowTooltipsFrom(HWND bar, MenuBarState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    if (state.tooltip != nullptr || (state.tooltips.empty() && !state.sipButton)) {
        return;
    }
    state.tooltip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0,
                        0, bar, nullptr, nullptr, nullptr);
    UpdateTooltips(bar, state);
    MSG move = {bar, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    move.pt.x = static_cast<short>(LOWORD(lParam));
    move.pt.y = static_cast<short>(HIWORD(lParam));
    ClientToScreen(bar, &move.pt);
    SendMessageW(state.tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

LRESULT EnableButton(HWND bar, MenuBarState& state, WPARAM command, LPARAM enable) {
    const int index = ButtonIndex(state, command);
    if (index < 0) {
        return FALSE;
    }
    TBBUTTON& button = state.buttons[index];
    button.fsState =
        LOWORD(enable) ? (button.fsState | TBSTATE_ENABLED) : (button.fsState & ~TBSTATE_ENABLED);
    InvalidateRect(bar, nullptr, TRUE);
    return TRUE;
}

LRESULT CALLBACK BarProcedure(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    MenuBarState* state = StateOf(bar);
    if (state == nullptr) {
        return DefWindowProcW(bar, message, wParam, lParam);
    }
    switch (message) {
    case WM_PAINT:
        Paint(bar, *state);
        return 0;
    case WM_MOUSEMOVE:
        ShowTooltipsFrom(bar, *state, message, wParam, lParam);
        return 0;
    case WM_SIZE:
        // The input panel's button keeps to the right end.
        UpdateTooltips(bar, *state);
        return 0;
    case WM_LBUTTONDOWN:
        Click(bar, *state,
              {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case SHCMBM_GETMENU:
        return reinterpret_cast<LRESULT>(state->menu);
    case SHCMBM_SETBUTTONTOOLTIPS:
        return SetTooltips(bar, *state, wParam, lParam);
    case TB_ADDBUTTONSW:
        return AddButtons(bar, *state, wParam, lParam);
    case TB_ADDBITMAP: {
        const auto* added = reinterpret_cast<const TBADDBITMAP*>(lParam);
        return AppendImageStrip(state->images, added->hInst, static_cast<UINT>(added->nID),
                                static_cast<int>(wParam));
    }
    case TB_GETTOOLTIPS:
        return reinterpret_cast<LRESULT>(state->tooltip);
    case TB_BUTTONCOUNT:
        return static_cast<LRESULT>(state->buttons.size());
    case TB_GETITEMRECT: {
        // Buttons only, counted after the menu titles, as in a toolbar.
        const std::vector<RECT> rects = ItemRects(bar, *state);
        const size_t item = MenuTitleCount(*state) + wParam;
        if (item >= rects.size() || lParam == 0) {
            return FALSE;
        }
        *reinterpret_cast<RECT*>(lParam) = rects[item];
        return TRUE;
    }
    case TB_ENABLEBUTTON:
        return EnableButton(bar, *state, wParam, lParam);
    case TB_COMMANDTOINDEX:
        return ButtonIndex(*state, wParam);
    case TB_ISBUTTONENABLED: {
        const int index = ButtonIndex(*state, wParam);
        return index >= 0 && (state->buttons[index].fsState & TBSTATE_ENABLED) != 0;
    }
    case TB_BUTTONSTRUCTSIZE:
    case TB_SETBITMAPSIZE:
        return TRUE;
    case WM_NCDESTROY:
        if (state->menu != nullptr) {
            DestroyMenu(state->menu);
        }
        if (state->images != nullptr) {
            ImageList_Destroy(state->images);
        }
        SetWindowLongPtrW(bar, GWLP_USERDATA, 0);
        delete state;
        return DefWindowProcW(bar, message, wParam, lParam);
    default:
        return DefWindowProcW(bar, message, wParam, lParam);
    }
}

void PlaceAtBottom(HWND bar, HWND parent) {
    RECT client;
    GetClientRect(parent, &client);
    const int height = MenuBarHeight();
    SetWindowPos(bar, HWND_TOP, 0, client.bottom - height, client.right, height, SWP_NOACTIVATE);
}

// Keeps the bar along the bottom of its window when the window changes size.
LRESULT CALLBACK FollowParentSize(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR bar) {
    if (message == WM_SIZE) {
        PlaceAtBottom(reinterpret_cast<HWND>(bar), parent);
    }
    return DefSubclassProc(parent, message, wParam, lParam);
}

} // namespace

int MenuBarHeight() {
    return ScaleToScreen(kMenuBarDesignHeight);
}

RECT SipButtonRect(HWND bar) {
    const MenuBarState* state = StateOf(bar);
    RECT client = {};
    GetClientRect(bar, &client);
    if (state == nullptr || !state->sipButton) {
        return {};
    }
    return {client.right - ScaleToScreen(kSipButtonDesignWidth), 0, client.right, client.bottom};
}

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
    if (info == nullptr || info->cbSize < offsetof(SHMENUBARINFO, clrBk) ||
        !IsWindow(info->hwndParent)) {
        return FALSE;
    }
    auto* state = new MenuBarState;
    state->parent = info->hwndParent;
    state->sipButton = (info->dwFlags & SHCMBF_HIDESIPBUTTON) == 0;
    bool loaded = true;
    if (info->dwFlags & SHCMBF_HMENU) {
        state->menu = LoadMenuW(info->hInstRes, MAKEINTRESOURCEW(info->nToolBarId));
        loaded = state->menu != nullptr;
    } else if (!(info->dwFlags & SHCMBF_EMPTYBAR)) {
        loaded = LoadButtonList(*state, info->hInstRes, info->nToolBarId);
    }
    if (loaded && info->nBmpId != 0) {
        AppendImageStrip(state->images, info->hInstRes, info->nBmpId, info->cBmpImages);
    }
    if (!loaded) {
        delete state;
        return FALSE;
    }

    RegisterPlatformClass(kMenuBarClassName, BarProcedure);
    const DWORD visible = (info->dwFlags & SHCMBF_HIDDEN) ? 0 : WS_VISIBLE;
    const HWND bar =
        CreateWindowExW(0, kMenuBarClassName, L"", WS_CHILD | WS_CLIPSIBLINGS | visible, 0, 0, 0, 0,
                        info->hwndParent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (bar == nullptr) {
        if (state->menu != nullptr) {
            DestroyMenu(state->menu);
        }
        delete state;
        return FALSE;
    }
    SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    PlaceAtBottom(bar, info->hwndParent);
    SetWindowSubclass(info->hwndParent, FollowParentSize, reinterpret_cast<UINT_PTR>(bar),
                      reinterpret_cast<DWORD_PTR>(bar));
    info->hwndMB = bar;
    return TRUE;
}
