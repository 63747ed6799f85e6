// Pictures made worse the ways photographs and scans are: turned, seen at an angle, blurred,
// noisy, low in contrast, inverted. Deterministic, so that a failure repeats.
#pragma once

#include "RenderBarcode.h"

namespace Degradations {

// Turned by degrees about its centre, on a white canvas large enough to hold it (bilinear).
Support::TGrayImage Rotated(const Support::TGrayImage& image, double degrees);

// Seen at an angle: the top edge shrunk to shrink (0.7: 70%) of its width about the centre,
// the rows between scaled in proportion.
Support::TGrayImage Perspective(const Support::TGrayImage& image, double shrink);

// A box blur of the given radius, applied twice (close to a Gaussian).
Support::TGrayImage Blurred(const Support::TGrayImage& image, int radius);

// Each pixel moved by a pseudo-random amount in [-amplitude, amplitude].
Support::TGrayImage Noisy(const Support::TGrayImage& image, int amplitude);

// Levels squeezed into [low, high].
Support::TGrayImage LowContrast(const Support::TGrayImage& image, int low, int high);

Support::TGrayImage Inverted(const Support::TGrayImage& image);

} // namespace Degradations
