// The state flags the host sets on a component, and their small set type.
#pragma once

#include "vel/host/Export.h"
#include <cstdint>

namespace Host {

enum class TComponentStateFlag : uint8_t {
    csLoading,  // its stored properties are being read from a form
    csDesigning // it lives in the form designer
};

inline constexpr TComponentStateFlag csLoading = TComponentStateFlag::csLoading;
inline constexpr TComponentStateFlag csDesigning = TComponentStateFlag::csDesigning;

class VEL_API TComponentState {
public:
    constexpr TComponentState() = default;

    constexpr bool Contains(TComponentStateFlag flag) const { return (FBits & Bit(flag)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr void Include(TComponentStateFlag flag) { FBits |= Bit(flag); }
    constexpr void Exclude(TComponentStateFlag flag) { FBits &= static_cast<uint8_t>(~Bit(flag)); }

    friend constexpr bool operator==(TComponentState, TComponentState) = default;

private:
    static constexpr uint8_t Bit(TComponentStateFlag flag) {
        return static_cast<uint8_t>(1u << static_cast<unsigned>(flag));
    }

    uint8_t FBits = 0;
};

} // namespace Host
