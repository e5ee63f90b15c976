// A property page without controls that paints its content: the About box's memory and
// battery pages.
#pragma once

#include "framework/app/PropertyPage.h"

class PaintedPage : public PropertyPage {
public:
    // Adds painting to the page's messages.
    INT_PTR DialogProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Paints the rows inside the page's paint scope.
    virtual INT_PTR OnPaint(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

    // Draws the page's content into `dc`.
    virtual void PaintRows(HDC dc) = 0;
};
