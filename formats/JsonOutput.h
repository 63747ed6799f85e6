// The json format, JSON Lines: one object per input picture, in input order.
//   {"path":..., "width":..., "height":..., "barcodes":[{"symbology":..., "addon":...,
//    "data":..., "encoding":"text"|"base64", "quality":..., "orientation":...,
//    "modifiers":[...], "points":[[x,y],...], "box":[...], "pass":...}, ...]}
// where "points" is the outline's hull, or with --all-points every point of it,
// with "warning":... after "barcodes" when the picture was read but not scanned as asked,
// or, for a picture that could not be read, {"path":..., "error":...}. A path that is not
// valid UTF-8 has U+FFFD in "path" and its exact bytes in "path_base64" right after it.
#pragma once

#include "vel/formats/Output.h"

namespace VelFormats {

class TJsonOutput : public TOutput {
public:
    TJsonOutput(std::ostream& out, bool allPoints) : FOut(out), FAllPoints(allPoints) {}

    void Write(const TPageResult& result) override;

private:
    std::ostream& FOut;
    bool FAllPoints; // every outline point rather than the outline's hull
};

} // namespace VelFormats
