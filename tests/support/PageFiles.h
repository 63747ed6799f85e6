// Picture files of many pages made from gray pictures, for tests of reading pages: TIFF
// directories (libtiff), GIF frames (giflib) and PDF pages written by hand.
#pragma once

#include "RenderBarcode.h"

#include <string>
#include <vector>

namespace Support {

// An 8-bit gray TIFF with one directory a picture.
std::string MakeTiffPages(const std::vector<TGrayImage>& pages);

// A GIF with a gray palette and one frame a picture, each at the top left of a screen as
// large as the largest.
std::string MakeGifFrames(const std::vector<TGrayImage>& frames);

// A PDF with one page a picture, each drawn as an uncompressed gray image filling a page of
// its size at dotsPerInch. A locked PDF is encrypted with a password that is not empty.
std::string MakePdfPages(const std::vector<TGrayImage>& pages, double dotsPerInch,
                         bool locked = false);

} // namespace Support
