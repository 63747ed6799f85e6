#include "ResultWire.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

namespace VelScan {

namespace {

// Numbers are written in the machine's own byte order: both ends are the same program.
class TWriter {
public:
    template <class T> void Number(T value) {
        FBytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    void Text(std::string_view text) {
        Number<std::uint64_t>(text.size());
        FBytes.append(text);
    }
    std::string Take() { return std::move(FBytes); }

private:
    std::string FBytes;
};

class TReader {
public:
    explicit TReader(std::string_view bytes) : FRest(bytes) {}

    template <class T> T Number() {
        T value;
        std::memcpy(&value, Take(sizeof value).data(), sizeof value);
        return value;
    }
    std::string Text() { return std::string(Take(Number<std::uint64_t>())); }
    bool AtEnd() const { return FRest.empty(); }

private:
    std::string_view Take(std::uint64_t size) {
        if (size > FRest.size())
            throw EBadResultBytes("a worker's result ends early");
        const std::string_view taken = FRest.substr(0, size);
        FRest.remove_prefix(size);
        return taken;
    }

    std::string_view FRest;
};

void WriteTexts(TWriter& out, const std::vector<std::string>& texts) {
    out.Number<std::uint64_t>(texts.size());
    for (const auto& text : texts)
        out.Text(text);
}

std::vector<std::string> ReadTexts(TReader& in) {
    std::vector<std::string> texts;
    for (auto count = in.Number<std::uint64_t>(); count > 0; --count)
        texts.push_back(in.Text());
    return texts;
}

void WriteBarcode(TWriter& out, const TFoundBarcode& barcode) {
    out.Text(barcode.Symbology);
    out.Text(barcode.Addon);
    out.Text({reinterpret_cast<const char*>(barcode.Data.data()), barcode.Data.size()});
    out.Number(barcode.Quality);
    out.Text(barcode.Orientation);
    WriteTexts(out, barcode.Modifiers);
    WriteTexts(out, barcode.Configs);
    out.Number<std::uint64_t>(barcode.Outline.size());
    for (const TPoint& point : barcode.Outline) {
        out.Number(point.X);
        out.Number(point.Y);
    }
    out.Text(barcode.Pass);
}

TFoundBarcode ReadBarcode(TReader& in) {
    TFoundBarcode barcode;
    barcode.Symbology = in.Text();
    barcode.Addon = in.Text();
    const std::string data = in.Text();
    barcode.Data.assign(data.begin(), data.end());
    barcode.Quality = in.Number<int>();
    barcode.Orientation = in.Text();
    barcode.Modifiers = ReadTexts(in);
    barcode.Configs = ReadTexts(in);
    for (auto count = in.Number<std::uint64_t>(); count > 0; --count) {
        const int x = in.Number<int>();
        barcode.Outline.push_back({x, in.Number<int>()});
    }
    barcode.Pass = in.Text();
    return barcode;
}

void WriteOptionalText(TWriter& out, const std::optional<std::string>& text) {
    out.Number<std::uint8_t>(text.has_value());
    if (text)
        out.Text(*text);
}

std::optional<std::string> ReadOptionalText(TReader& in) {
    if (in.Number<std::uint8_t>() == 0)
        return std::nullopt;
    return in.Text();
}

void WriteResult(TWriter& out, const TPictureResult& result) {
    out.Text(result.Path);
    out.Number(result.Page);
    out.Number(result.Pages);
    out.Number(result.Width);
    out.Number(result.Height);
    out.Number<std::uint64_t>(result.Barcodes.size());
    for (const TFoundBarcode& barcode : result.Barcodes)
        WriteBarcode(out, barcode);
    WriteOptionalText(out, result.Error);
    WriteOptionalText(out, result.Warning);
    out.Number<std::uint8_t>(result.Truncated);
    out.Number<std::uint64_t>(result.ZBarLines.size());
    for (const std::string& line : result.ZBarLines)
        out.Text(line);
}

TPictureResult ReadResult(TReader& in) {
    TPictureResult result;
    result.Path = in.Text();
    result.Page = in.Number<int>();
    result.Pages = in.Number<int>();
    result.Width = in.Number<int>();
    result.Height = in.Number<int>();
    for (auto count = in.Number<std::uint64_t>(); count > 0; --count)
        result.Barcodes.push_back(ReadBarcode(in));
    result.Error = ReadOptionalText(in);
    result.Warning = ReadOptionalText(in);
    result.Truncated = in.Number<std::uint8_t>() != 0;
    for (auto count = in.Number<std::uint64_t>(); count > 0; --count)
        result.ZBarLines.push_back(in.Text());
    return result;
}

} // namespace

std::string EncodeResults(const TFileResult& results) {
    TWriter out;
    out.Number<std::uint64_t>(results.size());
    for (const TPictureResult& result : results)
        WriteResult(out, result);
    return out.Take();
}

TFileResult DecodeResults(std::string_view bytes) {
    TReader in(bytes);
    TFileResult results;
    for (auto count = in.Number<std::uint64_t>(); count > 0; --count)
        results.push_back(ReadResult(in));
    if (!in.AtEnd())
        throw EBadResultBytes("a worker's result runs on past its end");
    return results;
}

std::string EncodeInput(const TInput& input) {
    TWriter out;
    out.Text(input.Path);
    out.Text(input.Source);
    out.Number(input.FirstPage);
    return out.Take();
}

TInput DecodeInput(std::string_view bytes) {
    TReader in(bytes);
    TInput input;
    input.Path = in.Text();
    input.Source = in.Text();
    input.FirstPage = in.Number<int>();
    if (!in.AtEnd())
        throw EBadResultBytes("a worker's input runs on past its end");
    return input;
}

} // namespace VelScan
