// Feeds arbitrary bytes to the picture layer: loading any kind (and the last page of a file of
// many pages), then converting to the 32-bit bitmap the component reads. Host exceptions are
// the expected way to refuse input.
#include "vel/host/Bitmap.h"
#include "vel/host/Exception.h"
#include "vel/host/Picture.h"
#include "vel/host/PixelLimit.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Keep pictures small so the fuzzer explores formats, not allocation sizes.
    Host::SetMaxPicturePixels(1u << 20);
    std::istringstream stream(std::string(reinterpret_cast<const char*>(data), size));
    try {
        Host::TPicture picture;
        picture.LoadFromStream(stream);
        if (const int pages = picture.Graphic()->PageCount(); pages > 1) {
            stream.clear();
            stream.seekg(0);
            picture.LoadFromStream(stream, Host::TPageChoice{pages - 1, 72});
        }
        Host::TBitmap bitmap;
        bitmap.Assign(picture.Graphic());
        bitmap.SetPixelFormat(Host::TPixelFormat::pf32bit);
        volatile uint32_t sink = 0;
        for (int y = 0; y < bitmap.Height(); ++y)
            sink = sink + *static_cast<const uint32_t*>(bitmap.GetScanline(y));
    } catch (const Host::Exception&) {
    }
    return 0;
}
