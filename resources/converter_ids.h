// Resource identifiers of the converter.
#pragma once

// Menus: the main window's menu bar, English and Japanese
#define IDM_MAIN 101
#define IDM_MAIN_JAPANESE 102

// Bitmaps: the Copy and Paste buttons of the main menu bar, 16 and 32 pixels
#define IDB_PAGE_BUTTONS 2001
#define IDB_PAGE_BUTTONS_HIRES 2002

// Commands, grouped by menu
#define IDC_OPEN 40101
#define IDC_EXIT 40102
#define IDC_COPY 40201
#define IDC_PASTE 40202
#define IDC_PAGE 40301 // Unit menu: page i has IDC_PAGE + i, Temp and Time first
#define IDC_ABOUT 40901

// Controls of the main window
#define IDC_PAGE_TABS 11800

// Controls of the conversion pages: row i has edit IDC_ROW_EDIT + i and label IDC_ROW_LABEL + i
#define IDC_ROW_EDIT 10700
#define IDC_ROW_LABEL 11900
