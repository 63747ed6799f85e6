// TIFF pictures, read and written with libtiff.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/RasterGraphic.h"

namespace Host {

class VEL_API TTiffImage : public TCloneableGraphic<TTiffImage, TPagedGraphic> {
public:
    // Reads the chosen page (directory; the first by default; see SelectPage) in any layout
    // libtiff's RGBA interface knows (bilevel, gray, palette, RGB, CMYK, YCbCr; any of its
    // compressions), alpha kept unpremultiplied.
    void LoadFromStream(std::istream& stream) override;
    // Writes one page of 8-bit RGB, or RGBA with unassociated alpha when any pixel is not
    // opaque, Deflate-compressed.
    void SaveToStream(std::ostream& stream) const override;

protected:
    // Continues in the decoder the cursor holds open on the file when it can.
    void LoadPage(const TFileBytes& file, std::shared_ptr<TPageCursor>& cursor) override;
};

} // namespace Host
