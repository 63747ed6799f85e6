#include "vel/host/GraphicKinds.h"

#include "BuiltInKinds.h"
#include "vel/host/Errors.h"

#include <mutex>

namespace Host {

namespace {

struct TKind {
    String Name;
    TGraphicSignature Signature;
    TGraphicFactory Create;
};

struct TRegistry {
    std::mutex Lock;
    std::vector<TKind> Kinds;

    TRegistry() {
        RegisterBuiltInKinds(
            [this](const String& name, TGraphicSignature signature, TGraphicFactory create) {
                Kinds.push_back({name, std::move(signature), std::move(create)});
            });
    }
};

TRegistry& Registry() {
    static TRegistry registry;
    return registry;
}

// "BMP, PNG, ...", for messages.
String KnownKinds() {
    String known;
    for (const String& name : GraphicKindNames())
        known += (known.empty() ? u"" : u", ") + name;
    return known;
}

} // namespace

void RegisterGraphicKind(const String& name, TGraphicSignature signature, TGraphicFactory create) {
    TRegistry& registry = Registry();
    const std::lock_guard lock(registry.Lock);
    registry.Kinds.push_back({name, std::move(signature), std::move(create)});
}

std::vector<String> GraphicKindNames() {
    TRegistry& registry = Registry();
    const std::lock_guard lock(registry.Lock);
    std::vector<String> names;
    for (const TKind& kind : registry.Kinds)
        names.push_back(kind.Name);
    return names;
}

std::unique_ptr<TGraphic> CreateGraphicFor(std::span<const uint8_t> firstBytes) {
    TRegistry& registry = Registry();
    {
        const std::lock_guard lock(registry.Lock);
        for (const TKind& kind : registry.Kinds)
            if (kind.Signature(firstBytes.first(std::min(firstBytes.size(), GraphicSignatureSize))))
                return kind.Create();
    }
    throw EInvalidGraphic(u"Unknown picture format (the data starts like none of " + KnownKinds() +
                          u")");
}

std::unique_ptr<TGraphic> CreateGraphicOfKind(const String& name) {
    TRegistry& registry = Registry();
    {
        const std::lock_guard lock(registry.Lock);
        for (const TKind& kind : registry.Kinds)
            if (kind.Name == name)
                return kind.Create();
    }
    throw EInvalidGraphic(u"Unknown picture format \"" + name + u"\" (the formats known are " +
                          KnownKinds() + u")");
}

} // namespace Host
