#include "Application.h"

#include "RegistryKey.h"
#include "resources/app_ids.h"

namespace {

constexpr LANGID kJapanese = 0x0411;
constexpr int kHighResolutionDpi = 130;

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

void InitApplicationValues(HINSTANCE instance) {
    Application::instance = instance;

    Application::japanese = GetUserDefaultLangID() == kJapanese;
    DWORD toggle = 0;
    if (ReadRegistryNumber(HKEY_CURRENT_USER, L"Software\\Orvintek", L"LangToggle", toggle) ==
            ERROR_SUCCESS &&
        toggle != 0) {
        Application::japanese = !Application::japanese;
    }

    const HDC screen = GetDC(nullptr);
    Application::dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    Application::dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    Application::hiRes = Application::dpiX >= kHighResolutionDpi;

    LoadStringW(instance, IDS_TITLE, Application::title, 128);
    LoadStringW(instance, IDS_CLASS_NAME, Application::className, 128);
}
