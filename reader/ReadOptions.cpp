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

void CheckPages(const std::vector<int>& pages) {
    for (const int page : pages)
        if (page < 1)
            throw EVelError(Host::FromAnsi("Page " + std::to_string(page) +
                                           " does not exist: pages count from 1"));
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

TReadOptions& TReadOptions::SetIsolated(bool isolated) {
    FIsolated = isolated;
    return *this;
}

TReadOptions& TReadOptions::SetSymbologies(std::vector<TVelSymbology> symbologies) {
    FSymbologies = std::move(symbologies);
    return *this;
}

TReadOptions& TReadOptions::SetRefusePartial(bool refuse) {
    FRefusePartial = refuse;
    return *this;
}

TReadOptions& TReadOptions::SetPages(std::vector<int> pages) {
    CheckPages(pages);
    FPages = std::move(pages);
    return *this;
}

TReadOptions& TReadOptions::SetResolution(int dotsPerInch) {
    if (dotsPerInch < 1)
        throw EVelError(Host::FromAnsi("Resolution of " + std::to_string(dotsPerInch) +
                                       " dots per inch is below 1"));
    FResolution = dotsPerInch;
    return *this;
}

} // namespace Vel
