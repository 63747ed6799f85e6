#include "vel/Engines.h"

#include "SecondEngine.h"

namespace Vel {

std::vector<std::string> EngineNames() {
    std::vector<std::string> names{"ZBar"};
    if (!SecondEngineName().empty())
        names.emplace_back(SecondEngineName());
    return names;
}

} // namespace Vel
