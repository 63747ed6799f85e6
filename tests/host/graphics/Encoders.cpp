#include "Encoders.h"

#include "ScratchFile.h"

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>
#include <webp/encode.h>

#include <csetjmp>
#include <cstring>
#include <stdexcept>

std::vector<uint8_t> PackBits(const std::vector<uint8_t>& samples, int bits) {
    std::vector<uint8_t> out((samples.size() * static_cast<size_t>(bits) + 7) / 8);
    for (size_t i = 0; i < samples.size(); ++i) {
        const size_t bit = i * static_cast<size_t>(bits);
        out[bit / 8] |= static_cast<uint8_t>(samples[i] << (8 - bits - bit % 8));
    }
    return out;
}

namespace {

void AppendPng(png_structp png, png_bytep data, size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

bool WritePng(png_structp png, png_infop info, const PngLayout* layout, png_bytepp rows,
              std::string* out, png_colorp palette, png_bytep alpha, png_color_16p key) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, AppendPng, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(layout->Width),
                 static_cast<png_uint_32>(layout->Height), layout->BitDepth, layout->ColourType,
                 layout->Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!layout->Palette.empty())
        png_set_PLTE(png, info, palette, static_cast<int>(layout->Palette.size()));
    if (!layout->PaletteAlpha.empty())
        png_set_tRNS(png, info, alpha, static_cast<int>(layout->PaletteAlpha.size()), nullptr);
    if (!layout->KeyColour.empty())
        png_set_tRNS(png, info, nullptr, 0, key);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

} // namespace

std::string MakePng(const PngLayout& layout) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_color> palette;
    for (uint32_t c : layout.Palette)
        palette.push_back({static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8),
                           static_cast<png_byte>(c)});
    png_color_16 key{};
    if (layout.KeyColour.size() == 1)
        key.gray = layout.KeyColour[0];
    if (layout.KeyColour.size() == 3) {
        key.red = layout.KeyColour[0];
        key.green = layout.KeyColour[1];
        key.blue = layout.KeyColour[2];
    }
    std::vector<png_bytep> rows;
    for (const auto& row : layout.Rows)
        rows.push_back(const_cast<png_bytep>(row.data()));
    std::vector<uint8_t> alpha = layout.PaletteAlpha;
    std::string out;
    const bool ok =
        WritePng(png, info, &layout, rows.data(), &out, palette.data(), alpha.data(), &key);
    png_destroy_write_struct(&png, &info);
    if (!ok)
        throw std::runtime_error("libpng could not write the test picture");
    return out;
}

std::string MakeJpeg(const JpegLayout& layout) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(layout.Width);
    info.image_height = static_cast<JDIMENSION>(layout.Height);
    info.input_components = layout.Components;
    info.in_color_space = layout.Components == 1   ? JCS_GRAYSCALE
                          : layout.Components == 3 ? JCS_RGB
                                                   : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    for (int c = 0; c < info.num_components; ++c)
        info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1; // no subsampling
    if (layout.Progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    for (const auto& row : layout.Rows) {
        JSAMPROW samples = const_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&info, &samples, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string out(reinterpret_cast<char*>(buffer), size);
    std::free(buffer);
    return out;
}

namespace {

int AppendGif(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
    return length;
}

} // namespace

std::string MakeGif(const GifLayout& layout) {
    std::string out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendGif, &error);
    std::vector<GifColorType> colours;
    for (uint32_t c : layout.Palette)
        colours.push_back({static_cast<GifByteType>(c >> 16), static_cast<GifByteType>(c >> 8),
                           static_cast<GifByteType>(c)});
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    bool ok = EGifPutScreenDesc(gif, layout.ScreenWidth, layout.ScreenHeight, 8, layout.Background,
                                map) == GIF_OK;
    if (layout.Transparent >= 0) {
        GraphicsControlBlock block{DISPOSAL_UNSPECIFIED, false, 0, layout.Transparent};
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&block, extension);
        EGifSetGifVersion(gif, true);
        ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length),
                                    extension) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, layout.Left, layout.Top, layout.Width, layout.Height,
                                layout.Interlaced, nullptr) == GIF_OK;
    // An interlaced frame is stored in pass order.
    std::vector<int> order;
    for (const auto& [start, step] :
         layout.Interlaced ? std::vector<std::pair<int, int>>{{0, 8}, {4, 8}, {2, 4}, {1, 2}}
                           : std::vector<std::pair<int, int>>{{0, 1}})
        for (int y = start; y < layout.Height; y += step)
            order.push_back(y);
    for (int y : order)
        ok = ok &&
             EGifPutLine(gif, const_cast<GifPixelType*>(layout.Rows[static_cast<size_t>(y)].data()),
                         layout.Width) == GIF_OK;
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    if (!ok)
        throw std::runtime_error("giflib could not write the test picture");
    return out;
}

std::string MakeTiff(const TiffLayout& layout) {
    const Support::TScratchFile file("velhost-tiff");
    TIFF* tiff = TIFFOpen(file.Name(), layout.BigEndian ? "wb" : "wl");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, layout.Width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, layout.Height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, layout.BitsPerSample);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, layout.Samples);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, layout.Photometric);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, layout.Compression);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 1);
    if (layout.UnassociatedAlpha) {
        const uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    std::vector<uint16_t> red, green, blue;
    for (uint32_t c : layout.Palette) {
        red.push_back(static_cast<uint16_t>(((c >> 16) & 0xFF) * 257));
        green.push_back(static_cast<uint16_t>(((c >> 8) & 0xFF) * 257));
        blue.push_back(static_cast<uint16_t>((c & 0xFF) * 257));
    }
    if (!layout.Palette.empty())
        TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
    bool ok = true;
    for (size_t y = 0; y < layout.Rows.size(); ++y)
        ok = ok && TIFFWriteScanline(tiff, const_cast<uint8_t*>(layout.Rows[y].data()),
                                     static_cast<uint32_t>(y), 0) == 1;
    TIFFClose(tiff);
    const std::string out = file.Bytes();
    if (!ok || out.empty())
        throw std::runtime_error("libtiff could not write the test picture");
    return out;
}

std::string MakeWebP(int width, int height, const std::vector<uint32_t>& pixels, bool lossless) {
    const auto* bgra = reinterpret_cast<const uint8_t*>(pixels.data());
    uint8_t* output = nullptr;
    const size_t size = lossless ? WebPEncodeLosslessBGRA(bgra, width, height, width * 4, &output)
                                 : WebPEncodeBGRA(bgra, width, height, width * 4, 100, &output);
    std::string out(reinterpret_cast<char*>(output), size);
    WebPFree(output);
    if (size == 0)
        throw std::runtime_error("libwebp could not write the test picture");
    return out;
}
