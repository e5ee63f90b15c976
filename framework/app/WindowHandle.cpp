#include "WindowHandle.h"

WindowHandle::~WindowHandle() {
    DestroyOwnedWindow();
}

void WindowHandle::DestroyOwnedWindow() {
    if (owned && IsWindow(handle)) {
        DestroyWindow(handle);
    }
    owned = FALSE;
}
