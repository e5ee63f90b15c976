// Resource identifiers of the application framework.
#pragma once

// Strings
#define IDS_CLASS_NAME 100 // main window class and single-instance mutex
#define IDS_TITLE 101      // main window title
#define IDS_VERSION 102
#define IDS_NOTICE 103 // maker's notice and contact lines, shown by the About box
#define IDS_NOTICE_2 104
#define IDS_NOTICE_3 105
#define IDS_NOTICE_4 106 // a fourth line a program may add; the About box shows 101 to 106

// Accelerators: the program's table, whose keys the message loop translates
#define IDR_ACCELERATOR_MAIN 100

// Menu bars
#define IDR_EMPTY_MENU_BAR 99 // button list without buttons: dialogs add their own

// Bitmaps
#define IDB_DIALOG_BAR                                                                             \
    105                          // 9 images of 16 x 16: Cancel, OK, Back, Forward, Up, New Folder,
                                 // Delete, View, Properties
#define IDB_DIALOG_BAR_HIRES 106 // the same at 32 x 32

// Icons
#define IDI_PROGRAM 100
