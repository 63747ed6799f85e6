// What velscan reports for one input picture: its size and barcodes, or why it was not read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace VelScan {

struct TPoint {
    int X = 0;
    int Y = 0;
};

struct TFoundBarcode {
    std::string Symbology; // ZBar's symbology name, e.g. "EAN-13"
    std::string Addon;     // the add-on's name ("+2", "+5"), empty when there is none
    std::vector<std::uint8_t> Data;
    int Quality = 0;
    std::string Orientation;            // ZBar's orientation name, e.g. "UP"
    std::vector<std::string> Modifiers; // ZBar's modifier names, e.g. "GS1"
    std::vector<TPoint> Outline;        // in picture coordinates
    std::string Pass;                   // the reader's pass that found it, e.g. "default"
};

struct TPictureResult {
    std::string Path;
    int Width = 0;
    int Height = 0;
    std::vector<TFoundBarcode> Barcodes;
    std::optional<std::string> Error;   // set when the picture could not be read or scanned
    std::optional<std::string> Warning; // set when it was read but not scanned as asked
};

} // namespace VelScan
