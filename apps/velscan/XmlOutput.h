// The xml format: one document, written as the pictures are done.
//   <velscan version="4.5">
//     <picture path="..." width="..." height="...">
//       <barcode symbology="..." addon="..." quality="..." orientation="..." modifiers="...">
//         <data encoding="text|base64">...</data>
//         <points><point x="..." y="..."/>...</points>
//       </barcode>
//     </picture>
//     <picture path="..."><error>...</error></picture>
//   </velscan>
#pragma once

#include "Output.h"

namespace VelScan {

class TXmlOutput : public TOutput {
public:
    explicit TXmlOutput(std::ostream& out) : FOut(out) {}

    void Begin() override;
    void Write(const TPictureResult& result) override;
    void End() override;

private:
    std::ostream& FOut;
};

} // namespace VelScan
