// The registry of graphic kinds a picture can load, each told by the first bytes of its
// data. The host's own kinds are registered from the start.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/Graphic.h"
#include "vel/host/String.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace Host {

// How many first bytes a signature test is given at most (fewer for shorter data).
inline constexpr size_t GraphicSignatureSize = 16;

using TGraphicSignature = std::function<bool(std::span<const uint8_t> firstBytes)>;
using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

// Adds a kind, tried after the ones registered before it.
VEL_API void RegisterGraphicKind(const String& name, TGraphicSignature signature,
                                 TGraphicFactory create);

// The names of the kinds known, in the order they are tried ("BMP", "PNG", ...).
VEL_API std::vector<String> GraphicKindNames();

// A new empty graphic of the first kind whose signature matches; EInvalidGraphic naming
// the kinds known when none does.
VEL_API std::unique_ptr<TGraphic> CreateGraphicFor(std::span<const uint8_t> firstBytes);

// A new empty graphic of the kind of that name ("PNG", as GraphicKindNames gives it), to
// write a picture in that kind: assign a bitmap to it, then save it. EInvalidGraphic naming
// the kinds known when none has that name.
VEL_API std::unique_ptr<TGraphic> CreateGraphicOfKind(const String& name);

} // namespace Host
