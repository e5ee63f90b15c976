// The drawing (GDI) and window-system (USER) objects the process holds, to show that
// something done many times leaks none.
#pragma once

#include <windows.h>

struct GuiObjects {
    DWORD gdi = 0;
    DWORD user = 0;
};

// The counts GetGuiResources gives. Wine's answers 0 for both; there the objects are
// counted in its handle tables, where a handle without its generation (the high word)
// names whatever lives at its index: GDI objects, and icons, cursors, windows and menus.
GuiObjects CountGuiObjects();

// Whether `later`, counted after many more of one action than `first`, holds no more objects
// than `first` but for the few that Wine makes on its own now and then (under load, an input
// method's windows): a leak of one object per action shows as a hundred or more.
inline bool NoMoreObjects(const GuiObjects& first, const GuiObjects& later) {
    constexpr DWORD kWinesOwn = 10;
    return later.gdi <= first.gdi + kWinesOwn && later.user <= first.user + kWinesOwn;
}
