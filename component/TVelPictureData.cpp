// TVel's picture to gray conversion: the scan rectangle of the picture as gray bytes.
#include "vel/TVel.h"

#include "PictureGray.h"

namespace Vel {

// The gray bytes of the scan rectangle cut to the picture, row after row from the top, with
// width and height set to the cut rectangle's size. Empty when the rectangle lies beyond the
// picture; width and height are then the whole picture's size.
std::vector<std::uint8_t> TVel::GetPictureData(int& width, int& height) const {
    std::optional<TPictureGray> gray = PictureGray(
        FPicture->Graphic(), {FScanLeft, FScanTop, FScanWidth, FScanHeight}, width, height);
    return gray ? std::move(gray->Bytes) : std::vector<std::uint8_t>{};
}

} // namespace Vel
