#include "PageFiles.h"

#include "ScratchFile.h"

#include <gif_lib.h>
#include <tiffio.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace Support {

namespace {

bool WriteTiffPage(TIFF* tiff, const TGrayImage& page) {
    bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, page.Width) &&
              TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, page.Height) &&
              TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) &&
              TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1) &&
              TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) &&
              TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, page.Height);
    for (int y = 0; y < page.Height && ok; ++y)
        ok = TIFFWriteScanline(
                 tiff,
                 const_cast<uint8_t*>(page.Pixels.data() + static_cast<size_t>(y) * page.Width),
                 static_cast<uint32_t>(y), 0) == 1;
    return ok && TIFFWriteDirectory(tiff) == 1;
}

int AppendGif(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
    return length;
}

// The PDF objects of the pages, numbered from 1: catalog, page tree, then per page the
// page, its content and its image.
std::vector<std::string> PdfObjects(const std::vector<TGrayImage>& pages, double dotsPerInch) {
    std::ostringstream kids;
    for (size_t i = 0; i < pages.size(); ++i)
        kids << (3 + 3 * i) << " 0 R ";
    std::vector<std::string> objects = {"<< /Type /Catalog /Pages 2 0 R >>",
                                        "<< /Type /Pages /Kids [" + kids.str() + "] /Count " +
                                            std::to_string(pages.size()) + " >>"};
    for (size_t i = 0; i < pages.size(); ++i) {
        const TGrayImage& page = pages[i];
        const double width = page.Width * 72.0 / dotsPerInch;
        const double height = page.Height * 72.0 / dotsPerInch;
        const size_t number = 3 + 3 * i;
        std::ostringstream pageObject, draw;
        pageObject << "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " << width << ' ' << height
                   << "] /Resources << /XObject << /Im " << number + 2 << " 0 R >> >> /Contents "
                   << number + 1 << " 0 R >>";
        draw << "q " << width << " 0 0 " << height << " 0 0 cm /Im Do Q";
        const std::string content = draw.str();
        const std::string pixels(page.Pixels.begin(), page.Pixels.end());
        objects.push_back(pageObject.str());
        objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" +
                          content + "\nendstream");
        objects.push_back("<< /Type /XObject /Subtype /Image /Width " + std::to_string(page.Width) +
                          " /Height " + std::to_string(page.Height) +
                          " /ColorSpace /DeviceGray /BitsPerComponent 8 /Length " +
                          std::to_string(pixels.size()) + " >>\nstream\n" + pixels + "\nendstream");
    }
    return objects;
}

} // namespace

std::string MakeTiffPages(const std::vector<TGrayImage>& pages) {
    const TScratchFile file("velsupport-tiff");
    TIFF* tiff = TIFFOpen(file.Name(), "w");
    bool ok = tiff != nullptr;
    for (const TGrayImage& page : pages)
        ok = ok && WriteTiffPage(tiff, page);
    if (tiff)
        TIFFClose(tiff);
    std::string out = file.Bytes();
    if (!ok || out.empty())
        throw std::runtime_error("libtiff could not write the test pages");
    return out;
}

std::string MakeGifFrames(const std::vector<TGrayImage>& frames) {
    int width = 0, height = 0;
    for (const TGrayImage& frame : frames) {
        width = std::max(width, frame.Width);
        height = std::max(height, frame.Height);
    }
    GifColorType grays[256];
    for (int i = 0; i < 256; ++i)
        grays[i] = {static_cast<GifByteType>(i), static_cast<GifByteType>(i),
                    static_cast<GifByteType>(i)};
    ColorMapObject* map = GifMakeMapObject(256, grays);
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendGif, &error);
    bool ok = gif && EGifPutScreenDesc(gif, width, height, 8, 255, map) == GIF_OK;
    for (const TGrayImage& frame : frames) {
        ok = ok && EGifPutImageDesc(gif, 0, 0, frame.Width, frame.Height, false, nullptr) == GIF_OK;
        for (int y = 0; y < frame.Height && ok; ++y)
            ok = EGifPutLine(gif,
                             const_cast<GifPixelType*>(frame.Pixels.data() +
                                                       static_cast<size_t>(y) * frame.Width),
                             frame.Width) == GIF_OK;
    }
    ok = gif && EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    if (!ok)
        throw std::runtime_error("giflib could not write the test frames");
    return out;
}

std::string MakePdfPages(const std::vector<TGrayImage>& pages, double dotsPerInch, bool locked) {
    std::vector<std::string> objects = PdfObjects(pages, dotsPerInch);
    // The standard security handler, revision 2, with a /U entry no password gives.
    if (locked)
        objects.push_back("<< /Filter /Standard /V 1 /R 2 /P -4 /O <" + std::string(64, 'A') +
                          "> /U <" + std::string(64, 'B') + "> >>");
    std::string pdf = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const size_t offset : offsets) {
        char entry[21];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
        pdf += entry;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R";
    if (locked)
        pdf += " /Encrypt " + std::to_string(objects.size()) + " 0 R /ID [<" +
               std::string(32, '1') + "> <" + std::string(32, '1') + ">]";
    pdf += " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

} // namespace Support
