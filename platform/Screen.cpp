#include "Screen.h"

#include <windows.h>

int ScaleToScreen(int designPixels) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return MulDiv(designPixels, dpi, 96);
}
