// The xml format: one document, written as the pictures are done.
//   <velscan version="4.5">
//     <picture path="..." width="..." height="...">
//       <barcode symbology="..." addon="..." quality="..." orientation="..." modifiers="...">
//         <data encoding="text|base64">...</data>
//         <points><point x="..." y="..."/>...</points>   (the outline's hull; every point
//                                                         with --all-points)
//       </barcode>
//       <warning>...</warning>    (when the picture was read but not scanned as asked)
//     </picture>
//     <picture path="..."><error>...</error></picture>
//   </velscan>
// A path that XML cannot carry as it is (bytes that are not UTF-8, control characters) has
// U+FFFD in path and its exact bytes in a path_base64 attribute right after it.
#pragma once

#include "vel/formats/Output.h"

namespace VelFormats {

class TXmlOutput : public TOutput {
public:
    TXmlOutput(std::ostream& out, bool allPoints) : FOut(out), FAllPoints(allPoints) {}

    void Begin() override;
    void Write(const TPageResult& result) override;
    void End() override;

private:
    std::ostream& FOut;
    bool FAllPoints; // every outline point rather than the outline's hull
};

} // namespace VelFormats
