#include "GdiObject.h"

#include "Application.h"

#include <strsafe.h>

GdiObject::~GdiObject() {
    if (owned && handle != nullptr) {
        DeleteObject(handle);
    }
    handle = nullptr;
    owned = FALSE;
}

Font::Font(LONG height, LONG weight, BYTE pitchAndFamily, const wchar_t* faceName) {
    LOGFONTW description = {};
    description.lfHeight = height;
    description.lfWeight = weight;
    description.lfPitchAndFamily = pitchAndFamily;
    description.lfCharSet = Application::japanese ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
    if (faceName != nullptr) {
        StringCchCopyW(description.lfFaceName, LF_FACESIZE, faceName);
    } else if (Application::japanese) {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        StringCchCopyW(description.lfFaceName, LF_FACESIZE, metrics.lfMessageFont.lfFaceName);
    }
    handle = CreateFontIndirectW(&description);
    owned = handle != nullptr;
}

HFONT CreateSystemFont(LOGFONTW NONCLIENTMETRICSW::*part) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirectW(&(metrics.*part));
}
