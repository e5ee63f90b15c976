#include "GuiObjects.h"

namespace {

// Wine's first user handle and the step between two, and the number of slots of each table.
constexpr ULONG_PTR kFirstUserHandle = 0x0020;
constexpr ULONG_PTR kLastUserHandle = 0xffef;
constexpr ULONG_PTR kGdiHandles = 0x10000;

DWORD CountGdiObjects() {
    DWORD count = 0;
    for (ULONG_PTR index = 1; index < kGdiHandles; ++index) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    }
    return count;
}

DWORD CountUserObjects() {
    DWORD count = 0;
    for (ULONG_PTR value = kFirstUserHandle; value <= kLastUserHandle; value += 2) {
        const auto handle = reinterpret_cast<HANDLE>(value);
        ICONINFO icon = {};
        if (IsWindow(static_cast<HWND>(handle)) || IsMenu(static_cast<HMENU>(handle))) {
            ++count;
        } else if (GetIconInfo(static_cast<HICON>(handle), &icon)) {
            DeleteObject(icon.hbmMask);
            DeleteObject(icon.hbmColor);
            ++count;
        }
    }
    return count;
}

} // namespace

GuiObjects CountGuiObjects() {
    GuiObjects objects;
    objects.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    objects.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (objects.gdi == 0 && objects.user == 0) {
        objects.gdi = CountGdiObjects();
        objects.user = CountUserObjects();
    }
    return objects;
}
