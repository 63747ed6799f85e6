// A Qt program of the installed package: reads the picture as a QImage with velqt and prints
// each barcode as TYPE:DATA.
#include <vel/qt/VelQt.h>

#include <QImage>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2)
        return 1;
    try {
        for (const VelQt::TQtBarcode& barcode : VelQt::ReadBarcodes(QImage(argv[1])))
            std::printf("%s:%s\n", qPrintable(barcode.Symbology), qPrintable(barcode.Text));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
