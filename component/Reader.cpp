// The reader: ZBar's own pass, then, where it finds nothing, the effort's retry passes until
// one finds a symbol that holds up.
#include "vel/Reader.h"

#include "PictureGray.h"
#include "reader/InventionGuard.h"
#include "reader/PassRunner.h"

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

TReader::TReader(TReaderOptions options)
    : FRunner(std::make_unique<TPassRunner>(std::move(options))) {}

TReader::~TReader() = default;

const TReaderOptions& TReader::Options() const noexcept {
    return FRunner->Options();
}

std::vector<TReadBarcode> TReader::Read(TGrayView gray) {
    if (gray.Data == nullptr || gray.Width <= 0 || gray.Height <= 0)
        return {};
    std::vector<TReadBarcode> found = FRunner->Run(DefaultPass(), gray);
    if (!found.empty())
        return found;
    TInventionGuard guard;
    for (const TPass& pass : RetryPasses(Options().Effort)) {
        if (!Applies(pass, gray))
            continue;
        guard.Add(FRunner->Run(pass, gray));
        found = guard.Accepted();
        if (!found.empty())
            break;
    }
    return found;
}

std::vector<TReadBarcode> TReader::Read(const Host::TPicture& picture, int left, int top, int width,
                                        int height) {
    if (picture.Graphic() == nullptr)
        return {};
    int grayWidth = 0;
    int grayHeight = 0;
    const std::optional<TPictureGray> gray =
        PictureGray(picture.Graphic(), {left, top, width, height}, grayWidth, grayHeight);
    if (!gray)
        return {};
    std::vector<TReadBarcode> found = Read({gray->Bytes.data(), grayWidth, grayHeight});
    for (TReadBarcode& barcode : found)
        for (TReadPoint& point : barcode.Points) {
            point.X += gray->Area.Left;
            point.Y += gray->Area.Top;
        }
    return found;
}

} // namespace Vel
