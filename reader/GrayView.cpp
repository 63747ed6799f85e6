#include "vel/GrayView.h"

#include "vel/VelError.h"

#include <string>

namespace Vel {

namespace {

Host::String ViewText(int width, int height, int stride) {
    return Host::FromAnsi(std::to_string(width) + " x " + std::to_string(height) + " with stride " +
                          std::to_string(stride));
}

void CheckView(const std::uint8_t* pixels, int width, int height, int stride) {
    if (width < 0 || height < 0)
        throw EVelError(u"Gray view " + ViewText(width, height, stride) + u" has a negative size");
    if (stride < width)
        throw EVelError(u"Gray view " + ViewText(width, height, stride) +
                        u" has a stride below its width");
    if (pixels == nullptr && width != 0 && height != 0)
        throw EVelError(u"Gray view " + ViewText(width, height, stride) + u" has no pixels");
}

} // namespace

TGrayView::TGrayView(const std::uint8_t* pixels, int width, int height, int stride)
    : FPixels(pixels), FWidth(width), FHeight(height), FStride(stride) {
    CheckView(pixels, width, height, stride);
}

} // namespace Vel
