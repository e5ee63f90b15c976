// The soft input panel (on-screen keyboard) of the Pocket PC, simulated: a panel along the
// bottom of the screen, just above the menu bar, with keys for numbers. Programs read and
// change its state through the device's own calls and record.
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

// The panel's window while it exists, for tests that tap its keys.
HWND SipPanelWindow();
