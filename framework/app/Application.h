// Process-wide values fixed once at start-up and read everywhere else.
//
// Until start-up fills them they hold zero: English, ordinary resolution.
#pragma once

#include <windows.h>

#include <string>

struct Application {
    static inline HINSTANCE instance = nullptr;
    // Selects the Japanese resources and texts.
    static inline BOOL japanese = FALSE;
    // Set when dpiX is 130 or more; selects the larger images of resolution pairs.
    static inline BOOL hiRes = FALSE;
    static inline int dpiX = 0;
    static inline int dpiY = 0;
    // The main window's title (string 101) and class name (string 100).
    static inline wchar_t title[128] = {};
    static inline wchar_t className[128] = {};
    static inline HACCEL accelerators = nullptr;
};

// Fixes the values at start-up: the instance, the language (the device's default language,
// inverted when HKEY_CURRENT_USER\Software\Orvintek "LangToggle" is not 0), the screen's DPI
// and resolution, and the title and class name from strings 101 and 100.
void InitApplicationValues(HINSTANCE instance);

// Turn a length in 96-DPI design pixels into device pixels, rounding half away from zero.
int ScaleX(int designPixels);
int ScaleY(int designPixels);

// The base name with the suffix of the current language: "DlgUnit" -> "DlgUnit_E" or "DlgUnit_J".
std::wstring LocalizedResourceName(const wchar_t* baseName);

// The text of a built-in English/Japanese pair for the current language.
inline const wchar_t* LanguageText(const wchar_t* english, const wchar_t* japanese) {
    return Application::japanese ? japanese : english;
}
