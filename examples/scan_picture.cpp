// Scans one picture file for barcodes and prints each barcode found: its symbology, its
// data and the box around its outline in picture pixels.
//   scan_picture [--library NAME] PICTURE
// Exit status: the one every program of the project uses (scan_picture --help lists it).
#include "CommandLine.h"

#include <vel/TVel.h>

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>

namespace {

void PrintBarcode(const Vel::TVelSymbol& barcode) {
    // ZBar's add-on names carry their '+' ("+5"); without an add-on the name is empty.
    std::cout << Host::ToAnsi(barcode.SymbologyName())
              << Host::ToAnsi(barcode.SymbologyAddonName());
    std::cout << ": " << barcode.DataAnsi();
    const int points = barcode.LocationCount();
    if (points > 0) {
        int left = barcode.LocationX(0), right = left;
        int top = barcode.LocationY(0), bottom = top;
        for (int i = 1; i < points; ++i) {
            left = std::min(left, barcode.LocationX(i));
            right = std::max(right, barcode.LocationX(i));
            top = std::min(top, barcode.LocationY(i));
            bottom = std::max(bottom, barcode.LocationY(i));
        }
        std::cout << "  (x " << left << " to " << right << ", y " << top << " to " << bottom << ')';
    }
    std::cout << '\n';
}

// Loads the picture into the component; false when the file cannot be read, which this reports.
bool LoadPicture(Vel::TVel& vel, const std::string& file) {
    try {
        vel.Picture()->LoadFromFile(Host::FromAnsi(file));
        return true;
    } catch (const std::exception& error) {
        std::cerr << "scan_picture: " << error.what() << '\n';
        return false;
    }
}

VelCli::TExitStatus Scan(const std::string& file) {
    Vel::TVel vel;
    vel.SetActive(true);
    if (!LoadPicture(vel, file))
        return VelCli::esFileError;
    vel.Scan();
    for (int i = 0; i < vel.BarcodeCount(); ++i)
        PrintBarcode(*vel.Barcode(i));
    if (vel.BarcodeCount() == 0) {
        std::cout << "no barcode found\n";
        return VelCli::esNoBarcode;
    }
    return VelCli::esSuccess;
}

constexpr Example::TExample Program = {
    "scan_picture", "PICTURE",
    "Scans one picture file (PNG, JPEG, WebP, GIF, TIFF, BMP) for barcodes and prints each\n"
    "barcode found: its symbology, its data and the box around its outline in picture\n"
    "pixels.\n"};

} // namespace

int main(int argc, char** argv) {
    return Example::RunExample(Program, argc, argv, Scan);
}
