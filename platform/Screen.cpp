#include "Screen.h"

#include <algorithm>

namespace {

constexpr int kDeviceDesignWidth = 240;
constexpr int kDeviceDesignHeight = 320;

} // namespace

int ScaleToScreen(int designPixels) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return MulDiv(designPixels, dpi, 96);
}

bool IsDesktopScreen() {
    return GetSystemMetrics(SM_CXSCREEN) > ScaleToScreen(kDeviceDesignWidth) ||
           GetSystemMetrics(SM_CYSCREEN) > ScaleToScreen(kDeviceDesignHeight);
}

RECT DeviceScreenRect() {
    const RECT host = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!IsDesktopScreen()) {
        return host;
    }
    const int width = ScaleToScreen(kDeviceDesignWidth);
    const int height = ScaleToScreen(kDeviceDesignHeight);
    RECT work = host;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    return {left, top, std::min<LONG>(left + width, host.right),
            std::min<LONG>(top + height, host.bottom)};
}
