// Resource identifiers of the application framework.
#pragma once

// Strings
#define IDS_CLASS_NAME 100 // main window class and single-instance mutex
#define IDS_TITLE 101      // main window title
#define IDS_VERSION 102
#define IDS_NOTICE 103 // maker's notice and contact lines, shown by the About box
#define IDS_NOTICE_2 104
#define IDS_NOTICE_3 105
