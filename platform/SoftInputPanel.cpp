#include "SoftInputPanel.h"

#include "DeviceWindows.h"
#include "MenuBar.h"
#include "Screen.h"

#include <iterator>

namespace {

constexpr int kPanelDesignHeight = 80;
constexpr wchar_t kPanelClass[] = L"MensurioSoftInputPanel";
constexpr wchar_t kInputScopeProperty[] = L"MensurioInputScope";

// Keys that type no character of their own.
constexpr wchar_t kBackspace = L'\b';
constexpr wchar_t kEnter = L'\r';
constexpr wchar_t kShift = L'\x0E';

// The keys, row by row; a row's keys share its width equally.
constexpr const wchar_t* kNumberKeys[] = {L"1234567890", L"-.e,\b\r"};
// The keyboard has the characters a file name may hold, and "\" for a path.
constexpr const wchar_t* kTextKeys[] = {L"1234567890-\b", L"qwertyuiop=\\", L"asdfghjkl;'\r",
                                        L"\x0Ezxcvbnm,.`", L" "};
// The keyboard's keys while Shift is down, for the next key only.
constexpr const wchar_t* kShiftedTextKeys[] = {L"!@#$%^&~()_\b", L"QWERTYUIOP+\\", L"ASDFGHJKL[]\r",
                                               L"\x0EZXCVBNM{}`", L" "};

struct KeySet {
    const wchar_t* const* rows;
    int rowCount;
};

struct Panel {
    HWND window = nullptr;
    bool on = false;
    // Number keys for a field that takes numbers, the keyboard for any other.
    bool numberKeys = false;
    bool shifted = false;
    // Watches the windows of the thread that shows the panel (below).
    HHOOK hook = nullptr;
};
Panel panel;

KeySet Keys() {
    if (panel.numberKeys) {
        return {kNumberKeys, static_cast<int>(std::size(kNumberKeys))};
    }
    return {panel.shifted ? kShiftedTextKeys : kTextKeys, static_cast<int>(std::size(kTextKeys))};
}

RECT PanelRect() {
    const RECT screen = DeviceScreenRect();
    const int bottom = screen.bottom - MenuBarHeight();
    return {screen.left, bottom - ScaleToScreen(kPanelDesignHeight), screen.right, bottom};
}

RECT KeyRect(const RECT& client, const KeySet& keys, int row, int column) {
    const int count = lstrlenW(keys.rows[row]);
    return {client.right * column / count, client.bottom * row / keys.rowCount,
            client.right * (column + 1) / count, client.bottom * (row + 1) / keys.rowCount};
}

// The key under a point of the panel's client area, or 0.
wchar_t KeyAt(HWND window, POINT point) {
    RECT client;
    GetClientRect(window, &client);
    const KeySet keys = Keys();
    for (int row = 0; row < keys.rowCount; ++row) {
        for (int column = 0; keys.rows[row][column] != L'\0'; ++column) {
            const RECT key = KeyRect(client, keys, row, column);
            if (PtInRect(&key, point)) {
                return keys.rows[row][column];
            }
        }
    }
    return 0;
}

// The keys suit a field that gets the focus; other windows take no typing and leave them.
void SuitKeysTo(HWND focus) {
    if (!IsEditControl(focus)) {
        return;
    }
    const bool numbers = GetPropW(focus, kInputScopeProperty) ==
                         reinterpret_cast<HANDLE>(static_cast<INT_PTR>(IS_NUMBER));
    if (numbers != panel.numberKeys) {
        panel.numberKeys = numbers;
        panel.shifted = false;
        if (panel.window != nullptr) {
            InvalidateRect(panel.window, nullptr, TRUE);
        }
    }
}

// Types a key into the focused field as a keyboard does, so that the field and its dialog
// see what a key press gives them (Enter reaches a dialog's default button).
void TypeKey(wchar_t key) {
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    if (key == kBackspace || key == kEnter) {
        inputs[0].ki.wVk = key == kBackspace ? VK_BACK : VK_RETURN;
    } else {
        inputs[0].ki.wScan = key;
        inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
    }
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// The label of a key that types no character; null for one that does.
const wchar_t* KeyLabel(wchar_t key) {
    switch (key) {
    case kBackspace:
        return L"BS";
    case kEnter:
        return L"Ent";
    case kShift:
    case L' ':
        return L"";
    default:
        return nullptr;
    }
}

// The Shift key's picture: an arrow pointing up, drawn to the screen's resolution.
void DrawShiftArrow(HDC dc, const RECT& key) {
    const int x = (key.left + key.right) / 2;
    const int y = (key.top + key.bottom) / 2;
    const int unit = ScaleToScreen(1);
    const POINT arrow[] = {{x, y - 4 * unit},
                           {x + 4 * unit, y},
                           {x + 2 * unit, y},
                           {x + 2 * unit, y + 4 * unit},
                           {x - 2 * unit, y + 4 * unit},
                           {x - 2 * unit, y},
                           {x - 4 * unit, y}};
    const HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNTEXT));
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, arrow, static_cast<int>(std::size(arrow)));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

void PaintKeys(HDC dc, HWND window) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    // The GUI font, drawn to the screen's resolution; the DC's own font is a bitmap face
    // that is only stretched in height at a higher one.
    const HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const KeySet keys = Keys();
    for (int row = 0; row < keys.rowCount; ++row) {
        for (int column = 0; keys.rows[row][column] != L'\0'; ++column) {
            RECT key = KeyRect(client, keys, row, column);
            const wchar_t character = keys.rows[row][column];
            DrawEdge(dc, &key, character == kShift && panel.shifted ? EDGE_SUNKEN : EDGE_RAISED,
                     BF_RECT);
            if (character == kShift) {
                DrawShiftArrow(dc, key);
            }
            const wchar_t* label = KeyLabel(character);
            DrawTextW(dc, label != nullptr ? label : &character, label != nullptr ? -1 : 1, &key,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        }
    }
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        PaintKeys(BeginPaint(window, &paint), window);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintKeys(reinterpret_cast<HDC>(wParam), window);
        return 0;
    case WM_MOUSEACTIVATE:
        // A tap must leave the keyboard focus where it is.
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN: {
        const wchar_t key =
            KeyAt(window, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        if (key == kShift) {
            panel.shifted = !panel.shifted;
        } else if (key != 0) {
            TypeKey(key);
            panel.shifted = false;
        }
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    }
    case WM_NCDESTROY:
        // Gone with the window it was shown in; the next window it is shown in gets a new one.
        panel.window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Whether `window` lies over the whole of the panel's place, as the device's full-screen
// windows do; a message box or a progress dialog does not.
bool Covers(HWND window, const RECT& area) {
    RECT place;
    RECT both;
    GetWindowRect(window, &place);
    return IntersectRect(&both, &place, &area) && EqualRect(&both, &area);
}

// Makes every other child of `host` leave the panel's place to it when it paints: a child
// drawn without this draws over a sibling above it, where the taps go to the sibling.
BOOL CALLBACK ClipSiblings(HWND child, LPARAM host) {
    if (GetParent(child) == reinterpret_cast<HWND>(host) && child != panel.window) {
        SetWindowLongPtrW(child, GWL_STYLE, GetWindowLongPtrW(child, GWL_STYLE) | WS_CLIPSIBLINGS);
    }
    return TRUE;
}

HWND CreatePanel(HWND host) {
    RegisterPlatformClass(kPanelClass, PanelProcedure);
    return CreateWindowExW(
        host != nullptr ? 0 : WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kPanelClass,
        L"Input Panel", (host != nullptr ? WS_CHILD : WS_POPUP) | WS_BORDER | WS_CLIPSIBLINGS, 0, 0,
        0, 0, host, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Shows the panel over the bottom of the screen, above the menu bar, in the active window:
// on top of its other children, which are made to leave it its place. A window that does
// not lie over that place (a message box) leaves the panel where it was. With no window at
// all, the panel is a window of its own.
// Note: a topmost window of its own would be simpler, but in Wine's desktop window one is
// drawn under a dialog that is clicked after it comes up, while it still takes the taps.
void ShowPanel() {
    const RECT area = PanelRect();
    HWND host = GetActiveWindow();
    if (host == nullptr || !Covers(host, area)) {
        host = panel.window != nullptr ? GetParent(panel.window) : nullptr;
    }
    if (panel.window != nullptr && GetParent(panel.window) != host) {
        if (GetWindowLongPtrW(panel.window, GWL_STYLE) & WS_CHILD) {
            SetParent(panel.window, host);
        } else {
            DestroyWindow(panel.window); // a window of its own becomes a child anew
        }
    }
    if (panel.window == nullptr) {
        panel.window = CreatePanel(host);
    }
    if (host == nullptr) {
        SetWindowPos(panel.window, HWND_TOPMOST, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return;
    }
    // Across the window's client area, just above its menu bar, where its layout leaves
    // room for the panel; its frame is no place for keys.
    EnumChildWindows(host, ClipSiblings, reinterpret_cast<LPARAM>(host));
    RECT client;
    GetClientRect(host, &client);
    const int height = area.bottom - area.top;
    SetWindowPos(panel.window, HWND_TOP, 0, client.bottom - MenuBarHeight() - height, client.right,
                 height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// Follows the windows of the panel's thread while the panel is up, as the device's shell
// follows the foreground: the panel goes into a window that is activated, and a field that
// gets the focus gets keys that suit it.
LRESULT CALLBACK FollowWindows(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && panel.on) {
        if (call->message == WM_ACTIVATE && LOWORD(call->wParam) != WA_INACTIVE) {
            ShowPanel();
        } else if (call->message == WM_SETFOCUS) {
            SuitKeysTo(call->hwnd);
            // A window's style may have been set anew since the panel came up.
            if (const HWND host = panel.window != nullptr ? GetParent(panel.window) : nullptr) {
                EnumChildWindows(host, ClipSiblings, reinterpret_cast<LPARAM>(host));
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Tells the process's windows that the panel went up or down: layouts leave room for it,
// and every menu bar's button shows it.
BOOL CALLBACK NotifyWindow(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && window != panel.window) {
        SendMessageW(window, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
        for (HWND bar = FindWindowExW(window, nullptr, kMenuBarClassName, nullptr); bar != nullptr;
             bar = FindWindowExW(window, bar, kMenuBarClassName, nullptr)) {
            InvalidateRect(bar, nullptr, TRUE);
        }
    }
    return TRUE;
}

void SetPanel(bool on) {
    SIPINFO info = {};
    info.cbSize = sizeof info;
    SipGetInfo(&info);
    info.fdwFlags = on ? (info.fdwFlags | SIPF_ON) : (info.fdwFlags & ~SIPF_ON);
    SipSetInfo(&info);
}

} // namespace

HWND SipPanelWindow() {
    return panel.window;
}

bool IsEditControl(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpiW(className, L"Edit") == 0;
}

BOOL SipGetInfo(SIPINFO* info) {
    if (info == nullptr || info->cbSize != sizeof(SIPINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const RECT area = PanelRect();
    info->fdwFlags = SIPF_DOCKED | (panel.on ? SIPF_ON : SIPF_OFF);
    info->rcSipRect = area;
    const int menuBarTop = area.bottom;
    const RECT screen = DeviceScreenRect();
    info->rcVisibleDesktop = {screen.left, screen.top, area.right,
                              panel.on ? area.top : menuBarTop};
    info->dwImDataSize = 0;
    info->pvImData = nullptr;
    return TRUE;
}

BOOL SipSetInfo(SIPINFO* info) {
    if (info == nullptr || info->cbSize != sizeof(SIPINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const bool on = (info->fdwFlags & SIPF_ON) != 0;
    const bool changed = on != panel.on;
    panel.on = on;
    if (on) {
        if (panel.hook == nullptr) {
            panel.hook =
                SetWindowsHookExW(WH_CALLWNDPROCRET, FollowWindows, nullptr, GetCurrentThreadId());
        }
        ShowPanel();
        SuitKeysTo(GetFocus());
    } else if (panel.window != nullptr) {
        ShowWindow(panel.window, SW_HIDE);
    }
    if (changed) {
        EnumWindows(NotifyWindow, 0);
    }
    return TRUE;
}

BOOL SHSipPreference(HWND, SIPSTATE state) {
    switch (state) {
    case SIP_UP:
    case SIP_DOWN:
        if (!IsDesktopScreen()) {
            SetPanel(state == SIP_UP);
        }
        return TRUE;
    case SIP_FORCEDOWN:
        SetPanel(false);
        return TRUE;
    default:
        return TRUE;
    }
}

HRESULT SetInputScope(HWND window, InputScope scope) {
    return SetPropW(window, kInputScopeProperty,
                    reinterpret_cast<HANDLE>(static_cast<INT_PTR>(scope)))
               ? S_OK
               : E_FAIL;
}
