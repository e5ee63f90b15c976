// The menu bars of dialogs and property sheets, and the set-up of the shell's controls.
#pragma once

#include "resources/app_ids.h"

#include <windows.h>

// Images in the dialog menu bar's strip (IDB_DIALOG_BAR, or IDB_DIALOG_BAR_HIRES on
// high-resolution screens).
constexpr int kDialogBarImages = 9;

// Creates a menu bar for a dialog from a button-list resource, with the dialog bar images;
// returns the bar or null.
HWND CreateDialogMenuBar(HWND dialog, UINT resourceId);
// Adds the Cancel and OK buttons with their tooltips.
void AddDialogMenuBarButtons(HWND bar);

// Initialises the common controls for `classes` (plus those of the menu and command bars)
// and the shell's extra controls; true when both succeed.
bool InitControlClasses(DWORD classes);
