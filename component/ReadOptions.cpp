#include "vel/ReadOptions.h"

#include "vel/VelError.h"

#include <string>
#include <utility>

namespace Vel {

namespace {

void CheckScanRect(const TRect& rect) {
    if (rect.Left >= 0 && rect.Top >= 0 && rect.Width >= 0 && rect.Height >= 0)
        return;
    throw EVelError(Host::FromAnsi("Scan rectangle " + std::to_string(rect.Left) + ", " +
                                   std::to_string(rect.Top) + ", " + std::to_string(rect.Width) +
                                   " x " + std::to_string(rect.Height) + " has a negative value"));
}

} // namespace

TReadOptions& TReadOptions::SetSettings(std::vector<std::string> settings) {
    FSettings = std::move(settings);
    return *this;
}

TReadOptions& TReadOptions::AddSetting(std::string setting) {
    FSettings.push_back(std::move(setting));
    return *this;
}

TReadOptions& TReadOptions::SetScanRect(const TRect& rect) {
    CheckScanRect(rect);
    FScanRect = rect;
    return *this;
}

TReadOptions& TReadOptions::SetEffort(TVelEffort effort) {
    FEffort = effort;
    return *this;
}

} // namespace Vel
