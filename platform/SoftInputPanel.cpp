#include "SoftInputPanel.h"

#include "MenuBar.h"
#include "Screen.h"

namespace {

constexpr int kPanelDesignHeight = 80;
constexpr wchar_t kPanelClass[] = L"MensurioSoftInputPanel";

// The keys, row by row; "\b" is backspace and "\r" Enter.
constexpr const wchar_t* kKeyRows[] = {L"1234567890", L"-.e,\b\r"};
constexpr int kRowCount = 2;

HWND panel = nullptr;
bool panelOn = false;

RECT PanelRect() {
    const RECT screen = DeviceScreenRect();
    const int bottom = screen.bottom - MenuBarHeight();
    return {screen.left, bottom - ScaleToScreen(kPanelDesignHeight), screen.right, bottom};
}

// The key under a point of the panel's client area, or 0.
wchar_t KeyAt(HWND window, POINT point) {
    RECT client;
    GetClientRect(window, &client);
    const int rowHeight = client.bottom / kRowCount;
    const int row = rowHeight > 0 ? point.y / rowHeight : 0;
    if (row < 0 || row >= kRowCount) {
        return 0;
    }
    const int keys = lstrlenW(kKeyRows[row]);
    const int column = point.x * keys / (client.right > 0 ? client.right : 1);
    return column >= 0 && column < keys ? kKeyRows[row][column] : 0;
}

void PaintKeys(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    // The GUI font, drawn to the screen's resolution; the DC's own font is a bitmap face
    // that is only stretched in height at a higher one.
    const HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const int rowHeight = client.bottom / kRowCount;
    for (int row = 0; row < kRowCount; ++row) {
        const int keys = lstrlenW(kKeyRows[row]);
        for (int column = 0; column < keys; ++column) {
            RECT key = {client.right * column / keys, row * rowHeight,
                        client.right * (column + 1) / keys, (row + 1) * rowHeight};
            DrawEdge(dc, &key, EDGE_RAISED, BF_RECT);
            const wchar_t character = kKeyRows[row][column];
            const wchar_t* label = character == L'\b'   ? L"BS"
                                   : character == L'\r' ? L"Ent"
                                                        : nullptr;
            DrawTextW(dc, label != nullptr ? label : &character, label != nullptr ? -1 : 1, &key,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }
    SelectObject(dc, oldFont);
    EndPaint(window, &paint);
}

LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintKeys(window);
        return 0;
    case WM_MOUSEACTIVATE:
        // A tap must leave the keyboard focus where it is.
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN: {
        const wchar_t key =
            KeyAt(window, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        if (const HWND focus = GetFocus(); key != 0 && focus != nullptr) {
            PostMessageW(focus, WM_CHAR, key, 1);
        }
        return 0;
    }
    case WM_NCDESTROY:
        // Gone with the window it was shown in; the next show makes a new one.
        panel = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND CreatePanel() {
    WNDCLASSW panelClass = {};
    panelClass.lpfnWndProc = PanelProcedure;
    panelClass.hInstance = GetModuleHandleW(nullptr);
    panelClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<const wchar_t*>(IDC_ARROW));
    panelClass.lpszClassName = kPanelClass;
    RegisterClassW(&panelClass);
    const RECT area = PanelRect();
    return CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPanelClass, L"Input Panel",
                           WS_POPUP | WS_BORDER, area.left, area.top, area.right - area.left,
                           area.bottom - area.top, nullptr, nullptr, panelClass.hInstance, nullptr);
}

// Shows the panel over the bottom of the screen, above the menu bar.
// Note: in Wine's virtual desktop a topmost popup is not drawn above a modal dialog shown
// before it, so the panel is shown inside the active window, as its topmost child; with no
// active window it is a topmost popup of its own.
void ShowPanel(HWND host) {
    const RECT area = PanelRect();
    const LONG_PTR style = GetWindowLongPtrW(panel, GWL_STYLE) & ~(WS_POPUP | WS_CHILD);
    SetWindowLongPtrW(panel, GWL_STYLE, style | (host != nullptr ? WS_CHILD : WS_POPUP));
    SetParent(panel, host);
    POINT origin = {area.left, area.top};
    if (host != nullptr) {
        ScreenToClient(host, &origin);
    }
    SetWindowPos(panel, host != nullptr ? HWND_TOP : HWND_TOPMOST, origin.x, origin.y,
                 area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
}

BOOL CALLBACK NotifyWindow(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && window != panel) {
        SendMessageW(window, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
    }
    return TRUE;
}

} // namespace

HWND SipPanelWindow() {
    return panel;
}

BOOL SipGetInfo(SIPINFO* info) {
    if (info == nullptr || info->cbSize != sizeof(SIPINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const RECT area = PanelRect();
    info->fdwFlags = SIPF_DOCKED | (panelOn ? SIPF_ON : SIPF_OFF);
    info->rcSipRect = area;
    const int menuBarTop = area.bottom;
    const RECT screen = DeviceScreenRect();
    info->rcVisibleDesktop = {screen.left, screen.top, area.right, panelOn ? area.top : menuBarTop};
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
    const bool changed = on != panelOn;
    panelOn = on;
    if (on) {
        if (panel == nullptr) {
            panel = CreatePanel();
        }
        ShowPanel(GetActiveWindow());
    } else if (panel != nullptr) {
        ShowWindow(panel, SW_HIDE);
    }
    if (!changed) {
        return TRUE;
    }
    EnumWindows(NotifyWindow, 0);
    return TRUE;
}
