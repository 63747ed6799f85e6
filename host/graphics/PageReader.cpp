#include "vel/host/PageReader.h"

#include "CodecSupport.h"
#include "PageCursor.h"
#include "PictureFile.h"
#include "vel/host/GraphicKinds.h"

#include <algorithm>
#include <istream>
#include <span>

namespace Host {

namespace {

TFileBytes ReadFile(std::istream& stream) {
    CreateGraphicFor(PeekSignature(stream)); // refuses what is no picture before reading it
    return std::make_shared<const std::string>(ReadRest(stream, ""));
}

} // namespace

TPageReader::TPageReader(std::istream& stream) : FFile(ReadFile(stream)) {}

TPageReader::TPageReader(const std::filesystem::path& file) : FName(file) {
    ReadPictureFile(file, [this](std::istream& stream) { FFile = ReadFile(stream); });
}

TPageReader::~TPageReader() = default;

void TPageReader::LoadPage(TPicture& picture, const TPageChoice& page) {
    if (FName.empty())
        Load(picture, page);
    else
        NamingFile(FName, [&] { Load(picture, page); });
}

// A page that fails leaves its decoder in no known state: the next page starts afresh.
void TPageReader::Load(TPicture& picture, const TPageChoice& page) {
    const auto* first = reinterpret_cast<const uint8_t*>(FFile->data());
    std::unique_ptr<TGraphic> graphic =
        CreateGraphicFor(std::span(first, std::min(FFile->size(), GraphicSignatureSize)));
    graphic->SelectPage(page);
    try {
        graphic->LoadPage(FFile, FCursor);
    } catch (...) {
        FCursor.reset();
        throw;
    }
    // A graphic that keeps the whole file's bytes for saving shares the reader's rather than
    // holding a copy of its own beside the pixels.
    if (graphic->FFileBytes && graphic->FFileBytes != FFile && *graphic->FFileBytes == *FFile)
        graphic->FFileBytes = FFile;
    picture.Hold(std::move(graphic));
}

} // namespace Host
