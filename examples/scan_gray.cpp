// Scans a binary PGM (P5) picture for barcodes through the Vel image scanner and prints each
// barcode found as TYPE:DATA, one per line.
//   scan_gray [--library NAME] FILE.pgm
// Exit status: the one every program of the project uses (scan_gray --help lists it).
#include "CommandLine.h"
#include "vel/Vel.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Pictures above this many pixels are refused before anything is allocated.
constexpr std::int64_t MaxPixels = 256 * 1024 * 1024;

struct TGrayPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;
};

std::runtime_error PgmError(const std::string& path, const std::string& problem) {
    return std::runtime_error(path + ": " + problem);
}

// The next number of a PGM header, after white space and # comments.
int ReadHeaderNumber(std::istream& in, const std::string& path, const char* field) {
    int c = in.get();
    while (c == '#' || std::isspace(c)) {
        if (c == '#')
            while (c != '\n' && c != EOF)
                c = in.get();
        c = in.get();
    }
    if (!std::isdigit(c))
        throw PgmError(path, std::string("bad PGM header: no ") + field);
    std::int64_t value = 0;
    for (; std::isdigit(c); c = in.get()) {
        value = value * 10 + (c - '0');
        if (value > 1'000'000'000)
            throw PgmError(path, std::string("bad PGM header: ") + field + " too large");
    }
    if (!std::isspace(c))
        throw PgmError(path, std::string("bad PGM header after the ") + field);
    return static_cast<int>(value);
}

TGrayPicture ReadPgm(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw PgmError(path, std::string("cannot open the file: ") + std::strerror(errno));
    if (in.get() != 'P' || in.get() != '5')
        throw PgmError(path, "not a binary PGM (P5) file");
    TGrayPicture picture;
    picture.Width = ReadHeaderNumber(in, path, "width");
    picture.Height = ReadHeaderNumber(in, path, "height");
    const int maxValue = ReadHeaderNumber(in, path, "maximum value");
    if (maxValue < 1 || maxValue > 255)
        throw PgmError(path, "unsupported PGM maximum value " + std::to_string(maxValue) +
                                 " (1 to 255 supported)");
    const std::int64_t pixels = std::int64_t{picture.Width} * picture.Height;
    if (pixels == 0 || pixels > MaxPixels)
        throw PgmError(path, "unsupported picture size " + std::to_string(picture.Width) + " x " +
                                 std::to_string(picture.Height));
    picture.Pixels.resize(static_cast<size_t>(pixels));
    in.read(reinterpret_cast<char*>(picture.Pixels.data()), pixels);
    if (in.gcount() != pixels)
        throw PgmError(path, "truncated: " + std::to_string(in.gcount()) + " of " +
                                 std::to_string(pixels) + " pixel bytes");
    if (maxValue != 255)
        for (auto& pixel : picture.Pixels)
            pixel = static_cast<std::uint8_t>(std::min(pixel, static_cast<std::uint8_t>(maxValue)) *
                                              255 / maxValue);
    return picture;
}

// ZBar's name of the symbol's type with its add-on, e.g. "EAN-13".
std::string TypeName(const ZBar::zbar_symbol_t* symbol) {
    const ZBar::zbar_symbol_type_t type = Vel::zbar_symbol_get_type(symbol);
    return std::string(Vel::zbar_get_symbol_name(type)) + Vel::zbar_get_addon_name(type);
}

void PrintSymbols(const Vel::TVelImage& image) {
    for (auto* symbol = Vel::zbar_image_first_symbol(image.Handle()); symbol != nullptr;
         symbol = Vel::zbar_symbol_next(symbol)) {
        std::cout << TypeName(symbol) << ':';
        std::cout.write(Vel::zbar_symbol_get_data(symbol),
                        Vel::zbar_symbol_get_data_length(symbol));
        std::cout << '\n';
    }
}

// The picture, or nullopt when the file cannot be read, which this reports.
std::optional<TGrayPicture> LoadPicture(const std::string& path) {
    try {
        return ReadPgm(path);
    } catch (const std::exception& error) {
        std::cerr << "scan_gray: " << error.what() << '\n';
        return std::nullopt;
    }
}

VelCli::TExitStatus Scan(const std::string& path) {
    const std::optional<TGrayPicture> picture = LoadPicture(path);
    if (!picture)
        return VelCli::esFileError;
    Vel::LoadLibrary();
    Vel::TVelImageScanner scanner;
    Vel::TVelImage image(Vel::TVelImageFormat::foY800, picture->Width, picture->Height,
                         picture->Pixels.data(), static_cast<int>(picture->Pixels.size()));
    if (scanner.Scan(&image) == 0) {
        std::cerr << "scan_gray: " << path << ": no barcode found\n";
        return VelCli::esNoBarcode;
    }
    PrintSymbols(image);
    return VelCli::esSuccess;
}

constexpr Example::TExample Program = {
    "scan_gray", "FILE.pgm",
    "Scans a binary PGM (P5) picture for barcodes through the Vel image scanner and prints\n"
    "each barcode found as TYPE:DATA, one per line.\n"};

} // namespace

int main(int argc, char** argv) {
    return Example::RunExample(Program, argc, argv, Scan);
}
