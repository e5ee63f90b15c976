// What a WM_COMMAND message carries.
#pragma once

#include <windows.h>

// A menu item's or an accelerator's command identifier (lParam 0; the high word of wParam
// tells which of the two sent it), or, from a control, the whole wParam: the control's
// identifier in the low word and its notification code in the high word.
inline WPARAM CommandOf(WPARAM wParam, LPARAM lParam) {
    return lParam == 0 ? LOWORD(wParam) : wParam;
}
