// The reader: ZBar's own pass, with the second engine for the codes ZBar lacks beside it
// where ZBar finds something; where it finds nothing, the effort's retry passes (of either
// engine; the second one looks for every code it may) until one finds a symbol that holds up.
#include "vel/Reader.h"

#include "EngineMerge.h"
#include "InventionGuard.h"
#include "PassRunner.h"
#include "PictureGray.h"
#include "vel/Loader.h"
#include "vel/Names.h"
#include "vel/VelError.h"
#include "vel/host/String.h"

#include <algorithm>

namespace Vel {

std::string AddonName(TVelSymbologyAddon addon) {
    switch (addon) {
    case TVelSymbologyAddon::sa2Digit:
        return "+2";
    case TVelSymbologyAddon::sa5Digit:
        return "+5";
    case TVelSymbologyAddon::saNone:
        break;
    }
    return {};
}

namespace {

// Loads ZBar unless it is loaded; when it cannot be, the message ends with the way out.
void LoadZBar() {
    try {
        LoadLibrary();
    } catch (const EVelError& error) {
        throw EVelError(error.Message() +
                        u"; install libzbar0 (Debian/Ubuntu) or set ZBarLibraryName");
    }
}

std::unique_ptr<TPassRunner> MakeRunner(TReadOptions options) {
    LoadZBar();
    return std::make_unique<TPassRunner>(std::move(options));
}

TBarcode BarcodeOf(const TReadBarcode& read, TPoint offset, int page) {
    TBarcode barcode{
        .Symbology = read.Symbology,
        .SymbologyName = Host::ToUtf8(SymbologyName(read.Symbology)),
        .SymbologyAddon = read.Addon,
        .SymbologyAddonName = AddonName(read.Addon),
        .Data = std::string(read.Data.begin(), read.Data.end()),
        .Quality = read.Quality,
        .Orientation = read.Orientation,
        .OrientationName = Host::ToUtf8(OrientationName(read.Orientation)),
        .Modifiers = read.Modifiers,
        .Configs = read.Configs,
        .AddonData = std::string(read.AddonData.begin(), read.AddonData.end()),
        .Pass = read.Pass,
        .Page = page,
    };
    for (const TReadPoint& point : read.Points)
        barcode.Outline.push_back({point.X + offset.X, point.Y + offset.Y});
    return barcode;
}

std::vector<TBarcode> BarcodesOf(const std::vector<TReadBarcode>& found, TPoint offset, int page) {
    std::vector<TBarcode> barcodes;
    barcodes.reserve(found.size());
    for (const TReadBarcode& read : found)
        barcodes.push_back(BarcodeOf(read, offset, page));
    return barcodes;
}

// The view's pixels with no gap between rows: its own, or copied into copy.
TGrayPlane PlaneOf(const TGrayView& view, std::vector<std::uint8_t>& copy) {
    if (view.Stride() == view.Width())
        return {view.Pixels(), view.Width(), view.Height()};
    copy.resize(static_cast<std::size_t>(view.Width()) * static_cast<std::size_t>(view.Height()));
    auto out = copy.begin();
    for (int y = 0; y < view.Height(); ++y)
        out = std::copy_n(view.Row(y), view.Width(), out);
    return {copy.data(), view.Width(), view.Height()};
}

// The gray bytes of the rectangle of the picture, which has a graphic; nothing when the
// rectangle lies beyond it.
std::optional<TPictureGray> GrayOf(const Host::TPicture& picture, const TRect& rect) {
    int width = 0;
    int height = 0;
    return PictureGray(picture.Graphic(), {rect.Left, rect.Top, rect.Width, rect.Height}, width,
                       height);
}

// ZBar's own pass, then the second engine beside it or the effort's retry passes.
std::vector<TReadBarcode> RunPasses(TPassRunner& runner, const TGrayPlane& gray) {
    const TReadOptions& options = runner.Options();
    std::vector<TReadBarcode> found = runner.Run(DefaultPass(), gray);
    if (options.Effort() == TVelEffort::efFast)
        return found;
    if (!found.empty())
        return MergeEngines(std::move(found), runner.Run(SecondEnginePass(), gray));
    const TEngineScope scope =
        options.Isolated() ? TEngineScope::esEvery : TEngineScope::esZBarLacks;
    TInventionGuard guard;
    for (const TPass& pass : RetryPasses(options.Effort())) {
        if (!Applies(pass, gray))
            continue;
        if (pass.Engine == TPassEngine::peSecond)
            guard.AddChecked(runner.Run(pass, gray, scope));
        else
            guard.Add(runner.Run(pass, gray));
        found = guard.Accepted();
        if (!found.empty())
            break;
    }
    return found;
}

} // namespace

TReader::TReader(TReadOptions options) : FRunner(MakeRunner(std::move(options))) {}

TReader::~TReader() = default;

const TReadOptions& TReader::Options() const noexcept {
    return FRunner->Options();
}

std::vector<TReadBarcode> TReader::ReadPlane(const TGrayPlane& gray) {
    if (gray.Data == nullptr || gray.Width <= 0 || gray.Height <= 0)
        return {};
    std::vector<TReadBarcode> found = RunPasses(*FRunner, gray);
    // Between pictures a reader holds no working images: a large picture's would stay beside
    // the next picture's pixels.
    FRunner->ReleaseBuffers();
    return found;
}

std::vector<TBarcode> TReader::Read(const TGrayView& gray) {
    std::vector<std::uint8_t> copy;
    return BarcodesOf(ReadPlane(PlaneOf(gray, copy)), {0, 0}, 0);
}

std::vector<TBarcode> TReader::Read(const Host::TPicture& picture, const TRect& rect) {
    if (picture.Graphic() == nullptr)
        return {};
    const std::optional<TPictureGray> gray = GrayOf(picture, rect);
    return gray ? ReadGray(*gray, picture.Graphic()->PageIndex() + 1) : std::vector<TBarcode>{};
}

std::vector<TBarcode> TReader::Read(Host::TPicture&& picture, const TRect& rect) {
    if (picture.Graphic() == nullptr)
        return {};
    const int page = picture.Graphic()->PageIndex() + 1;
    const std::optional<TPictureGray> gray = GrayOf(picture, rect);
    // The passes read the gray bytes alone: the picture's pixels, four bytes each, go now.
    picture.SetGraphic(nullptr);
    return gray ? ReadGray(*gray, page) : std::vector<TBarcode>{};
}

std::vector<TBarcode> TReader::ReadGray(const TPictureGray& gray, int page) {
    return BarcodesOf(ReadPlane({gray.Bytes.data(), gray.Area.Width, gray.Area.Height}),
                      {gray.Area.Left, gray.Area.Top}, page);
}

} // namespace Vel
