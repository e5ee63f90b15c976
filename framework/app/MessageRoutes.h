// Message tables: which handler of a window or dialog object a message goes to.
#pragma once

#include <windows.h>

#include <cstddef>

// A handler as every On... member of the framework's classes has it. A pointer to a virtual
// handler calls the object's override.
template <class Object, class Result>
using MessageHandler = Result (Object::*)(HWND, UINT, WPARAM, LPARAM);

// One row of a table: a message, or a notification code, and the handler it goes to.
template <class Object, class Result> struct MessageRoute {
    UINT message;
    MessageHandler<Object, Result> handler;
};

// The handler the table names for `message`, or null when it names none.
template <class Object, class Result, std::size_t Count>
MessageHandler<Object, Result> FindHandler(const MessageRoute<Object, Result> (&table)[Count],
                                           UINT message) {
    for (const MessageRoute<Object, Result>& route : table) {
        if (route.message == message) {
            return route.handler;
        }
    }
    return nullptr;
}

// Hands the message to the object's handler for it, and one the table does not name to
// `otherwise` (called without arguments); answers what that returned.
template <class Object, class Result, std::size_t Count, class Otherwise>
Result RouteMessage(Object& object, const MessageRoute<Object, Result> (&table)[Count], HWND window,
                    UINT message, WPARAM wParam, LPARAM lParam, Otherwise otherwise) {
    const MessageHandler<Object, Result> handler = FindHandler(table, message);
    if (handler == nullptr) {
        return otherwise();
    }
    return (object.*handler)(window, message, wParam, lParam);
}
