// Resources a module carries beside its code: typed, named or numbered blocks of bytes,
// laid out as in the Windows resource format (bitmaps as DIBs, string tables in blocks of
// 16, version records). The resource compiler velrc turns a script into a module's table;
// a loaded module exports it as HostModuleResources.
#pragma once

#include "vel/host/DynamicLibrary.h"
#include "vel/host/Exception.h"
#include "vel/host/Export.h"
#include "vel/host/String.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace Host {

class TBitmap;

// Resource types, numbered as in the Windows resource format.
enum class TResourceType : uint16_t {
    rtBitmap = 2,
    rtIcon = 3,
    rtString = 6,
    rtRCData = 10,
    rtGroupIcon = 14,
    rtVersion = 16,
};

struct VEL_API TResourceEntry {
    TResourceType Type;
    const char16_t* Name; // null for a numbered resource
    uint16_t Number;
    uint16_t Language;
    const uint8_t* Data;
    size_t Size;
};

struct VEL_API TResourceTable {
    const TResourceEntry* Entries;
    size_t Count;
};

using TResourceData = std::span<const uint8_t>;

// The name of the exported table of a loaded module.
inline constexpr char ModuleResourcesSymbol[] = "HostModuleResources";

// A resource that a module lacks.
class VEL_API EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// The table the module itself exports (not one of a library it depends on), or null.
VEL_API const TResourceTable* ModuleResources(TModuleHandle module);

// The resource of the type with the name (compared without regard to ASCII case) or number.
VEL_API std::optional<TResourceData> FindResource(const TResourceTable& table, TResourceType type,
                                                  const String& name);
VEL_API std::optional<TResourceData> FindResource(const TResourceTable& table, TResourceType type,
                                                  uint16_t number);

// String number id of the module's string tables. EResNotFound when it has none.
VEL_API String LoadResString(const TResourceTable& table, uint16_t id);

// The bitmap resource with the name, in its own pixel format and palette. EResNotFound when
// the module lacks it; EInvalidGraphic when its data is not a bitmap.
VEL_API std::unique_ptr<TBitmap> LoadResourceBitmap(const TResourceTable& table,
                                                    const String& name);

} // namespace Host
