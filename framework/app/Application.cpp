#include "Application.h"

namespace {

int ScaleByDpi(int designPixels, int dpi) {
    const int magnitude = (designPixels < 0 ? -designPixels : designPixels) * dpi;
    const int scaled = (magnitude + 48) / 96;
    return designPixels < 0 ? -scaled : scaled;
}

} // namespace

int ScaleX(int designPixels) {
    return ScaleByDpi(designPixels, Application::dpiX);
}

int ScaleY(int designPixels) {
    return ScaleByDpi(designPixels, Application::dpiY);
}

std::wstring LocalizedResourceName(const wchar_t* baseName) {
    return std::wstring(baseName) + (Application::japanese ? L"_J" : L"_E");
}
