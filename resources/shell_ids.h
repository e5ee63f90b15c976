// Resource identifiers of the shell items: the fixed images of the file lists.
#pragma once

// Icons, each at 16, 32 and 64 pixels
#define IDI_PROGRAM_FILE 110
#define IDI_DOCUMENT 111
#define IDI_SHORTCUT_OVERLAY 112     // drawn over a shortcut's icon
#define IDI_ROM_OVERLAY 113          // drawn over the icon of a file in ROM
#define IDI_ROM_SHORTCUT_OVERLAY 114 // both marks, for a shortcut in ROM
#define IDI_DATABASE 115
#define IDI_FOLDER 130
#define IDI_MY_DEVICE 133
#define IDI_DESKTOP 134
#define IDI_MY_DOCUMENTS 135
#define IDI_DATABASE_PLACE 138
#define IDI_CONTROL_PANEL 139
#define IDI_NETWORK 140
