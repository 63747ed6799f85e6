// The guard against inventions: retry passes see more structure in noise than ZBar's own
// pass, and wrong EAN-13s that pass the check digit. A symbol that only retry passes found
// is reported only when it holds up:
// - a QR code (its Reed-Solomon check leaves next to nothing to chance), or
// - found by two different passes, or with a quality (ZBar's count of scan lines that read
//   it) of at least QualityFloor in one, or by the second engine, which checks a linear
//   code on rows of its own before it reports it,
// and no retry pass read the same place as another symbol of the same symbology: two
// readings of one place mean at least one is wrong, so neither is reported.
#pragma once

#include "ReadBarcode.h"

#include <vector>

namespace Vel {

class TInventionGuard {
public:
    // Between the wrong readings of single passes in the corpus and the negative set (the
    // highest, 50: Sauvola's threshold reading another UPC-E on upce-1/1) and the right ones
    // that no second pass confirms (the lowest, 101: equalisation on ean13-1/37).
    static constexpr int QualityFloor = 80;

    // Takes what one retry pass found.
    void Add(const std::vector<TReadBarcode>& found);
    // Takes what a pass of the second engine found: each holds up unless contradicted.
    void AddChecked(const std::vector<TReadBarcode>& found);
    // The symbols found so far that hold up, each once, as the first pass that found it
    // reported it, in the order they were first found.
    std::vector<TReadBarcode> Accepted() const;

private:
    struct TCandidate {
        TReadBarcode First;
        int Passes = 0;
        int BestQuality = 0;
        bool Checked = false;
    };
    void Add(const std::vector<TReadBarcode>& found, bool checked);
    bool HoldsUp(const TCandidate& candidate) const;
    bool Contradicted(const TCandidate& candidate) const;

    std::vector<TCandidate> FCandidates;
};

} // namespace Vel
