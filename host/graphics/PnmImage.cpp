#include "vel/host/PnmImage.h"

#include "ByteSource.h"
#include "CodecSupport.h"
#include "PictureSize.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace Host {

namespace {

constexpr const char* Kind = "PNM";
constexpr uint64_t LargestMaxval = 65535;
// Above any valid field, so that a longer number stays too large without wrapping.
constexpr uint64_t SaturatedNumber = uint64_t{1} << 32;

// The layout a file's magic number (P1 to P7) declares; PAM's header declares its channels.
struct TPnmForm {
    int Channels; // 1: bitmap or gray, 2: gray and alpha, 3: RGB, 4: RGB and alpha
    bool Bitmap;  // PBM: one bit a pixel, 1 black, no maxval
    bool Raw;     // binary samples rather than decimal text
    bool Pam = false;
};

// The tuple types of PAM the host reads, with their channels. BLACKANDWHITE's 1 is white.
struct TTupleType {
    const char* Name;
    int Channels;
};
constexpr TTupleType TupleTypes[] = {
    {"BLACKANDWHITE", 1},       {"GRAYSCALE", 1},       {"RGB", 3},
    {"BLACKANDWHITE_ALPHA", 2}, {"GRAYSCALE_ALPHA", 2}, {"RGB_ALPHA", 4},
};

bool IsWhiteSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}

// A character of the file as a message shows it.
std::string Shown(int c) {
    if (c == std::char_traits<char>::eof())
        return "the end of the data";
    if (std::isprint(c))
        return std::string("'") + static_cast<char>(c) + "'";
    return "byte " + std::to_string(c);
}

// The text of a PNM file: the header's fields and the samples of the plain forms, decimal
// numbers between white space and comments (from '#' to the end of the line).
class TPnmText {
public:
    explicit TPnmText(std::istream& stream) : FIn(*stream.rdbuf()) {}

    TPnmForm Magic() {
        const int p = FIn.sbumpc();
        const int digit = FIn.sbumpc();
        if (p != 'P' || digit < '1' || digit > '7')
            ThrowInvalid(Kind, "the magic number P1 to P7 is missing");
        if (digit == '7')
            return {0, false, true, true};
        const int form = digit - '1';
        return {form % 3 == 2 ? 3 : 1, form % 3 == 0, form >= 3};
    }

    // A word of PAM's header: the characters up to the next white space (at most 32).
    std::string Word() {
        std::string word(1, static_cast<char>(NextToken()));
        for (int c = FIn.snextc(); c != std::char_traits<char>::eof() && !IsWhiteSpace(c);
             c = FIn.snextc())
            if (word.size() < 32)
                word += static_cast<char>(c);
        return word;
    }

    uint64_t Number(const char* what) {
        int c = NextToken();
        if (!IsDigit(c))
            ThrowInvalid(Kind, std::string("the ") + what + " is not a number (" + Shown(c) + ")");
        uint64_t value = 0;
        std::string digits; // as the file gives them, for the message of a number too large
        for (; IsDigit(c); FIn.sbumpc(), c = FIn.sgetc()) {
            value = std::min(value * 10 + static_cast<uint64_t>(c - '0'), SaturatedNumber);
            if (digits.size() < 40)
                digits += static_cast<char>(c);
        }
        if (value == SaturatedNumber)
            ThrowInvalid(Kind, std::string("the ") + what + " " + digits +
                                   (digits.size() < 40 ? "" : "...") + " is too large");
        return value;
    }

    // A plain PBM pixel, '0' or '1', white space between pixels being optional.
    bool Black() {
        const int c = NextToken();
        FIn.sbumpc();
        if (c != '0' && c != '1')
            ThrowInvalid(Kind, "a pixel is " + Shown(c) + ", not 0 or 1");
        return c == '1';
    }

    // The one white space character between a raw form's header and its pixels.
    void EndOfHeader() {
        const int c = FIn.sbumpc();
        if (!IsWhiteSpace(c))
            ThrowInvalid(Kind, "the header ends with " + Shown(c) + ", not white space");
    }

private:
    // The next character that is neither white space nor in a comment, left unread.
    int NextToken() {
        for (int c = FIn.sgetc();; c = FIn.sgetc()) {
            if (c == std::char_traits<char>::eof())
                ThrowInvalid(Kind, "the data ends early");
            if (c == '#')
                while (c != '\n' && c != '\r' && c != std::char_traits<char>::eof())
                    c = FIn.snextc();
            else if (IsWhiteSpace(c))
                FIn.sbumpc();
            else
                return c;
        }
    }

    std::streambuf& FIn;
};

uint64_t RawRowBytes(const TPnmForm& form, uint64_t width, uint64_t maxval) {
    if (form.Bitmap)
        return (width + 7) / 8;
    return width * static_cast<uint64_t>(form.Channels) * (maxval > 255 ? 2 : 1);
}

// Refuses a header declaring more pixels than the rest of the data can hold, before the
// pixels are allocated: a raw row takes a fixed count of bytes, a plain sample at least one
// character, and in PGM and PPM one white space character between samples.
void CheckDataFillsPicture(std::optional<uint64_t> remaining, const TPnmForm& form, uint64_t width,
                           uint64_t height, uint64_t maxval) {
    if (!remaining)
        return;
    const bool separated = !form.Raw && !form.Bitmap;
    const uint64_t rowBytes =
        form.Raw ? RawRowBytes(form, width, maxval)
                 : width * static_cast<uint64_t>(form.Channels) * (separated ? 2 : 1);
    if ((*remaining + (separated ? 1 : 0)) / rowBytes < height)
        ThrowInvalid(Kind, "the pixel data is truncated");
}

// Reads one row of samples (PBM: 1 for white, 0 for black).
void ReadRow(TPnmText& text, TByteSource& raw, const TPnmForm& form, uint64_t maxval,
             std::vector<uint8_t>& bytes, std::vector<uint32_t>& samples) {
    if (!form.Raw) {
        for (uint32_t& sample : samples)
            sample =
                form.Bitmap
                    ? !text.Black()
                    : static_cast<uint32_t>(std::min<uint64_t>(text.Number("sample"), UINT32_MAX));
        return;
    }
    raw.Read(bytes.data(), bytes.size());
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = form.Bitmap    ? !((bytes[i / 8] >> (7 - i % 8)) & 1)
                     : maxval > 255 ? (uint32_t{bytes[2 * i]} << 8) | bytes[2 * i + 1]
                                    : bytes[i];
}

struct TPnmHeader {
    uint64_t Width = 0;
    uint64_t Height = 0;
    uint64_t Maxval = 0;
};

// PAM's header after P7: WIDTH, HEIGHT, DEPTH, MAXVAL and TUPLTYPE lines up to ENDHDR. The
// channels come from the tuple type, or from DEPTH without one.
TPnmHeader ReadPamHeader(TPnmText& text, TPnmForm& form) {
    TPnmHeader header;
    uint64_t depth = 0;
    std::string tupleType;
    for (std::string key = text.Word(); key != "ENDHDR"; key = text.Word()) {
        if (key == "WIDTH")
            header.Width = text.Number("width");
        else if (key == "HEIGHT")
            header.Height = text.Number("height");
        else if (key == "DEPTH")
            depth = text.Number("depth");
        else if (key == "MAXVAL")
            header.Maxval = text.Number("maxval");
        else if (key == "TUPLTYPE")
            tupleType = text.Word();
        else
            ThrowInvalid(Kind, "the PAM header holds an unknown field " + key);
    }
    const auto* type = std::find_if(std::begin(TupleTypes), std::end(TupleTypes),
                                    [&](const TTupleType& t) { return tupleType == t.Name; });
    if (!tupleType.empty() && type == std::end(TupleTypes))
        ThrowInvalid(Kind, "the PAM tuple type " + tupleType + " is not one the host reads");
    if (depth == 0 || depth > 4 || (!tupleType.empty() && depth != uint64_t(type->Channels)))
        ThrowInvalid(Kind, "the PAM depth " + std::to_string(depth) + " does not fit " +
                               (tupleType.empty() ? "1 to 4 channels" : tupleType));
    form.Channels = static_cast<int>(depth);
    return header;
}

TPnmHeader ReadHeader(TPnmText& text, TPnmForm& form) {
    if (form.Pam)
        return ReadPamHeader(text, form);
    TPnmHeader header;
    header.Width = text.Number("width");
    header.Height = text.Number("height");
    header.Maxval = form.Bitmap ? 1 : text.Number("maxval");
    return header;
}

// The colour of one pixel's samples, as levels: gray or RGB, then alpha when it has one.
TColor32 ColourOf(const uint32_t* s, int channels, const std::vector<uint8_t>& levels) {
    const bool gray = channels <= 2;
    const uint32_t alpha = channels % 2 == 0 ? levels[s[channels - 1]] : 0xFFu;
    const TColor32 rgb =
        gray ? levels[s[0]] * 0x010101u
             : (uint32_t{levels[s[0]]} << 16) | (uint32_t{levels[s[1]]} << 8) | levels[s[2]];
    return (alpha << 24) | rgb;
}

// Each sample value's 8-bit level, rounded.
std::vector<uint8_t> Levels(uint64_t maxval) {
    std::vector<uint8_t> levels(maxval + 1);
    for (uint64_t v = 0; v <= maxval; ++v)
        levels[v] = static_cast<uint8_t>((v * 255 + maxval / 2) / maxval);
    return levels;
}

} // namespace

void TPnmImage::LoadFromStream(std::istream& stream) {
    LoadKeepingFile(stream, Kind, [this](std::istream& file) { Decode(file); });
}

void TPnmImage::Decode(std::istream& file) {
    TPnmText text(file);
    TPnmForm form = text.Magic();
    const auto [width, height, maxval] = ReadHeader(text, form);
    if (maxval == 0 || maxval > LargestMaxval)
        ThrowInvalid(Kind, "the maxval " + std::to_string(maxval) + " is not 1 to 65535");
    CheckPictureSize(Kind, width, height);
    if (form.Raw)
        text.EndOfHeader();
    CheckDataFillsPicture(RemainingBytes(file), form, width, height, maxval);
    TPixelBuffer pixels = AllocatePixels(Kind, width, height);
    TColor32* colours = ColoursOf(pixels);

    TByteSource raw(file, "Invalid PNM picture: the pixel data is truncated");
    std::vector<uint8_t> bytes(form.Raw ? RawRowBytes(form, width, maxval) : 0);
    std::vector<uint32_t> samples(width * static_cast<uint64_t>(form.Channels));
    const std::vector<uint8_t> levels = Levels(maxval);
    for (uint64_t y = 0; y < height; ++y) {
        ReadRow(text, raw, form, maxval, bytes, samples);
        for (const uint32_t sample : samples)
            if (sample > maxval)
                ThrowInvalid(Kind, "a sample of " + std::to_string(sample) +
                                       " is over the maxval of " + std::to_string(maxval));
        for (size_t x = 0; x < width; ++x)
            *colours++ =
                ColourOf(&samples[x * static_cast<size_t>(form.Channels)], form.Channels, levels);
    }
    TakePixels(static_cast<int>(width), static_cast<int>(height), std::move(pixels));
}

void TPnmImage::SaveToStream(std::ostream& stream) const {
    if (!WriteFileBytes(stream))
        ThrowWriteFailure(stream, Kind, "the host reads PNM but does not write it");
}

} // namespace Host
