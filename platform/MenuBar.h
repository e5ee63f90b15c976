// The Pocket PC menu bar, simulated: a bar along the bottom of its window with the titles
// of a menu that drop down, then image buttons with tooltips, and at its right end the
// shell's own button that raises and lowers the input panel. Programs create it and talk to
// it with the shell's own call, record and messages.
#pragma once

#include <windows.h>

#include <commctrl.h>

struct SHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId; // a menu (SHCMBF_HMENU) or a button-list resource
    HINSTANCE hInstRes;
    int nBmpId; // a strip of cBmpImages square images for the buttons, or 0
    int cBmpImages;
    HWND hwndMB; // receives the bar
    COLORREF clrBk;
};

// The window class of a menu bar, by which a test or another program finds one.
constexpr wchar_t kMenuBarClassName[] = L"menu_worker";
// The width of the input panel's button at the bar's right end, in design pixels.
constexpr int kSipButtonDesignWidth = 24;

constexpr DWORD SHCMBF_EMPTYBAR = 0x0001;
constexpr DWORD SHCMBF_HIDDEN = 0x0002;
constexpr DWORD SHCMBF_HIDESIPBUTTON = 0x0004;
constexpr DWORD SHCMBF_HMENU = 0x0010;

// The bar's menu (SHCMBF_HMENU bars), or null.
constexpr UINT SHCMBM_GETMENU = WM_USER + 402;
// wParam: number of texts; lParam: array of that many texts, one per button in the order
// added. Note: the desktop toolbar reads 0x0451 as its insert-mark hit test, which takes
// pointers; only this bar may receive it.
constexpr UINT SHCMBM_SETBUTTONTOOLTIPS = WM_USER + 81;

// Creates the bar at the bottom of hwndParent's client area. A button-list resource
// (RT_RCDATA, nToolBarId) holds: menu id, button count, then per button image, command,
// state, style, string id and submenu index, all 16-bit. TB_ADDBITMAP, TB_ADDBUTTONS and
// SHCMBM_SETBUTTONTOOLTIPS add more images, buttons and their tooltips. The tooltip window
// is made on the pointer's first move over the bar; TB_GETTOOLTIPS gives it, or null before.
// The input panel's button (unless SHCMBF_HIDESIPBUTTON) is drawn pressed while the panel
// is up; its tooltip is in the device's language.
BOOL SHCreateMenuBar(SHMENUBARINFO* info);

// Height of the bar in 96-DPI design pixels; the input panel sits directly above it.
constexpr int kMenuBarDesignHeight = 26;

// Height of the bar in pixels on the current screen.
int MenuBarHeight();

// The input panel's button of a bar, in the bar's client coordinates; empty for a bar
// without one.
RECT SipButtonRect(HWND bar);
