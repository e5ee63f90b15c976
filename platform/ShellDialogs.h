// The Pocket PC shell's dialog services, simulated: full-screen set-up with the caption's
// Done (OK) button, and the extra control classes (SIPPREF) that dialogs may use.
#pragma once

#include <windows.h>

struct SHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
};

constexpr DWORD SHIDIM_FLAGS = 0x0001;

constexpr DWORD SHIDIF_DONEBUTTON = 0x0001;
constexpr DWORD SHIDIF_SIZEDLG = 0x0002;
constexpr DWORD SHIDIF_SIZEDLGFULLSCREEN = 0x0004;
constexpr DWORD SHIDIF_SIPDOWN = 0x0008;

// Sizes the dialog to the whole screen (SHIDIF_SIZEDLGFULLSCREEN) or to the screen above the
// input panel (SHIDIF_SIZEDLG), gives it a Done button (the caption's close button then
// sends IDOK), and lowers the input panel (SHIDIF_SIPDOWN).
BOOL SHInitDialog(SHINITDLGINFO* info);

// The control class that raises the input panel while an edit control of its dialog has
// the focus, and lowers it when the focus moves elsewhere, as SHSipPreference lets it (not on
// a screen larger than a device's).
constexpr wchar_t WC_SIPPREF[] = L"SIPPREF";

// Registers the shell's extra control classes.
BOOL SHInitExtraControls();
