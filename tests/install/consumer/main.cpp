// A program built against the installed package: scans one picture with the component and
// prints each barcode as TYPE:DATA.
#include <vel/TVel.h>

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: consumer PICTURE\n";
        return 1;
    }
    try {
        Vel::TVel vel;
        vel.SetActive(true);
        vel.Picture()->LoadFromFile(Host::FromAnsi(argv[1]));
        vel.Scan();
        for (int i = 0; i < vel.BarcodeCount(); ++i)
            std::cout << Host::ToAnsi(vel.Barcode(i)->SymbologyName()) << ':'
                      << vel.Barcode(i)->DataAnsi() << '\n';
        return vel.BarcodeCount() > 0 ? 0 : 4;
    } catch (const std::exception& error) {
        std::cerr << "consumer: " << error.what() << '\n';
        return 2;
    }
}
