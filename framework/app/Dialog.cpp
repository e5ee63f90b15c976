#include "Dialog.h"

#include "MessageRoutes.h"

INT_PTR Dialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    static constexpr MessageRoute<Dialog, INT_PTR> kRoutes[] = {
        {WM_INITDIALOG, &Dialog::OnInitDialog},
        {WM_DESTROY, &Dialog::OnDestroy},
        {WM_COMMAND, &Dialog::OnCommand},
        {WM_NOTIFY, &Dialog::OnNotify},
    };
    return RouteMessage(*this, kRoutes, dialog, message, wParam, lParam, [] { return INT_PTR{0}; });
}
