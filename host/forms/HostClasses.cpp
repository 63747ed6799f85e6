// The class descriptions of the host's own persistent classes: TComponent with Name and
// Tag, and TPicture, which stores its graphic as binary data.
#include "vel/host/ClassRegistry.h"
#include "vel/host/Component.h"
#include "vel/host/Errors.h"
#include "vel/host/NumberText.h"
#include "vel/host/Picture.h"

#include <sstream>

namespace Host {

namespace {

// Picture data: the length of the graphic's class name, the name, then the graphic's own
// file bytes.
TFormBytes PictureData(const TPersistent& object) {
    const TGraphic& graphic = *static_cast<const TPicture&>(object).Graphic();
    const AnsiString kind = ToAnsi(graphic.ClassName());
    std::ostringstream file;
    file.put(static_cast<char>(kind.size()));
    file << kind;
    graphic.SaveToStream(file);
    const std::string bytes = file.str();
    return TFormBytes(bytes.begin(), bytes.end());
}

void ReadPictureData(TPersistent& object, const TFormBytes& data) {
    if (data.empty() || data.size() < 1u + data[0])
        throw EReadError(u"Picture data truncated: " + IntToStr(static_cast<int64_t>(data.size())) +
                         u" bytes");
    const String kind = FromAnsi(std::string(data.begin() + 1, data.begin() + 1 + data[0]));
    std::istringstream file(std::string(data.begin() + 1 + data[0], data.end()));
    auto& picture = static_cast<TPicture&>(object);
    picture.LoadFromStream(file);
    const String held = picture.Graphic()->ClassName();
    if (held != kind)
        throw EReadError(u"Picture data says " + kind + u" but holds a " + held);
}

TClassInfo MakeComponentClass() {
    TClassInfo info(u"TComponent", typeid(TComponent), nullptr);
    info.OwnProperties = {
        StringProperty<TComponent>(u"Name", &TComponent::Name, &TComponent::SetName,
                                   TStorage::Never()),
        IntegerProperty<TComponent>(u"Tag", &TComponent::Tag, &TComponent::SetTag,
                                    TStorage::DefaultIs(int64_t{0})),
    };
    return info;
}

TClassInfo MakePictureClass() {
    TClassInfo info(u"TPicture", typeid(TPicture), nullptr);
    info.DefinedProperties = {{u"Data",
                               [](const TPersistent& o) {
                                   const TGraphic* graphic =
                                       static_cast<const TPicture&>(o).Graphic();
                                   return graphic != nullptr && !graphic->Empty();
                               },
                               PictureData, ReadPictureData}};
    return info;
}

} // namespace

// Made on first use, so that classes registered from other modules' start-up can name them
// as parents in any order.
const TClassInfo& ComponentClass() {
    static const TClassRegistration registration(MakeComponentClass());
    return registration.Info();
}

const TClassInfo& PictureClass() {
    static const TClassRegistration registration(MakePictureClass());
    return registration.Info();
}

namespace {

// Registered from the start, so that forms find them by name.
const bool HostClassesRegistered = (ComponentClass(), PictureClass(), true);

} // namespace

} // namespace Host
