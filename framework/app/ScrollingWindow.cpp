#include "ScrollingWindow.h"

LRESULT ScrollingWindow::OnHScroll(HWND, UINT, WPARAM wParam, LPARAM) {
    ScrollContents(SB_HORZ, wParam);
    return 0;
}

LRESULT ScrollingWindow::OnVScroll(HWND, UINT, WPARAM wParam, LPARAM) {
    ScrollContents(SB_VERT, wParam);
    return 0;
}

void ScrollingWindow::ScrollContents(int bar, WPARAM wParam) {
    const int distance = Scroll(bar, LOWORD(wParam));
    if (distance == 0) {
        return;
    }
    ScrollWindowEx(handle, bar == SB_HORZ ? distance : 0, bar == SB_VERT ? distance : 0, nullptr,
                   nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    UpdateWindow(handle);
}

int ScrollingWindow::Scroll(int bar, int request) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(handle, bar, &info);
    const int oldPosition = info.nPos;
    int position = oldPosition;
    switch (request) {
    case SB_LINEUP:
        position -= 1;
        break;
    case SB_LINEDOWN:
        position += 1;
        break;
    case SB_PAGEUP:
        position -= static_cast<int>(info.nPage);
        break;
    case SB_PAGEDOWN:
        position += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = info.nMin;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        break;
    }
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(handle, bar, &info, TRUE);
    info.fMask = SIF_POS;
    GetScrollInfo(handle, bar, &info);
    return oldPosition - info.nPos;
}
