// Drawing objects: a holder that deletes what it owns, and the program's fonts.
#pragma once

#include "HandleObject.h"

#include <windows.h>

class GdiObject : public HandleObject {
public:
    explicit GdiObject(HGDIOBJ handle = nullptr, BOOL owned = FALSE)
        : handle(handle), owned(owned) {}
    ~GdiObject() override;

    HGDIOBJ handle;
    BOOL owned;
};

// A font of the current language's character set (Shift-JIS for Japanese).
class Font : public GdiObject {
public:
    // `height` is passed as it is: negative for a character height in pixels. `weight` is
    // 0 (normal) or 600 (semi-bold); `faceName` may be null: then Japanese text gets the face
    // of the system's messages, which has Japanese on a Japanese device and through the
    // system's font links elsewhere (the face the character set alone picks may have no
    // digits), and English text the platform's default face.
    Font(LONG height, LONG weight, BYTE pitchAndFamily, const wchar_t* faceName = nullptr);

    HFONT Handle() const { return static_cast<HFONT>(handle); }
};

// The system's font for a part of the screen, as &NONCLIENTMETRICSW::lfMenuFont names it,
// made anew; the caller deletes it.
HFONT CreateSystemFont(LOGFONTW NONCLIENTMETRICSW::*part);
