#include "WindowHandle.h"

WindowHandle::~WindowHandle() {
    if (owned && IsWindow(handle)) {
        DestroyWindow(handle);
    }
}
