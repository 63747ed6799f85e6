// PDF documents, each page drawn into pixels with poppler.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/RasterGraphic.h"

namespace Host {

class VEL_API TPdfImage : public TCloneableGraphic<TPdfImage, TPagedGraphic> {
public:
    // Draws the chosen page (the first by default; see SelectPage) at the choice's
    // resolution, antialiased, on white. The page's size in pixels, from its size in points,
    // passes the pixel limit before anything is drawn. An encrypted document (locked with a
    // password), a damaged one or one without pages raises EInvalidGraphic saying which.
    void LoadFromStream(std::istream& stream) override;
    // Refused with EInvalidGraphic: a drawn page is no PDF. Assign the graphic to a bitmap or
    // another kind to save its pixels.
    void SaveToStream(std::ostream& stream) const override;

protected:
    // Continues in the decoder the cursor holds open on the file when it can.
    void LoadPage(const TFileBytes& file, std::shared_ptr<TPageCursor>& cursor) override;
};

} // namespace Host
