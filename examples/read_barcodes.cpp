// The shortest use of the library: prints each barcode of a picture file as TYPE:DATA.
//   read_barcodes PICTURE
#include <vel/VelReader.h>

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: read_barcodes PICTURE\n";
        return 1;
    }
    try {
        for (const Vel::TBarcode& barcode : Vel::ReadBarcodes(argv[1]))
            std::cout << barcode.SymbologyName << ':' << barcode.Text() << '\n';
    } catch (const std::exception& error) { // a file, picture or ZBar that cannot be read
        std::cerr << "read_barcodes: " << error.what() << '\n';
        return 2;
    }
}
