// GIF pictures, read and written with giflib.
#pragma once

#include "vel/host/Export.h"
#include "vel/host/RasterGraphic.h"

namespace Host {

class VEL_API TGifImage : public TCloneableGraphic<TGifImage, TPagedGraphic> {
public:
    // Reads the chosen frame (the first by default; see SelectPage), interlaced or not, onto
    // the logical screen: its transparent colour gets alpha 0; the screen outside the frame
    // has the background colour. A frame is drawn alone, not over the frames before it as an
    // animation shows it: reading every frame of a file then costs one decoding each. A frame
    // larger than its data could describe is refused, and so is a screen of more than 2^22
    // pixels that its frame's data could not fill.
    void LoadFromStream(std::istream& stream) override;
    // Writes one frame with the exact colours when there are 256 or fewer, otherwise the
    // nearest of 8 x 8 x 4 levels; alpha is dropped.
    void SaveToStream(std::ostream& stream) const override;

protected:
    // Continues in the decoder the cursor holds open on the file when it can.
    void LoadPage(const TFileBytes& file, std::shared_ptr<TPageCursor>& cursor) override;
};

} // namespace Host
