#include "InventionGuard.h"

#include <algorithm>
#include <climits>

namespace Vel {

namespace {

bool SameSymbol(const TReadBarcode& a, const TReadBarcode& b) {
    return a.Symbology == b.Symbology && a.Addon == b.Addon && a.Data == b.Data;
}

struct TBox {
    int Left = INT_MAX;
    int Top = INT_MAX;
    int Right = INT_MIN;
    int Bottom = INT_MIN;
};

TBox Bounds(const TReadBarcode& barcode) {
    TBox box;
    for (const TReadPoint& point : barcode.Points) {
        box.Left = std::min(box.Left, point.X);
        box.Top = std::min(box.Top, point.Y);
        box.Right = std::max(box.Right, point.X);
        box.Bottom = std::max(box.Bottom, point.Y);
    }
    return box;
}

bool Overlap(const TReadBarcode& a, const TReadBarcode& b) {
    const TBox p = Bounds(a);
    const TBox q = Bounds(b);
    return p.Left <= q.Right && q.Left <= p.Right && p.Top <= q.Bottom && q.Top <= p.Bottom;
}

} // namespace

void TInventionGuard::Add(const std::vector<TReadBarcode>& found) {
    Add(found, false);
}

void TInventionGuard::AddChecked(const std::vector<TReadBarcode>& found) {
    Add(found, true);
}

void TInventionGuard::Add(const std::vector<TReadBarcode>& found, bool checked) {
    for (std::size_t i = 0; i < found.size(); ++i) {
        const TReadBarcode& barcode = found[i];
        // A pass that reports the same symbol twice confirms nothing.
        const auto end = found.begin() + static_cast<std::ptrdiff_t>(i);
        if (std::any_of(found.begin(), end,
                        [&](const TReadBarcode& other) { return SameSymbol(other, barcode); }))
            continue;
        const auto known =
            std::find_if(FCandidates.begin(), FCandidates.end(),
                         [&](const TCandidate& c) { return SameSymbol(c.First, barcode); });
        if (known == FCandidates.end()) {
            FCandidates.push_back({barcode, 1, barcode.Quality, checked});
            continue;
        }
        known->Checked = known->Checked || checked;
        ++known->Passes;
        known->BestQuality = std::max(known->BestQuality, barcode.Quality);
    }
}

std::vector<TReadBarcode> TInventionGuard::Accepted() const {
    std::vector<TReadBarcode> accepted;
    for (const TCandidate& candidate : FCandidates)
        if (HoldsUp(candidate))
            accepted.push_back(candidate.First);
    return accepted;
}

bool TInventionGuard::HoldsUp(const TCandidate& candidate) const {
    if (candidate.First.Symbology == TVelSymbology::syQrCode)
        return true;
    if (Contradicted(candidate))
        return false;
    return candidate.Checked || candidate.Passes >= 2 || candidate.BestQuality >= QualityFloor;
}

bool TInventionGuard::Contradicted(const TCandidate& candidate) const {
    return std::any_of(FCandidates.begin(), FCandidates.end(), [&](const TCandidate& other) {
        return &other != &candidate && other.First.Symbology == candidate.First.Symbology &&
               Overlap(other.First, candidate.First);
    });
}

} // namespace Vel
