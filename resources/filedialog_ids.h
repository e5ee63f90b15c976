// Resource identifiers of the file selection dialog: its template, menus, images and the
// commands of its buttons and menus.
#pragma once

// Templates, English and Japanese: "FDlgGetFileName"
// Menus, English and Japanese: "FMenuDlgGetFileName" (the context menu), "FMenuViews"

// Controls
#define IDC_TYPE_LIST 10400
#define IDC_NAME_FIELD 10700
#define IDC_FILE_LIST 11000
#define IDC_COMMAND_BAR 13300

// Commands of the menu bar, the command bar and the menus
#define IDC_BACK 30
#define IDC_UP 32
#define IDC_NEW_FOLDER 33
#define IDC_VIEW_MENU 34
#define IDC_LOCATION 35
#define IDC_DELETE 38
#define IDC_CONTEXT_MENU 39
#define IDC_VIEW_LARGE_ICONS 50
#define IDC_VIEW_SMALL_ICONS 51
#define IDC_VIEW_LIST 52
#define IDC_VIEW_DETAILS 53
#define IDC_SORT_BY_NAME 54
#define IDC_SORT_BY_TYPE 55
#define IDC_SORT_BY_SIZE 56
#define IDC_SORT_BY_DATE 57
#define IDC_FIRST_ANCESTOR 38000 // the location menu: Desktop, then each component

// Bitmaps
#define IDB_UPDOWN 101       // the header's sort arrows, 7 pixels wide
#define IDB_UPDOWN_HIRES 102 // 14 pixels wide
#define IDB_PLACES 107       // the location button's twelve images, 16 pixels
#define IDB_PLACES_HIRES 108 // 32 pixels
