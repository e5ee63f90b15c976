// Root of every framework object that owns a platform handle: windows, dialogs, menus,
// drawing objects, registry keys.
#pragma once

class HandleObject {
public:
    HandleObject() = default;
    // Runs when the owner is done with the object; derived classes release their handle.
    virtual ~HandleObject() = default;

    // A handle has one owner: objects are never copied.
    HandleObject(const HandleObject&) = delete;
    HandleObject& operator=(const HandleObject&) = delete;
};
