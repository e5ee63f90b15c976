// A white 32-bit bitmap with a memory context to draw into, whose pixels a test reads.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

class PixelCanvas {
public:
    PixelCanvas(int width, int height) : width(width), height(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits),
                                  nullptr, 0);
        old = SelectObject(dc, bitmap);
        Clear();
    }
    ~PixelCanvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    void Clear() { PatBlt(dc, 0, 0, width, height, WHITENESS); }

    // 0x00RRGGBB, once what was drawn has reached the bitmap.
    DWORD Pixel(int x, int y) const {
        GdiFlush();
        return bits[y * width + x];
    }
    std::vector<DWORD> Pixels() const {
        GdiFlush();
        return std::vector<DWORD>(bits, bits + width * height);
    }

    const int width;
    const int height;
    HDC dc;

private:
    HBITMAP bitmap;
    HGDIOBJ old;
    DWORD* bits = nullptr;
};

// Whether the screen shows a colour somewhere in a rectangle of it.
inline bool ScreenShows(const RECT& part,
                        const std::function<bool(int red, int green, int blue)>& colour) {
    PixelCanvas shot(part.right - part.left, part.bottom - part.top);
    const HDC screen = GetDC(nullptr);
    BitBlt(shot.dc, 0, 0, shot.width, shot.height, screen, part.left, part.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const std::vector<DWORD> pixels = shot.Pixels();
    return std::any_of(pixels.begin(), pixels.end(), [&](DWORD pixel) {
        return colour((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    });
}

// Whether the screen shows a window's client area as the window itself draws it: no other
// window is drawn over any part of it.
inline bool ScreenShows(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    PixelCanvas drawn(client.right, client.bottom);
    PixelCanvas shown(client.right, client.bottom);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(drawn.dc),
                 PRF_CLIENT | PRF_ERASEBKGND);
    const HDC screen = GetDC(nullptr);
    BitBlt(shown.dc, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return drawn.Pixels() == shown.Pixels();
}
