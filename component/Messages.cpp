#include "Messages.h"

#include "ComponentResources.h"

namespace Vel {

// The texts live once, in the string table the library carries (Messages.vrc).
Host::String MessageText(TVelMessage message) {
    return Host::LoadResString(ComponentResources(), static_cast<std::uint16_t>(message));
}

} // namespace Vel
