// The decoder a kind of many pages keeps open between the pages of one file.
#pragma once

#include "vel/host/Graphic.h"

#include <memory>
#include <utility>

namespace Host {

class TPageCursor {
public:
    explicit TPageCursor(TFileBytes file) : Bytes(std::move(file)) {}
    virtual ~TPageCursor() = default;
    TPageCursor(const TPageCursor&) = delete;
    TPageCursor& operator=(const TPageCursor&) = delete;

    const TFileBytes Bytes;
};

// The cursor of class T open on file: the one held when it is, otherwise a new one (the old
// one is released first, so two decoders are never held at once).
template <class T> T& CursorOn(std::shared_ptr<TPageCursor>& cursor, const TFileBytes& file) {
    if (auto* open = dynamic_cast<T*>(cursor.get()); open != nullptr && open->Bytes == file)
        return *open;
    cursor.reset();
    auto made = std::make_shared<T>(file);
    T& result = *made;
    cursor = std::move(made);
    return result;
}

} // namespace Host
