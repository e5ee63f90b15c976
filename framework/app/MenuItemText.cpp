#include "MenuItemText.h"

#include "Application.h"
#include "GdiObject.h"

#include <windows.h>

namespace {

// Beside an item's text, a menu draws a column for check marks and one for the arrow of a
// submenu, and its frame.
constexpr int kMenuDesignFrame = 8;

} // namespace

std::wstring Unprefixed(const std::wstring& text) {
    std::wstring escaped;
    for (const wchar_t c : text) {
        escaped += c;
        if (c == L'&') {
            escaped += L'&';
        }
    }
    return escaped;
}

std::wstring MenuItemText(const std::wstring& text, int menuWidth) {
    const GdiObject font(CreateSystemFont(&NONCLIENTMETRICSW::lfMenuFont), TRUE);
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ oldFont = SelectObject(dc, font.handle);
    RECT room = {0, 0, menuWidth - 2 * GetSystemMetrics(SM_CXMENUCHECK) - ScaleX(kMenuDesignFrame),
                 0};
    // Room for the "..." that replaces the end, and its terminator.
    std::wstring fitted = text;
    fitted.append(4, L'\0');
    DrawTextExW(dc, fitted.data(), static_cast<int>(text.size()), &room,
                DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT | DT_END_ELLIPSIS | DT_MODIFYSTRING,
                nullptr);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    return Unprefixed(fitted.c_str());
}
