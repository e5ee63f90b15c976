// Resource identifiers of the About box.
#pragma once

// Page templates, English and Japanese: "FAboutApp", "FAboutMemory", "FAboutBattery"

// Controls of the version page: text 11900 + n shows string n (101 to 106)
#define IDC_ABOUT_TEXT 11900

// Bitmaps: 35 one-pixel columns of colour gradients, 64 high, stretched into bars
#define IDB_PERCENT_BAR 103

// Icons of the memory and battery rows
#define IDI_MEMORY 118
#define IDI_STORAGE_CARD 120
#define IDI_BATTERY 121
