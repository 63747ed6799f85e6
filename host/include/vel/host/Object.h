// The root class of the host's object model, so that an event can pass any sender.
#pragma once

namespace Host {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

} // namespace Host
