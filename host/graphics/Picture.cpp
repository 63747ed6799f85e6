#include "vel/host/Picture.h"

#include "CodecSupport.h"
#include "PictureFile.h"
#include "vel/host/Errors.h"
#include "vel/host/GraphicKinds.h"

#include <istream>

namespace Host {

TPicture::~TPicture() = default;

void TPicture::SetGraphic(const TGraphic* graphic) {
    Hold(graphic ? graphic->Clone() : nullptr);
}

int TPicture::Width() const {
    return FGraphic ? FGraphic->Width() : 0;
}

int TPicture::Height() const {
    return FGraphic ? FGraphic->Height() : 0;
}

// Assigning the picture itself is a change like any other: the graphic is cloned before the
// old one is released, and OnChange fires.
void TPicture::Assign(TPersistent* source) {
    if (source == nullptr) {
        Hold(nullptr);
    } else if (const auto* picture = dynamic_cast<const TPicture*>(source)) {
        SetGraphic(picture->Graphic());
    } else if (const auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}

void TPicture::LoadFromFile(const String& fileName) {
    ReadPictureFile(fileName, [this](std::istream& stream) { LoadFromStream(stream); });
}

void TPicture::LoadFromFile(const std::filesystem::path& file) {
    ReadPictureFile(file, [this](std::istream& stream) { LoadFromStream(stream); });
}

void TPicture::LoadFromStream(std::istream& stream) {
    LoadFromStream(stream, TPageChoice{});
}

void TPicture::LoadFromFile(const std::filesystem::path& file, const TPageChoice& page) {
    ReadPictureFile(file, [this, &page](std::istream& stream) { LoadFromStream(stream, page); });
}

void TPicture::LoadFromStream(std::istream& stream, const TPageChoice& page) {
    std::unique_ptr<TGraphic> graphic = CreateGraphicFor(PeekSignature(stream));
    graphic->SelectPage(page);
    graphic->LoadFromStream(stream);
    Hold(std::move(graphic));
}

void TPicture::SaveToFile(const String& fileName) const {
    RequireGraphic().SaveToFile(fileName);
}

void TPicture::SaveToFile(const std::filesystem::path& file) const {
    const TGraphic& graphic = RequireGraphic();
    WritePictureFile(file, [&graphic](std::ostream& stream) { graphic.SaveToStream(stream); });
}

void TPicture::SaveToStream(std::ostream& stream) const {
    RequireGraphic().SaveToStream(stream);
}

void TPicture::AssignTo(TPersistent* dest) {
    if (FGraphic && dynamic_cast<TGraphic*>(dest) != nullptr)
        dest->Assign(FGraphic.get());
    else
        TPersistent::AssignTo(dest);
}

void TPicture::Hold(std::unique_ptr<TGraphic> graphic) {
    FGraphic = std::move(graphic);
    if (FGraphic)
        FGraphic->SetOnChange(TNotifyEvent(this, &TPicture::GraphicChanged));
    FOnChange(this);
}

void TPicture::GraphicChanged(TObject*) {
    FOnChange(this);
}

const TGraphic& TPicture::RequireGraphic() const {
    if (!FGraphic)
        throw EInvalidGraphic(u"Cannot save a picture that holds no graphic");
    return *FGraphic;
}

} // namespace Host
