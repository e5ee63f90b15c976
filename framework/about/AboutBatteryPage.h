// The About box's battery page: the main and the backup battery, read afresh on each paint.
#pragma once

#include "PaintedPage.h"

class AboutBatteryPage : public PaintedPage {
public:
    // Draws the main battery's row at y 4 and the backup battery's at 46.
    void PaintRows(HDC dc) override;
};
