// An event handler taking the sender: bound to the object it belongs to, possibly unassigned.
// A handler set from a stored form also keeps the method name it was found by.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/Object.h"
#include "vel/host/String.h"

#include <functional>
#include <type_traits>
#include <utility>

namespace Host {

class VEL_API TNotifyEvent {
public:
    TNotifyEvent() = default;

    // A handler bound to a member function of an object.
    template <class T>
    TNotifyEvent(T* object, void (T::*method)(TObject*))
        : FObject(object),
          FHandler([object, method](TObject* sender) { (object->*method)(sender); }) {}

    // A handler that is any callable taking the sender (a lambda, a std::function, ...);
    // object is the one it belongs to (may be null). Implicit, so that a setter taking a
    // TNotifyEvent takes a lambda too.
    template <class F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, TNotifyEvent> &&
             std::is_invocable_r_v<void, F&, TObject*>)
        TNotifyEvent(F&& handler, TObject* object = nullptr)
        : FObject(object), FHandler(std::forward<F>(handler)) {}

    bool Assigned() const noexcept { return static_cast<bool>(FHandler); }
    explicit operator bool() const noexcept { return Assigned(); }

    // The object the handler belongs to, or null.
    TObject* Object() const noexcept { return FObject; }

    // The published method name the handler was resolved from; empty for one set in code.
    const String& Name() const noexcept { return FName; }
    void SetName(String name) { FName = std::move(name); }

    // Calls the handler, if one is assigned, synchronously on this thread.
    void operator()(TObject* sender) const {
        if (FHandler)
            FHandler(sender);
    }

private:
    TObject* FObject = nullptr;
    std::function<void(TObject*)> FHandler;
    String FName;
};

} // namespace Host
