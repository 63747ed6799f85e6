// TVelSymbol: one barcode found by a scan, a read-only view of a ZBar symbol. Every property
// asks ZBar again; the outline is given in the coordinates of the whole picture.
#pragma once

#include "vel/Enumerations.h"
#include "vel/Loader.h"
#include "vel/host/Export.h"
#include "vel/host/Object.h"
#include "vel/host/String.h"
#include "vel/zbar/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Vel {

class TVel;

class VEL_API TVelSymbol : public Host::TObject {
public:
    // Wraps the ZBar symbol, which stays ZBar's: it lives as long as the image it was read
    // from. vel is the component whose scan rectangle origin moves the outline into picture
    // coordinates; without one the origin is (0, 0). Raises "ZBar library is not loaded" while
    // no library is loaded, and "ZBar Symbol is null" for a null handle.
    TVelSymbol(const TVel* vel, const ZBar::zbar_symbol_t* handle);

    const ZBar::zbar_symbol_t* Handle() const noexcept { return FHandle; }

    // ZBar's inter-image cache count of the symbol.
    int CacheCount() const;
    // The decoded bytes, whole, zero bytes included.
    std::vector<std::uint8_t> Data() const;
    // The same bytes as an 8-bit string, not re-coded.
    std::string DataAnsi() const;
    int DataLength() const;

    // The outline: LocationCount points; LocationX and LocationY add the scan rectangle's
    // origin to ZBar's coordinates. An index outside the outline gets ZBar's answer (-1)
    // plus the origin.
    int LocationCount() const;
    int LocationX(int index) const;
    int LocationY(int index) const;

    TVelModifiers Modifiers() const;
    TVelOrientation Orientation() const;
    Host::String OrientationName() const;
    // ZBar's relative confidence; larger is better.
    int Quality() const;
    TVelSymbology Symbology() const;
    Host::String SymbologyName() const;
    TVelSymbologyAddon SymbologyAddon() const;
    Host::String SymbologyAddonName() const;

private:
    int OriginX() const noexcept;
    int OriginY() const noexcept;

    const ZBar::zbar_symbol_t* FHandle;
    TLibraryGeneration FGeneration;
    const TVel* FVel;
};

} // namespace Vel
