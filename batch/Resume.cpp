#include "vel/batch/Resume.h"

#include <vel/host/Graphic.h>

#include <algorithm>

namespace VelBatch {

void TFinishedPictures::Add(const std::string& path, std::optional<long long> pages) {
    if (!pages || ++FPagesSeen[path] >= FPages.CountWithin(static_cast<int>(
                                            std::min<long long>(*pages, Host::MaxPicturePages))))
        FDone.insert(path);
}

void TFinishedPictures::Forget(const std::string& path) {
    FDone.erase(path);
    FPagesSeen.erase(path);
}

} // namespace VelBatch
