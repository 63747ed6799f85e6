#include "vel/host/Graphic.h"

#include "PictureFile.h"

namespace Host {

void TGraphic::LoadFromFile(const String& fileName) {
    ReadPictureFile(fileName, [this](std::istream& stream) { LoadFromStream(stream); });
}

void TGraphic::SaveToFile(const String& fileName) const {
    WritePictureFile(fileName, [this](std::ostream& stream) { SaveToStream(stream); });
}

void TGraphic::Changed() {
    FOnChange(this);
}

} // namespace Host
