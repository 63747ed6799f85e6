#include "Bombs.h"

#include "BmpBuilder.h"
#include "Encoders.h"
#include "vel/host/LittleEndian.h"

#include <cstdint>

namespace {

constexpr int Side = 16384; // 2^28 pixels, the default limit

void AppendBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

uint32_t Crc32(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<uint8_t>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void AppendChunk(std::string& png, const std::string& type, const std::string& data) {
    AppendBigEndian(png, static_cast<uint32_t>(data.size()));
    png += type + data;
    AppendBigEndian(png, Crc32(type + data));
}

// A 1-bit gray PNG's signature and header, then an IDAT chunk that declares 32 KB and ends.
std::string HeaderOnlyPng() {
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    AppendBigEndian(header, Side);
    AppendBigEndian(header, Side);
    header += std::string("\x01\x00\x00\x00\x00", 5); // 1 bit, gray, deflate, filters, no interlace
    AppendChunk(png, "IHDR", header);
    AppendBigEndian(png, 32768);
    return png + "IDAT\x78\x9c";
}

// A whole 1-bit picture of 4096 x 4096 pixels, 2 KB of deflated zeros.
std::string ValidOneBitPng() {
    PngLayout layout{4096, 4096, 0, 1};
    layout.Rows.assign(4096, std::vector<uint8_t>(512, 0));
    return MakePng(layout);
}

// Rewrites the big-endian 16-bit height and width after a JPEG start-of-frame marker and
// cuts the file after its first scan header.
std::string HeaderOnlyJpeg(bool progressive) {
    JpegLayout layout{8, 8, 1, progressive};
    layout.Rows.assign(8, std::vector<uint8_t>(8, 128));
    std::string jpeg = MakeJpeg(layout);
    const size_t frame = jpeg.find(progressive ? "\xFF\xC2" : "\xFF\xC0");
    for (const size_t at : {frame + 5, frame + 7}) {
        jpeg[at] = static_cast<char>(Side >> 8);
        jpeg[at + 1] = 0;
    }
    const size_t scan = jpeg.find("\xFF\xDA");
    const size_t scanHeader =
        (static_cast<uint8_t>(jpeg[scan + 2]) << 8) | static_cast<uint8_t>(jpeg[scan + 3]);
    return jpeg.substr(0, scan + 2 + scanHeader);
}

// A lossy WebP whose key frame says 16383 x 16383 pixels (WebP's largest), cut after the
// frame header.
std::string HeaderOnlyWebP() {
    std::string webp = MakeWebP(16, 16, std::vector<uint32_t>(256, 0xFF808080), false);
    const size_t start = webp.find("\x9D\x01\x2A");
    for (const size_t at : {start + 3, start + 5}) {
        webp[at] = static_cast<char>(0xFF);
        webp[at + 1] = 0x3F;
    }
    return webp.substr(0, start + 20);
}

void AppendTiffEntry(std::string& ifd, uint16_t tag, uint16_t type, uint32_t value) {
    Host::AppendWord(ifd, tag);
    Host::AppendWord(ifd, type);
    Host::AppendDWord(ifd, 1);
    Host::AppendDWord(ifd, value); // a SHORT value sits in the low half, little-endian
}

// An 8-bit gray TIFF with one uncompressed strip of 256 MB at offset 8, which the file ends
// before.
std::string HeaderOnlyTiff() {
    std::string tiff = "II*";
    tiff.push_back(0);
    Host::AppendDWord(tiff, 8);
    constexpr uint16_t Short = 3, Long = 4;
    std::string ifd;
    Host::AppendWord(ifd, 8);
    AppendTiffEntry(ifd, 256, Long, Side);        // width
    AppendTiffEntry(ifd, 257, Long, Side);        // height
    AppendTiffEntry(ifd, 258, Short, 8);          // bits per sample
    AppendTiffEntry(ifd, 259, Short, 1);          // no compression
    AppendTiffEntry(ifd, 262, Short, 1);          // black is zero
    AppendTiffEntry(ifd, 273, Long, 8);           // strip offset
    AppendTiffEntry(ifd, 278, Long, Side);        // rows per strip
    AppendTiffEntry(ifd, 279, Long, Side * Side); // strip byte count
    Host::AppendDWord(ifd, 0);
    return tiff + ifd;
}

// 64 bytes: an RLE8 picture whose data is the end-of-bitmap code.
std::string EndingRle8Bmp() {
    BmpFile bmp;
    bmp.Width = Side;
    bmp.Height = Side;
    bmp.Bits = 8;
    bmp.Compression = Host::BiRle8;
    bmp.Palette = {0x000000, 0xFFFFFF};
    bmp.Pixels = {0, 1};
    return EncodeBmp(bmp);
}

std::string HeaderOnlyBmp() {
    BmpFile bmp;
    bmp.Width = Side;
    bmp.Height = Side;
    return EncodeBmp(bmp);
}

// 35 bytes: a screen of 65535 x 4096 pixels with a frame of one.
std::string LargeScreenGif() {
    GifLayout layout{65535, 4096, 0, 0, 1, 1};
    layout.Palette = {0x000000, 0xFFFFFF};
    layout.Rows = {{1}};
    return MakeGif(layout);
}

// A PDF of the objects, numbered from 1, with its cross-reference table.
std::string Pdf(const std::vector<std::string>& objects) {
    std::string pdf = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t table = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const size_t offset : offsets) {
        const std::string digits = std::to_string(offset);
        pdf += std::string(10 - digits.size(), '0') + digits + " 00000 n \n";
    }
    return pdf + "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(table) + "\n%%EOF\n";
}

} // namespace

std::vector<Bomb> MakeBombs() {
    return {
        {"GifScreen", LargeScreenGif(), false},
        {"PngHeader", HeaderOnlyPng(), false},
        {"PngOneBit", ValidOneBitPng(), true},
        {"JpegHeader", HeaderOnlyJpeg(false), false},
        {"ProgressiveJpegHeader", HeaderOnlyJpeg(true), false},
        {"WebPHeader", HeaderOnlyWebP(), false},
        {"TiffHeader", HeaderOnlyTiff(), false},
        {"BmpHeader", HeaderOnlyBmp(), false},
        {"BmpRle8End", EndingRle8Bmp(), false},
        {"RawPgmHeader", "P5\n16384 16384\n255\n", false},
        {"PlainPgmHeader", "P2\n16384 16384\n255\n", false},
    };
}

// A page of one inch drawing a progressive JPEG of 16 x 16 pixels whose frame header says
// 65500 x 65500: its coefficients alone would take 8 GB.
std::string PdfOfAHugeProgressiveJpeg() {
    JpegLayout layout{16, 16, 1, true};
    layout.Rows.assign(16, std::vector<uint8_t>(16, 128));
    std::string jpeg = MakeJpeg(layout);
    const size_t frame = jpeg.find("\xFF\xC2");
    for (const size_t at : {frame + 5, frame + 7}) {
        jpeg[at] = static_cast<char>(0xFF);
        jpeg[at + 1] = static_cast<char>(0xDC);
    }
    const std::string content = "q 72 0 0 72 0 0 cm /Im Do Q";
    return Pdf(
        {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 72 72] /Contents 4 0 R "
         "/Resources << /XObject << /Im 5 0 R >> >> >>",
         "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
         "<< /Type /XObject /Subtype /Image /Width 65500 /Height 65500 /ColorSpace "
         "/DeviceGray /BitsPerComponent 8 /Filter /DCTDecode /Length " +
             std::to_string(jpeg.size()) + " >>\nstream\n" + jpeg + "\nendstream"});
}
