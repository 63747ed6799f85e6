// Scans one picture file for barcodes and prints each barcode found: its symbology, its
// data and the box around its outline in picture pixels.
//   scan_picture PICTURE
#include <vel/Vel.h>

#include <algorithm>
#include <exception>
#include <iostream>

namespace {

void PrintBarcode(const Vel::TVelSymbol& barcode) {
    std::cout << Host::ToAnsi(barcode.SymbologyName());
    if (barcode.SymbologyAddon() != Vel::TVelSymbologyAddon::saNone)
        std::cout << '+' << Host::ToAnsi(barcode.SymbologyAddonName());
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

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: scan_picture PICTURE\n";
        return 2;
    }
    try {
        Vel::TVel vel;
        vel.SetActive(true);
        vel.Picture()->LoadFromFile(Host::FromAnsi(argv[1]));
        vel.Scan();
        for (int i = 0; i < vel.BarcodeCount(); ++i)
            PrintBarcode(*vel.Barcode(i));
        if (vel.BarcodeCount() == 0)
            std::cout << "no barcode found\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "scan_picture: " << error.what() << '\n';
        return 1;
    }
}
