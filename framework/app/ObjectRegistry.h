// The process-wide lists that tie window handles to their objects.
//
// Entries are plain pointers in insertion order; the first entry whose handle matches wins.
// Every access takes a lock, because the file-operation worker thread adds and removes its
// confirmation dialogs while the user-interface thread looks its own dialogs up.
#pragma once

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <vector>

template <class Object> class ObjectRegistry {
public:
    void Add(Object* object) {
        std::lock_guard<std::mutex> lock(mutex);
        entries.push_back(object);
    }

    // Removes every entry that points to the object.
    void Remove(const Object* object) {
        std::lock_guard<std::mutex> lock(mutex);
        entries.erase(std::remove(entries.begin(), entries.end(), object), entries.end());
    }

    Object* Find(HWND handle) const {
        std::lock_guard<std::mutex> lock(mutex);
        for (Object* object : entries) {
            if (object->handle == handle) {
                return object;
            }
        }
        return nullptr;
    }

    // The handles of the entries, in order, taken under the lock: a walk over them may run
    // message handlers that add or remove entries, which must not wait for the walk.
    std::vector<HWND> Handles() const {
        std::lock_guard<std::mutex> lock(mutex);
        std::vector<HWND> handles;
        handles.reserve(entries.size());
        for (const Object* object : entries) {
            handles.push_back(object->handle);
        }
        return handles;
    }

    size_t Size() const {
        std::lock_guard<std::mutex> lock(mutex);
        return entries.size();
    }

private:
    mutable std::mutex mutex;
    std::vector<Object*> entries;
};

class Window;
class DialogWindow;

// Every bound frame window and subclassed control.
ObjectRegistry<Window>& WindowRegistry();
// Every bound dialog, full-screen dialog and property page.
ObjectRegistry<DialogWindow>& DialogRegistry();
