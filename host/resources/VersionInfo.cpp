#include "vel/host/VersionInfo.h"

#include "vel/host/Errors.h"
#include "vel/host/LittleEndian.h"

#include <string>
#include <vector>

namespace Host {

namespace {

constexpr uint32_t FixedInfoSignature = 0xFEEF04BD;
constexpr size_t FixedInfoSize = 52;

// One node of the record: a key, a binary or text value, and nested nodes.
struct TNode {
    String Key;
    TResourceData Value;
    bool Text = false;
    std::vector<TNode> Children;
};

[[noreturn]] void Malformed(const String& what) {
    throw EReadError(u"Malformed version record: " + what);
}

class TNodeReader {
public:
    explicit TNodeReader(TResourceData data) : FData(data) {}

    TNode Read(size_t at, size_t end) {
        const size_t length = Word(at);
        if (length < 6 || at + length > end)
            Malformed(u"a block length runs past its parent");
        const size_t valueLength = Word(at + 2);
        TNode node;
        node.Text = Word(at + 4) == 1;
        size_t p = at + 6;
        for (char16_t c; (c = static_cast<char16_t>(Word(p))) != 0; p += 2)
            node.Key += c;
        p = Align(p + 2);
        const size_t valueBytes = node.Text ? valueLength * 2 : valueLength;
        if (p + valueBytes > at + length)
            Malformed(u"the value of " + node.Key + u" runs past its block");
        node.Value = FData.subspan(p, valueBytes);
        for (p = Align(p + valueBytes); p + 6 <= at + length; p = Align(p + Word(p)))
            node.Children.push_back(Read(p, at + length));
        return node;
    }

    uint16_t Word(size_t at) const {
        if (at + 2 > FData.size())
            Malformed(u"the data ends inside a block");
        return ReadWord(FData.data() + at);
    }

private:
    static size_t Align(size_t at) { return (at + 3) & ~size_t{3}; }

    TResourceData FData;
};

std::array<uint16_t, 4> Version(TResourceData fixed, size_t at) {
    const uint8_t* p = fixed.data() + at;
    return {ReadWord(p + 2), ReadWord(p), ReadWord(p + 6), ReadWord(p + 4)};
}

String TextValue(const TNode& node) {
    String text;
    for (size_t i = 0; i + 1 < node.Value.size(); i += 2)
        if (const char16_t c = ReadWord(node.Value.data() + i); c != 0)
            text += c;
    return text;
}

void ReadChildren(const TNode& root, TVersionInfo& info) {
    for (const TNode& child : root.Children) {
        if (child.Key == u"StringFileInfo")
            for (const TNode& table : child.Children)
                for (const TNode& text : table.Children)
                    info.Strings[text.Key] = TextValue(text);
        if (child.Key == u"VarFileInfo")
            for (const TNode& var : child.Children)
                if (var.Key == u"Translation" && var.Value.size() >= 4) {
                    info.Language = ReadWord(var.Value.data());
                    info.CodePage = ReadWord(var.Value.data() + 2);
                }
    }
}

} // namespace

TVersionInfo ReadVersionInfo(TResourceData data) {
    TNodeReader reader(data);
    const TNode root = reader.Read(0, data.size());
    if (root.Key != u"VS_VERSION_INFO" || root.Value.size() != FixedInfoSize ||
        ReadDWord(root.Value.data()) != FixedInfoSignature)
        Malformed(u"no fixed version information");
    TVersionInfo info;
    info.FileVersion = Version(root.Value, 8);
    info.ProductVersion = Version(root.Value, 16);
    ReadChildren(root, info);
    return info;
}

String VersionText(const std::array<uint16_t, 4>& version) {
    std::string text;
    for (const uint16_t part : version)
        text += (text.empty() ? "" : ".") + std::to_string(part);
    return FromAnsi(text);
}

} // namespace Host
