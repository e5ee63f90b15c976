// The menu bars of dialogs and property sheets, and the set-up of the shell's controls.
#pragma once

#include <windows.h>

// Resource of the empty button list that every dialog menu bar starts from.
constexpr UINT kEmptyMenuBar = 99;
// The dialog menu bar's strip of nine images: 105, or 106 on high-resolution screens.
constexpr UINT kDialogBarBitmap = 105;
constexpr int kDialogBarImages = 9;

// Creates a menu bar for a dialog from a button-list resource, with the dialog bar images;
// returns the bar or null.
HWND CreateDialogMenuBar(HWND dialog, UINT resourceId);
// Adds the Cancel and OK buttons with their tooltips.
void AddDialogMenuBarButtons(HWND bar);

// Initialises the common controls for `classes` (plus those of the menu and command bars)
// and the shell's extra controls; true when both succeed.
bool InitControlClasses(DWORD classes);
