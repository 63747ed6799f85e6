#include "PictureScanner.h"

#include "Annotation.h"
#include "GuardedScan.h"
#include "PictureLoading.h"

namespace VelScan {

namespace {

std::string Ansi(const Host::String& text) {
    return Host::ToAnsi(text);
}

std::vector<std::string> ModifierNames(Vel::TVelModifiers modifiers) {
    std::vector<std::string> names;
    for (const auto modifier : {Vel::TVelModifier::moGs1Reserved, Vel::TVelModifier::moAimReserved})
        if (modifiers.Contains(modifier))
            names.push_back(Ansi(Vel::ModifierName(modifier)));
    return names;
}

TFoundBarcode FoundBarcode(const Vel::TBarcode& read) {
    TFoundBarcode barcode;
    barcode.Symbology = read.SymbologyName;
    barcode.Addon = read.SymbologyAddonName;
    barcode.Data.assign(read.Data.begin(), read.Data.end());
    barcode.Quality = read.Quality;
    barcode.Orientation = read.OrientationName;
    barcode.Modifiers = ModifierNames(read.Modifiers);
    for (const Vel::TPoint& point : read.Outline)
        barcode.Outline.push_back({point.X, point.Y});
    barcode.Pass = read.Pass;
    return barcode;
}

std::unique_ptr<Vel::TReader> MakeReader(const TOptions& options) {
    try {
        return std::make_unique<Vel::TReader>(
            Vel::TReadOptions().SetSettings(options.Configs).SetEffort(options.Effort));
    } catch (const Vel::EVelError& error) {
        throw EConfigError(error.what());
    }
}

// The reader scans nothing when the rectangle's top left corner lies at or beyond the
// picture's right or bottom edge (a width or height of 0 only reaches the edge); that is
// told, so that it does not pass for a picture without barcodes.
std::optional<std::string> OutsideWarning(const TScanRect& rect, int width, int height) {
    if (rect.Left < width && rect.Top < height)
        return std::nullopt;
    return "the scan rectangle " + std::to_string(rect.Left) + ',' + std::to_string(rect.Top) +
           ',' + std::to_string(rect.Width) + ',' + std::to_string(rect.Height) +
           " lies outside the picture of " + std::to_string(width) + " x " +
           std::to_string(height) + " pixels; nothing was scanned";
}

// A second warning follows the first.
void AddWarning(TPictureResult& result, std::optional<std::string> warning) {
    if (warning)
        result.Warning = result.Warning ? *result.Warning + "; " + *warning : *warning;
}

} // namespace

TPictureScanner::TPictureScanner(const TOptions& options)
    : FRect(options.Rect.value_or(TScanRect{})), FRectGiven(options.Rect.has_value()),
      FAnnotateFolder(options.AnnotateFolder), FReader(MakeReader(options)) {}

TPictureResult TPictureScanner::Scan(const TInput& input) noexcept {
    return GuardedScan(input,
                       [this, &input](TPictureResult& result) { ScanPicture(input, result); });
}

// The reader gives every pass a fresh ZBar scanner, so a result depends on the picture
// alone, not on which pictures the same worker read before. The picture is dropped when
// the scan ends, so that an idle worker holds no picture memory.
void TPictureScanner::ScanPicture(const TInput& input, TPictureResult& result) {
    Host::TPicture picture;
    LoadPicture(SourceFile(input), picture, input.Path);
    result.Width = picture.Graphic()->Width();
    result.Height = picture.Graphic()->Height();
    result.Warning = OutsideWarning(FRect, result.Width, result.Height);
    const std::vector<Vel::TBarcode> found =
        FReader->Read(picture, {FRect.Left, FRect.Top, FRect.Width, FRect.Height});
    result.Barcodes.reserve(found.size());
    for (const Vel::TBarcode& barcode : found)
        result.Barcodes.push_back(FoundBarcode(barcode));
    if (FAnnotateFolder)
        AddWarning(result, WriteAnnotation(picture, result, FRectGiven ? &FRect : nullptr,
                                           *FAnnotateFolder));
}

} // namespace VelScan
