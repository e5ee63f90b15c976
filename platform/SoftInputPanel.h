// The soft input panel (on-screen keyboard) of the Pocket PC, simulated: one panel for the
// whole program, along the bottom of the screen just above the menu bar, over every window.
// Its keys suit the focused field: number keys for a field that takes numbers, a keyboard of
// letters, digits and punctuation for any other. A tap on a key types it into the focused
// field as a key of a keyboard would. Programs read and change its state through the
// device's own calls and record; every menu bar has a button that raises and lowers it.
#pragma once

#include <windows.h>

struct SIPINFO {
    DWORD cbSize;
    DWORD fdwFlags;
    RECT rcVisibleDesktop; // the screen above the panel (above the menu bar when it is down)
    RECT rcSipRect;        // the panel, in screen coordinates
    DWORD dwImDataSize;
    void* pvImData;
};

constexpr DWORD SIPF_OFF = 0x0;
constexpr DWORD SIPF_ON = 0x1;
constexpr DWORD SIPF_DOCKED = 0x2;
constexpr DWORD SIPF_LOCKED = 0x4;

// Sent with WM_SETTINGCHANGE to the process's top-level windows when the panel goes up or
// down, so that layouts can leave room for it.
constexpr UINT SPI_SETSIPINFO = 224;

// Fills the record (cbSize must be set); fails for a wrong size.
BOOL SipGetInfo(SIPINFO* info);
// Shows or hides the panel as the record's SIPF_ON flag says; the panel's size is its own.
BOOL SipSetInfo(SIPINFO* info);

// What a window wants of the panel when it gets or loses the focus.
enum SIPSTATE { SIP_UP = 0, SIP_DOWN = 1, SIP_FORCEDOWN = 2, SIP_UNCHANGED = 3 };

// Asks the shell for the panel on behalf of `window`. On a device's screen SIP_UP raises it
// and SIP_DOWN lowers it. On a larger screen, where a keyboard is at hand, a field's focus
// leaves the panel as the user set it with the menu bar's button: only SIP_FORCEDOWN lowers it.
BOOL SHSipPreference(HWND window, SIPSTATE state);

// What a field takes, which the panel's keys suit.
enum InputScope { IS_DEFAULT = 0, IS_NUMBER = 29 };

// Tells the panel what `window`, an edit control, takes.
HRESULT SetInputScope(HWND window, InputScope scope);

// Whether `window` is an edit control, a field that the panel types into.
bool IsEditControl(HWND window);

// The panel's window once it has been shown, for tests that tap its keys.
HWND SipPanelWindow();
