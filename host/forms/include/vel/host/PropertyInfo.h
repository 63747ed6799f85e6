// Published properties: per class, each property's name, type, reader, writer, default and
// whether a stored form holds it. The makers below describe a property of class T from its
// reader and writer (member functions or callables).
#pragma once

#include "vel/host/Export.h"
#include "vel/host/FormText.h"
#include "vel/host/NotifyEvent.h"
#include "vel/host/Persistent.h"
#include "vel/host/String.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <type_traits>
#include <variant>

namespace Host {

class TComponent;

enum class TTypeKind : uint8_t {
    tkInteger, // a signed integer within the property's range
    tkBoolean,
    tkString,
    tkClass,  // a persistent object the component owns; stored through its own properties
    tkMethod, // an event, stored as the name of a method the form's root publishes
};

// The value of a property of any kind but tkClass.
using TPropertyValue = std::variant<int64_t, bool, String, TNotifyEvent>;

// How a form stores a property: never, always, or unless it equals the default.
struct VEL_API TStorage {
    bool Stored = true;
    std::optional<TPropertyValue> Default;

    static TStorage Never() { return {false, {}}; }
    static TStorage NoDefault() { return {true, {}}; }
    static TStorage DefaultIs(int64_t value) { return {true, value}; }
    static TStorage DefaultIs(bool value) { return {true, value}; }
};

struct VEL_API TPropertyInfo {
    String Name;
    TTypeKind Kind = TTypeKind::tkInteger;
    int64_t MinValue = 0; // the range of a tkInteger property
    int64_t MaxValue = 0;
    std::function<TPropertyValue(const TPersistent&)> Get; // all kinds but tkClass
    std::function<void(TPersistent&, const TPropertyValue&)> Set;
    std::function<TPersistent*(const TPersistent&)> GetObject; // tkClass
    TStorage Storage;
};

// Binary data that a persistent class stores beside its published properties (a picture's
// graphic): written as Property.Name = { ... }.
struct VEL_API TDefinedProperty {
    String Name;
    std::function<bool(const TPersistent&)> HasData;
    std::function<TFormBytes(const TPersistent&)> Write;
    std::function<void(TPersistent&, const TFormBytes&)> Read;
};

namespace Detail {

template <class T, class Get>
using ReadType = std::remove_cvref_t<std::invoke_result_t<Get, const T&>>;

template <class T> T& As(TPersistent& object) {
    return static_cast<T&>(object);
}
template <class T> const T& As(const TPersistent& object) {
    return static_cast<const T&>(object);
}

} // namespace Detail

template <class T, class Get, class Set>
TPropertyInfo IntegerProperty(String name, Get get, Set set, TStorage storage) {
    using V = Detail::ReadType<T, Get>;
    static_assert(std::is_integral_v<V> && sizeof(V) <= sizeof(int64_t));
    return {std::move(name),
            TTypeKind::tkInteger,
            std::numeric_limits<V>::min(),
            std::numeric_limits<V>::max(),
            [get](const TPersistent& o) {
                return TPropertyValue(static_cast<int64_t>(std::invoke(get, Detail::As<T>(o))));
            },
            [set](TPersistent& o, const TPropertyValue& v) {
                std::invoke(set, Detail::As<T>(o), static_cast<V>(std::get<int64_t>(v)));
            },
            {},
            std::move(storage)};
}

template <class T, class Get, class Set>
TPropertyInfo BooleanProperty(String name, Get get, Set set, TStorage storage) {
    return {std::move(name),
            TTypeKind::tkBoolean,
            0,
            1,
            [get](const TPersistent& o) {
                return TPropertyValue(static_cast<bool>(std::invoke(get, Detail::As<T>(o))));
            },
            [set](TPersistent& o, const TPropertyValue& v) {
                std::invoke(set, Detail::As<T>(o), std::get<bool>(v));
            },
            {},
            std::move(storage)};
}

template <class T, class Get, class Set>
TPropertyInfo StringProperty(String name, Get get, Set set, TStorage storage) {
    return {std::move(name),
            TTypeKind::tkString,
            0,
            0,
            [get](const TPersistent& o) {
                return TPropertyValue(String(std::invoke(get, Detail::As<T>(o))));
            },
            [set](TPersistent& o, const TPropertyValue& v) {
                std::invoke(set, Detail::As<T>(o), std::get<String>(v));
            },
            {},
            std::move(storage)};
}

// A persistent object the component owns (a picture): read through the getter, stored
// through the object's own properties.
template <class T, class Get> TPropertyInfo ObjectProperty(String name, Get get) {
    TPropertyInfo info;
    info.Name = std::move(name);
    info.Kind = TTypeKind::tkClass;
    info.GetObject = [get](const TPersistent& o) -> TPersistent* {
        return std::invoke(get, Detail::As<T>(o));
    };
    return info;
}

template <class T, class Get, class Set>
TPropertyInfo EventProperty(String name, Get get, Set set) {
    return {std::move(name),
            TTypeKind::tkMethod,
            0,
            0,
            [get](const TPersistent& o) {
                return TPropertyValue(TNotifyEvent(std::invoke(get, Detail::As<T>(o))));
            },
            [set](TPersistent& o, const TPropertyValue& v) {
                std::invoke(set, Detail::As<T>(o), std::get<TNotifyEvent>(v));
            },
            {},
            TStorage::NoDefault()};
}

} // namespace Host
