#include "vel/host/Graphic.h"

#include "MemoryStream.h"
#include "PictureFile.h"
#include "PictureSize.h"
#include "vel/host/Errors.h"

#include <ostream>
#include <string>

namespace Host {

void TGraphic::LoadFromFile(const String& fileName) {
    ReadPictureFile(fileName, [this](std::istream& stream) { LoadFromStream(stream); });
}

void TGraphic::SaveToFile(const String& fileName) const {
    WritePictureFile(fileName, [this](std::ostream& stream) { SaveToStream(stream); });
}

void TGraphic::SelectPage(const TPageChoice& choice) {
    CheckPageChoice(choice);
    if (choice.Index != 0)
        throw EInvalidGraphic(FromAnsi("Cannot choose page " + std::to_string(choice.Index + 1) +
                                       ": this kind of picture has one page"));
}

void TGraphic::LoadPage(const TFileBytes& file, std::shared_ptr<TPageCursor>&) {
    TMemoryStream stream(*file);
    LoadFromStream(stream);
}

void TGraphic::Changed() {
    ForgetFileBytes();
    FOnChange(this);
}

void TGraphic::KeepFileBytes(std::string bytes) {
    FFileBytes = std::make_shared<const std::string>(std::move(bytes));
}

bool TGraphic::WriteFileBytes(std::ostream& stream) const {
    if (!FFileBytes)
        return false;
    if (!stream.write(FFileBytes->data(), static_cast<std::streamsize>(FFileBytes->size())))
        throw EWriteError(u"Cannot write the picture: the stream failed");
    return true;
}

} // namespace Host
