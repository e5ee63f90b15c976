// The About box's memory page: program memory, storage memory and every storage card, read
// afresh on each paint (the sheet repaints a page whenever it is shown).
#pragma once

#include "PaintedPage.h"

class AboutMemoryPage : public PaintedPage {
public:
    // Draws program memory at y 4, storage memory at 52, then one row per storage card from
    // 100 on, 50 apart; a card whose space cannot be read is left out.
    void PaintRows(HDC dc) override;
};
