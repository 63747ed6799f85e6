// TReadOptions: how ReadBarcodes reads a picture.
#pragma once

#include "vel/Enumerations.h"
#include "vel/Geometry.h"
#include "vel/host/Export.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Vel {

// How hard the reader tries.
enum class TVelEffort : std::uint8_t {
    efFast,     // ZBar's defaults, one pass: exactly what TVel's Scan finds
    efNormal,   // plus whole QR text, add-ons, the second engine and the cheapest retry passes
    efThorough, // every retry pass that pays
};

// The defaults, ZBar's own decoder settings over the whole picture, suit most uses. Each
// setter returns the options, so that settings chain:
//   Vel::TReadOptions().AddSetting("ean13.disable").SetScanRect({0, 0, 640, 120})
class VEL_API TReadOptions {
public:
    // ZBar settings in ZBar's own text syntax, e.g. "ean13.enable=0", "qrcode.binary",
    // "x-density=2"; each read applies them in order to a scanner of its own. Bytes, handed
    // to ZBar unchanged.
    const std::vector<std::string>& Settings() const noexcept { return FSettings; }
    TReadOptions& SetSettings(std::vector<std::string> settings);
    TReadOptions& AddSetting(std::string setting);

    // The part of the picture to scan, cut to the picture; a Width or Height of 0 reaches
    // the picture's edge, so the default (all zero) is the whole picture. Outlines are given
    // in coordinates of the whole picture all the same. Raises EVelError for a negative value.
    const TRect& ScanRect() const noexcept { return FScanRect; }
    TReadOptions& SetScanRect(const TRect& rect);

    // How hard to try; efNormal by default (efFast reads exactly what TVel's Scan reads).
    TVelEffort Effort() const noexcept { return FEffort; }
    TReadOptions& SetEffort(TVelEffort effort);

    // The pages of a file of many pages (TIFF, GIF frames, PDF) to read, counting from 1, in
    // the order given; empty, the default, reads every page. A page past the file's last one
    // makes the read raise Host::EInvalidGraphic naming the page and the count. Raises
    // EVelError for a page below 1.
    const std::vector<int>& Pages() const noexcept { return FPages; }
    TReadOptions& SetPages(std::vector<int> pages);

    // Whether a picture file read only in part (a JPEG cut short, read in the rows or scans
    // that arrived) raises Host::EInvalidGraphic naming the file and what was read. Off by
    // default: such a picture is read in part, as zbarimg reads it; a caller that must know
    // turns it on, or loads the picture itself and asks its graphic's Incomplete().
    bool RefusePartial() const noexcept { return FRefusePartial; }
    TReadOptions& SetRefusePartial(bool refuse);
    // The dots per inch PDF pages are drawn at; 300 by default. Raises EVelError below 1.
    int Resolution() const noexcept { return FResolution; }
    TReadOptions& SetResolution(int dotsPerInch);

    // The symbologies to read, ZBar's and the second engine's alike; empty, the default, reads
    // every one that Settings leave enabled. Codes of other symbologies are never reported.
    const std::vector<TVelSymbology>& Symbologies() const noexcept { return FSymbologies; }
    TReadOptions& SetSymbologies(std::vector<TVelSymbology> symbologies);
    // Whether the read runs in a process of its own whose loss costs no more than the
    // picture, as velscan's worker processes. Then, where ZBar's passes find nothing, the
    // second engine (zxing-cpp, in builds that have it) looks for every code it reads,
    // though zxing-cpp 1.4 as Debian builds it aborts the process (SIGABRT) on some DataBar,
    // DataBar Expanded and Code 128 pictures. Off by default: in-process the second engine
    // looks only for PDF417, DataMatrix, Aztec, MaxiCode and Micro QR, on which it was
    // measured not to abort.
    bool Isolated() const noexcept { return FIsolated; }
    TReadOptions& SetIsolated(bool isolated);

private:
    std::vector<std::string> FSettings;
    TRect FScanRect;
    TVelEffort FEffort = TVelEffort::efNormal;
    std::vector<int> FPages;
    int FResolution = 300;
    bool FIsolated = false;
    std::vector<TVelSymbology> FSymbologies;
    bool FRefusePartial = false;
};

} // namespace Vel
