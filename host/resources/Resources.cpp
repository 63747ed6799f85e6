#include "vel/host/Resources.h"

#include "vel/host/Bitmap.h"
#include "vel/host/BmpFormat.h"
#include "vel/host/LittleEndian.h"
#include "vel/host/ModuleEntry.h"
#include "vel/host/NumberText.h"
#include "vel/host/TextCase.h"

#include <sstream>
#include <string>

namespace Host {

namespace {

constexpr size_t StringsPerBlock = 16;

// The offset of the pixels after a DIB's header and colour table.
uint32_t PixelOffset(TResourceData dib) {
    if (dib.size() < BmpInfoHeaderSize)
        return 0;
    const uint32_t headerSize = ReadDWord(dib.data());
    const uint16_t bitCount = ReadWord(dib.data() + 14);
    uint32_t colours = ReadDWord(dib.data() + 32);
    if (colours == 0 && bitCount <= 8)
        colours = 1u << bitCount;
    return BmpFileHeaderSize + headerSize + colours * 4;
}

} // namespace

const TResourceTable* ModuleResources(TModuleHandle module) {
    return static_cast<const TResourceTable*>(GetOwnModuleEntry(module, ModuleResourcesSymbol));
}

std::optional<TResourceData> FindResource(const TResourceTable& table, TResourceType type,
                                          const String& name) {
    for (const TResourceEntry& entry : std::span(table.Entries, table.Count))
        if (entry.Type == type && entry.Name != nullptr && SameText(entry.Name, name))
            return TResourceData(entry.Data, entry.Size);
    return std::nullopt;
}

std::optional<TResourceData> FindResource(const TResourceTable& table, TResourceType type,
                                          uint16_t number) {
    for (const TResourceEntry& entry : std::span(table.Entries, table.Count))
        if (entry.Type == type && entry.Name == nullptr && entry.Number == number)
            return TResourceData(entry.Data, entry.Size);
    return std::nullopt;
}

// A string table block holds strings 16 * (block - 1) to 16 * block - 1, each as a length
// in UTF-16 units followed by the units.
String LoadResString(const TResourceTable& table, uint16_t id) {
    const auto block = FindResource(table, TResourceType::rtString,
                                    static_cast<uint16_t>(id / StringsPerBlock + 1));
    size_t at = 0;
    for (size_t index = 0; block && index <= id % StringsPerBlock; ++index) {
        if (at + 2 > block->size())
            break;
        const size_t length = ReadWord(block->data() + at);
        at += 2;
        if (at + 2 * length > block->size())
            break;
        if (index == id % StringsPerBlock && length > 0) {
            String text;
            for (size_t i = 0; i < length; ++i)
                text += static_cast<char16_t>(ReadWord(block->data() + at + 2 * i));
            return text;
        }
        at += 2 * length;
    }
    throw EResNotFound(u"String resource " + IntToStr(id) + u" not found");
}

// A bitmap resource is a BMP file without its file header.
std::unique_ptr<TBitmap> LoadResourceBitmap(const TResourceTable& table, const String& name) {
    const auto dib = FindResource(table, TResourceType::rtBitmap, name);
    if (!dib)
        throw EResNotFound(u"Bitmap resource " + name + u" not found");
    std::string file = "BM";
    AppendDWord(file, static_cast<uint32_t>(BmpFileHeaderSize + dib->size()));
    AppendDWord(file, 0);
    AppendDWord(file, PixelOffset(*dib));
    file.append(reinterpret_cast<const char*>(dib->data()), dib->size());
    std::istringstream stream(file);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(stream);
    return bitmap;
}

} // namespace Host
