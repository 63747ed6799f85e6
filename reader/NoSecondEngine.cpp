// The build without a second engine: the reader reads with ZBar alone.
#include "SecondEngine.h"

namespace Vel {

std::string_view SecondEngineName() {
    return {};
}

std::vector<TReadBarcode> ReadWithSecondEngine(TGrayPlane, TEngineScope, std::string_view) {
    return {};
}

} // namespace Vel
