#include "vel/Image.h"

#include "Check.h"
#include "vel/ZBarEntries.h"
#include "vel/host/NumberText.h"
#include "vel/zbar/FourCC.h"

#include <cstdint>

namespace Vel {

namespace {

constexpr unsigned long Y800 = ZBar::zbar_fourcc('Y', '8', '0', '0');
constexpr unsigned long Gray = ZBar::zbar_fourcc('G', 'R', 'A', 'Y');

Host::String SizeText(int width, int height) {
    return Host::IntToStr(width) + u" x " + Host::IntToStr(height);
}

// The buffer must be able to hold width x height bytes, so that ZBar reads only the caller's.
void CheckBuffer(int width, int height, const void* data, int dataLength) {
    if (width < 0 || height < 0)
        throw EVelError(u"Image size " + SizeText(width, height) + u" is negative");
    const std::int64_t pixels = std::int64_t{width} * height;
    if (data == nullptr && (pixels != 0 || dataLength != 0))
        throw EVelError(u"Image data is null for a " + SizeText(width, height) +
                        u" image of data length " + Host::IntToStr(dataLength));
    if (dataLength < pixels)
        throw EVelError(u"Image data length " + Host::IntToStr(dataLength) + u" is less than " +
                        SizeText(width, height) + u" = " + Host::IntToStr(pixels) + u" bytes");
}

} // namespace

TVelImage::TVelImage(TVelImageFormat format, int width, int height, const void* data,
                     int dataLength) {
    CheckLoaded();
    CheckBuffer(width, height, data, dataLength);
    FHandle = zbar_image_create();
    Check(FHandle != nullptr, TVelMessage::msCantCreateImage);
    zbar_image_set_format(FHandle, format == TVelImageFormat::foY800 ? Y800 : Gray);
    zbar_image_set_size(FHandle, static_cast<unsigned>(width), static_cast<unsigned>(height));
    zbar_image_set_data(FHandle, data, static_cast<unsigned long>(dataLength), nullptr);
}

TVelImage::~TVelImage() {
    if (FHandle != nullptr && LoadedAs(FGeneration))
        zbar_image_destroy(FHandle);
}

const void* TVelImage::Data() const {
    CheckLoadedAs(FGeneration);
    return zbar_image_get_data(FHandle);
}

int TVelImage::DataLength() const {
    CheckLoadedAs(FGeneration);
    return static_cast<int>(zbar_image_get_data_length(FHandle));
}

TVelImageFormat TVelImage::Format() const {
    CheckLoadedAs(FGeneration);
    return zbar_image_get_format(FHandle) == Y800 ? TVelImageFormat::foY800
                                                  : TVelImageFormat::foGray;
}

int TVelImage::Height() const {
    CheckLoadedAs(FGeneration);
    return static_cast<int>(zbar_image_get_height(FHandle));
}

int TVelImage::Width() const {
    CheckLoadedAs(FGeneration);
    return static_cast<int>(zbar_image_get_width(FHandle));
}

} // namespace Vel
