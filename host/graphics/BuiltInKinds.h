// The graphic kinds the host supplies itself.
#pragma once

#include "vel/host/GraphicKinds.h"

namespace Host {

using TRegisterKind = std::function<void(const String&, TGraphicSignature, TGraphicFactory)>;

// Registers each built-in kind through add, in the order they are tried.
void RegisterBuiltInKinds(const TRegisterKind& add);

} // namespace Host
