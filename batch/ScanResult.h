// What velscan reports for one input picture, or one page of a many-page file: its size and
// barcodes, or why it was not read.
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
    std::vector<std::string> Configs;   // ZBar's names of the settings it was decoded with
    std::vector<TPoint> Outline;        // in picture coordinates
    std::string Pass;                   // the reader's pass that found it, e.g. "default"
};

struct TPictureResult {
    std::string Path;
    int Page = 0;  // the page or frame, counting from 1; 0 when the file was not opened
    int Pages = 0; // the file's number of pages; 0 when the file was not opened
    int Width = 0;
    int Height = 0;
    std::vector<TFoundBarcode> Barcodes;
    std::optional<std::string> Error;   // set when the picture could not be read or scanned
    std::optional<std::string> Warning; // set when it was read but not scanned as asked
    bool Truncated = false;             // the file ends early: only the rows that arrived were read
    std::vector<std::string> ZBarLines; // what ZBar wrote to standard error scanning it (for -v)
};

// A file's results: one for each page scanned, in page order; a single result with the error
// for a file that could not be opened or read as a whole.
using TFileResult = std::vector<TPictureResult>;

// The path as messages show it: with "#PAGE" for a page of a many-page file.
std::string ShownPath(const TPictureResult& result);

} // namespace VelScan
