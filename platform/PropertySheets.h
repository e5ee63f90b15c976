// The device's property sheets on the desktop's common controls.
//
// Note: the desktop reads the device's "maximize" flag (0x2000) as its Wizard97 flag and
// never sends the device's get-version, get-title and get-link-text callbacks. This layer
// takes the flag off, shows the sheet full screen without the desktop's buttons (the menu
// bar's OK and Cancel replace them), and asks the sheet's callback for its title itself,
// as the device's shell does. The desktop sizes the sheet's tab control and pages for their
// templates in the dialogs' face, which at a higher DPI or in a face wider than the
// device's reach past the screen: here the tab control spans the screen above the menu bar,
// every page covers its display area, and a page's controls end within it.
#pragma once

#include <windows.h>

#include <commctrl.h>

constexpr DWORD PSH_MAXIMIZE = 0x2000;

constexpr UINT PSCB_GETVERSION = 3;
constexpr UINT PSCB_GETTITLE = 4;
constexpr UINT PSCB_GETLINKTEXT = 5;

// Size, in characters with the terminator, of the buffers given to the get-title and
// get-link-text callbacks.
constexpr int kSheetTextLength = 128;

// Shows a property sheet as the device does; the result is PropertySheetW's.
INT_PTR DevicePropertySheet(const PROPSHEETHEADERW* header);
