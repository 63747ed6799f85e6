// The enumerations through which the component speaks to its callers. TVelSymbology,
// TVelConfig and TVelOrientation carry ZBar's codes as their ordinals.
#pragma once

#include "vel/host/Export.h"
#include "vel/zbar/Enums.h"

#include <cstdint>
#include <initializer_list>

namespace Vel {

// A symbology: ZBar's symbol type code without add-on bits. The values above ZBar's codes
// name codes only the reader's second engine reads (zxing-cpp, where the build has it);
// ZBar reads PDF417 in no release, so the reader's PDF417s come from that engine too.
enum class TVelSymbology : std::uint8_t {
    syNone = ZBar::ZBAR_NONE,
    syPartial = ZBar::ZBAR_PARTIAL,
    syEan2 = ZBar::ZBAR_EAN2,
    syEan5 = ZBar::ZBAR_EAN5,
    syEan8 = ZBar::ZBAR_EAN8,
    syUpcE = ZBar::ZBAR_UPCE,
    syIsbn10 = ZBar::ZBAR_ISBN10,
    syUpcA = ZBar::ZBAR_UPCA,
    syEan13 = ZBar::ZBAR_EAN13,
    syIsbn13 = ZBar::ZBAR_ISBN13,
    syComposite = ZBar::ZBAR_COMPOSITE,
    syI25 = ZBar::ZBAR_I25,
    syDataBar = ZBar::ZBAR_DATABAR,
    syDataBarExp = ZBar::ZBAR_DATABAR_EXP,
    syCodabar = ZBar::ZBAR_CODABAR,
    syCode39 = ZBar::ZBAR_CODE39,
    syPdf417 = ZBar::ZBAR_PDF417,
    syQrCode = ZBar::ZBAR_QRCODE,
    sySqCode = ZBar::ZBAR_SQCODE,
    syCode93 = ZBar::ZBAR_CODE93,
    syCode128 = ZBar::ZBAR_CODE128,
    syDataMatrix = ZBar::ZBAR_CODE128 + 1, // GS1 DataMatrix has the modifier moGs1Reserved
    syAztec,
    syMaxiCode,
    syMicroQrCode,
};

// The add-on of an EAN/UPC symbol (ZBar's bits 0x0200 and 0x0500 of the symbol type).
enum class TVelSymbologyAddon : std::uint8_t { saNone, sa2Digit, sa5Digit };

// A decoder setting: ZBar's configuration code (some reach above 255).
enum class TVelConfig : std::uint16_t {
    coEnable = ZBar::ZBAR_CFG_ENABLE,
    coAddCheck = ZBar::ZBAR_CFG_ADD_CHECK,
    coEmitCheck = ZBar::ZBAR_CFG_EMIT_CHECK,
    coAscii = ZBar::ZBAR_CFG_ASCII,
    coBinary = ZBar::ZBAR_CFG_BINARY,
    coMinLength = ZBar::ZBAR_CFG_MIN_LEN,
    coMaxLength = ZBar::ZBAR_CFG_MAX_LEN,
    coUncertainty = ZBar::ZBAR_CFG_UNCERTAINTY,
    coPosition = ZBar::ZBAR_CFG_POSITION,
    coTestInverted = ZBar::ZBAR_CFG_TEST_INVERTED,
    coXDensity = ZBar::ZBAR_CFG_X_DENSITY,
    coYDensity = ZBar::ZBAR_CFG_Y_DENSITY,
};

// The orientation of a symbol: ZBar's orientation code.
enum class TVelOrientation : std::int8_t {
    orUnknown = ZBar::ZBAR_ORIENT_UNKNOWN,
    orUp = ZBar::ZBAR_ORIENT_UP,
    orRight = ZBar::ZBAR_ORIENT_RIGHT,
    orDown = ZBar::ZBAR_ORIENT_DOWN,
    orLeft = ZBar::ZBAR_ORIENT_LEFT,
};

// A symbol modifier: ZBar's modifier number.
enum class TVelModifier : std::uint8_t { moGs1Reserved, moAimReserved };

// The pixel format of an image; both are 8-bit gray.
enum class TVelImageFormat : std::uint8_t { foY800, foGray };

// A set of modifiers in one byte: bit 0 moGs1Reserved, bit 1 moAimReserved.
class VEL_API TVelModifiers {
public:
    constexpr TVelModifiers() noexcept = default;
    constexpr TVelModifiers(std::initializer_list<TVelModifier> modifiers) noexcept {
        for (const TVelModifier modifier : modifiers)
            Include(modifier);
    }

    constexpr void Include(TVelModifier modifier) noexcept { FBits |= Bit(modifier); }
    constexpr bool Contains(TVelModifier modifier) const noexcept {
        return (FBits & Bit(modifier)) != 0;
    }
    constexpr bool Empty() const noexcept { return FBits == 0; }
    constexpr std::uint8_t Bits() const noexcept { return FBits; }

    friend constexpr bool operator==(TVelModifiers, TVelModifiers) noexcept = default;

private:
    static constexpr std::uint8_t Bit(TVelModifier modifier) noexcept {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(modifier));
    }

    std::uint8_t FBits = 0;
};

} // namespace Vel
