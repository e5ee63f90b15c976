#include "GdiObject.h"

#include "Application.h"

#include <cwchar>

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
        wcsncpy(description.lfFaceName, faceName, LF_FACESIZE - 1);
    }
    handle = CreateFontIndirectW(&description);
    owned = handle != nullptr;
}
