#include "PaintedPage.h"

#include "framework/app/PaintScope.h"

INT_PTR PaintedPage::DialogProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        return OnPaint(page, message, wParam, lParam);
    }
    // Drawing into a context that is not the screen's, as printing or an animation does.
    if (message == WM_PRINTCLIENT) {
        PaintRows(reinterpret_cast<HDC>(wParam));
        return 1;
    }
    return PropertyPage::DialogProc(page, message, wParam, lParam);
}

INT_PTR PaintedPage::OnPaint(HWND page, UINT, WPARAM, LPARAM) {
    const PaintScope paint(page);
    PaintRows(paint.handle);
    return 1;
}
