#include "vel/Barcode.h"

#include "OutlineHull.h"
#include "vel/host/String.h"
#include "vel/host/Utf8.h"

#include <algorithm>

namespace Vel {

bool TBarcode::IsText() const noexcept {
    return Host::IsValidUtf8(Data);
}

// FromAnsi carries each invalid byte as a lone surrogate, which ToUtf8 replaces.
std::string TBarcode::Text() const {
    return IsText() ? Data : Host::ToUtf8(Host::FromAnsi(Data));
}

TRect TBarcode::BoundingBox() const noexcept {
    if (Outline.empty())
        return {};
    const auto [left, right] = std::minmax_element(Outline.begin(), Outline.end(),
                                                   [](TPoint a, TPoint b) { return a.X < b.X; });
    const auto [top, bottom] = std::minmax_element(Outline.begin(), Outline.end(),
                                                   [](TPoint a, TPoint b) { return a.Y < b.Y; });
    return {left->X, top->Y, right->X - left->X + 1, bottom->Y - top->Y + 1};
}

std::vector<TPoint> TBarcode::Hull() const {
    return OutlineHull(Outline);
}

} // namespace Vel
