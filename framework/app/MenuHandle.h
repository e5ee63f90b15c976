// Holds a menu; destroys it when owned.
#pragma once

#include "HandleObject.h"

#include <windows.h>

class MenuHandle : public HandleObject {
public:
    explicit MenuHandle(HMENU handle = nullptr, BOOL owned = FALSE)
        : handle(handle), owned(owned) {}
    ~MenuHandle() override {
        if (owned && handle != nullptr) {
            DestroyMenu(handle);
        }
    }

    HMENU handle;
    BOOL owned;
};
