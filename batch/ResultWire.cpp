#include "ResultWire.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace VelBatch {

namespace {

// Numbers are written in the machine's own byte order: both ends are the same program.
class TByteWriter {
public:
    template <class T> void Number(T value) {
        FBytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    template <class TEnum> void Enum(TEnum value) {
        Number(static_cast<std::underlying_type_t<TEnum>>(value));
    }
    void Text(std::string_view text) {
        Number<std::uint64_t>(text.size());
        FBytes.append(text);
    }
    void OptionalText(const std::optional<std::string>& text) {
        Number<std::uint8_t>(text.has_value());
        if (text)
            Text(*text);
    }
    void Texts(const std::vector<std::string>& texts) {
        Number<std::uint64_t>(texts.size());
        for (const auto& text : texts)
            Text(text);
    }
    std::string Take() { return std::move(FBytes); }

private:
    std::string FBytes;
};

class TByteReader {
public:
    explicit TByteReader(std::string_view bytes) : FRest(bytes) {}

    template <class T> T Number() {
        T value;
        std::memcpy(&value, Take(sizeof value).data(), sizeof value);
        return value;
    }
    template <class TEnum> TEnum Enum() {
        return static_cast<TEnum>(Number<std::underlying_type_t<TEnum>>());
    }
    std::string Text() { return std::string(Take(Number<std::uint64_t>())); }
    std::optional<std::string> OptionalText() {
        if (Number<std::uint8_t>() == 0)
            return std::nullopt;
        return Text();
    }
    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (auto count = Number<std::uint64_t>(); count > 0; --count)
            texts.push_back(Text());
        return texts;
    }
    // Throws unless every byte was read.
    void End(const char* what) const {
        if (!FRest.empty())
            throw EBadResultBytes(std::string("a worker's ") + what + " runs on past its end");
    }

private:
    std::string_view Take(std::uint64_t size) {
        if (size > FRest.size())
            throw EBadResultBytes("a worker's message ends early");
        const std::string_view taken = FRest.substr(0, size);
        FRest.remove_prefix(size);
        return taken;
    }

    std::string_view FRest;
};

void WritePoints(TByteWriter& out, const std::vector<Vel::TPoint>& points) {
    out.Number<std::uint64_t>(points.size());
    for (const Vel::TPoint& point : points) {
        out.Number(point.X);
        out.Number(point.Y);
    }
}

std::vector<Vel::TPoint> ReadPoints(TByteReader& in) {
    std::vector<Vel::TPoint> points;
    for (auto count = in.Number<std::uint64_t>(); count > 0; --count) {
        const int x = in.Number<int>();
        points.push_back({x, in.Number<int>()});
    }
    return points;
}

void WriteBarcode(TByteWriter& out, const Vel::TBarcode& barcode) {
    out.Enum(barcode.Symbology);
    out.Text(barcode.SymbologyName);
    out.Enum(barcode.SymbologyAddon);
    out.Text(barcode.SymbologyAddonName);
    out.Text(barcode.Data);
    out.Number(barcode.Quality);
    out.Enum(barcode.Orientation);
    out.Text(barcode.OrientationName);
    out.Number(barcode.Modifiers.Bits());
    out.Number<std::uint64_t>(barcode.Configs.size());
    for (const Vel::TVelConfig config : barcode.Configs)
        out.Enum(config);
    WritePoints(out, barcode.Outline);
    out.Text(barcode.AddonData);
    out.Text(barcode.Pass);
    out.Number(barcode.Page);
}

Vel::TVelModifiers ReadModifiers(TByteReader& in) {
    const auto bits = in.Number<std::uint8_t>();
    Vel::TVelModifiers modifiers;
    for (const auto modifier : {Vel::TVelModifier::moGs1Reserved, Vel::TVelModifier::moAimReserved})
        if (bits & (1u << static_cast<unsigned>(modifier)))
            modifiers.Include(modifier);
    return modifiers;
}

Vel::TBarcode ReadBarcode(TByteReader& in) {
    Vel::TBarcode barcode;
    barcode.Symbology = in.Enum<Vel::TVelSymbology>();
    barcode.SymbologyName = in.Text();
    barcode.SymbologyAddon = in.Enum<Vel::TVelSymbologyAddon>();
    barcode.SymbologyAddonName = in.Text();
    barcode.Data = in.Text();
    barcode.Quality = in.Number<int>();
    barcode.Orientation = in.Enum<Vel::TVelOrientation>();
    barcode.OrientationName = in.Text();
    barcode.Modifiers = ReadModifiers(in);
    for (auto count = in.Number<std::uint64_t>(); count > 0; --count)
        barcode.Configs.push_back(in.Enum<Vel::TVelConfig>());
    barcode.Outline = ReadPoints(in);
    barcode.AddonData = in.Text();
    barcode.Pass = in.Text();
    barcode.Page = in.Number<int>();
    return barcode;
}

void WriteResult(TByteWriter& out, const TPageResult& result) {
    out.Text(result.Path);
    out.Number(result.Page);
    out.Number(result.Pages);
    out.Number(result.Width);
    out.Number(result.Height);
    out.Number<std::uint64_t>(result.Barcodes.size());
    for (const Vel::TBarcode& barcode : result.Barcodes)
        WriteBarcode(out, barcode);
    out.OptionalText(result.Error);
    out.Enum(result.ErrorKind);
    out.OptionalText(result.Warning);
    out.Number<std::uint8_t>(result.Truncated);
    out.Texts(result.ZBarLines);
}

TPageResult ReadResult(TByteReader& in) {
    TPageResult result;
    result.Path = in.Text();
    result.Page = in.Number<int>();
    result.Pages = in.Number<int>();
    result.Width = in.Number<int>();
    result.Height = in.Number<int>();
    for (auto count = in.Number<std::uint64_t>(); count > 0; --count)
        result.Barcodes.push_back(ReadBarcode(in));
    result.Error = in.OptionalText();
    result.ErrorKind = in.Enum<TErrorKind>();
    result.Warning = in.OptionalText();
    result.Truncated = in.Number<std::uint8_t>() != 0;
    result.ZBarLines = in.Texts();
    return result;
}

} // namespace

std::string EncodeResults(const TFileResult& results) {
    TByteWriter out;
    out.Number<std::uint64_t>(results.size());
    for (const TPageResult& result : results)
        WriteResult(out, result);
    return out.Take();
}

TFileResult DecodeResults(std::string_view bytes) {
    TByteReader in(bytes);
    TFileResult results;
    for (auto count = in.Number<std::uint64_t>(); count > 0; --count)
        results.push_back(ReadResult(in));
    in.End("result");
    return results;
}

std::string EncodeInput(const TInput& input) {
    TByteWriter out;
    out.Text(input.Path);
    out.Text(input.Source);
    out.Number(input.FirstPage);
    out.Number(input.LastPage);
    return out.Take();
}

TInput DecodeInput(std::string_view bytes) {
    TByteReader in(bytes);
    TInput input;
    input.Path = in.Text();
    input.Source = in.Text();
    input.FirstPage = in.Number<int>();
    input.LastPage = in.Number<int>();
    in.End("input");
    return input;
}

std::string EncodeSettings(const TScanSettings& settings) {
    TByteWriter out;
    out.Texts(settings.Configs);
    out.Number<std::uint8_t>(settings.Rect.has_value());
    if (settings.Rect) {
        out.Number(settings.Rect->Left);
        out.Number(settings.Rect->Top);
        out.Number(settings.Rect->Width);
        out.Number(settings.Rect->Height);
    }
    out.Enum(settings.Effort);
    out.Number<std::uint64_t>(settings.Symbologies.size());
    for (const Vel::TVelSymbology symbology : settings.Symbologies)
        out.Enum(symbology);
    out.OptionalText(settings.Library);
    out.Number(settings.MaxPixels);
    out.Number(settings.MaxFilePixels);
    out.Text(settings.Pages.Text());
    out.Number(settings.Resolution);
    out.Number<std::uint8_t>(settings.OneShot);
    out.Number<std::uint8_t>(settings.ZBarLines);
    out.OptionalText(settings.AnnotateFolder);
    return out.Take();
}

TScanSettings DecodeSettings(std::string_view bytes) {
    TByteReader in(bytes);
    TScanSettings settings;
    settings.Configs = in.Texts();
    if (in.Number<std::uint8_t>() != 0) {
        Vel::TRect rect;
        rect.Left = in.Number<int>();
        rect.Top = in.Number<int>();
        rect.Width = in.Number<int>();
        rect.Height = in.Number<int>();
        settings.Rect = rect;
    }
    settings.Effort = in.Enum<Vel::TVelEffort>();
    for (auto count = in.Number<std::uint64_t>(); count > 0; --count)
        settings.Symbologies.push_back(in.Enum<Vel::TVelSymbology>());
    settings.Library = in.OptionalText();
    settings.MaxPixels = in.Number<std::uint64_t>();
    settings.MaxFilePixels = in.Number<std::uint64_t>();
    if (const std::string pages = in.Text(); !pages.empty())
        settings.Pages = TPageSelection::Parse(pages);
    settings.Resolution = in.Number<int>();
    settings.OneShot = in.Number<std::uint8_t>() != 0;
    settings.ZBarLines = in.Number<std::uint8_t>() != 0;
    settings.AnnotateFolder = in.OptionalText();
    in.End("settings");
    return settings;
}

} // namespace VelBatch
