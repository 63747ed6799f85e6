// TVelImage: one ZBar image describing a caller's 8-bit gray buffer, which it refers to
// without copying. The buffer holds one byte per pixel (0 black to 255 white), rows from the
// top, each row left to right, no gap between rows: width x height bytes. The caller keeps
// it alive and unchanged for the life of the image.
#pragma once

#include "vel/Enumerations.h"
#include "vel/Loader.h"
#include "vel/host/Export.h"
#include "vel/host/Object.h"
#include "vel/zbar/Types.h"

namespace Vel {

class VEL_API TVelImage : public Host::TObject {
public:
    // Raises EVelError when no ZBar library is loaded, when a size is negative, when data is
    // null for a non-empty image, when dataLength is below width x height, or when ZBar
    // cannot create the image.
    TVelImage(TVelImageFormat format, int width, int height, const void* data, int dataLength);
    ~TVelImage() override;

    // Each reader asks ZBar afresh.
    const void* Data() const;
    int DataLength() const;
    TVelImageFormat Format() const;
    int Height() const;
    int Width() const;

    // The ZBar image, for ZBar's own functions (the table's entries).
    ZBar::zbar_image_t* Handle() const noexcept { return FHandle; }

private:
    ZBar::zbar_image_t* FHandle = nullptr;
    TLibraryGeneration FGeneration = 0;
};

} // namespace Vel
