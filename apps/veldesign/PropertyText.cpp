#include "PropertyText.h"

#include "vel/host/Errors.h"
#include "vel/host/Picture.h"

#include <charconv>

namespace VelDesign {

namespace {

using Host::FromAnsi;
using Host::String;
using Host::ToAnsi;

std::string PictureText(const Host::TPersistent* object) {
    const auto* picture = dynamic_cast<const Host::TPicture*>(object);
    if (picture == nullptr || picture->Graphic() == nullptr)
        return "(None)";
    return "(" + ToAnsi(picture->Graphic()->ClassName()) + " " + std::to_string(picture->Width()) +
           " x " + std::to_string(picture->Height()) + ")";
}

[[noreturn]] void BadValue(const Host::TPropertyInfo& property, const std::string& text,
                           const String& expected) {
    throw Host::EConvertError(u"'" + FromAnsi(text) + u"' is not a valid value for " +
                              property.Name + u": " + expected);
}

Host::TPropertyValue Integer(const Host::TPropertyInfo& property, const std::string& text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value < property.MinValue || value > property.MaxValue)
        BadValue(property, text,
                 u"an integer from " + FromAnsi(std::to_string(property.MinValue)) + u" to " +
                     FromAnsi(std::to_string(property.MaxValue)));
    return value;
}

Host::TPropertyValue Boolean(const Host::TPropertyInfo& property, const std::string& text) {
    if (Host::SameText(FromAnsi(text), u"True"))
        return true;
    if (Host::SameText(FromAnsi(text), u"False"))
        return false;
    BadValue(property, text, u"True or False");
}

Host::TPropertyValue Handler(const Host::TPropertyInfo& property, Host::TComponent& root,
                             const std::string& text) {
    if (text.empty())
        return Host::TNotifyEvent();
    const Host::TClassInfo* rootClass = Host::ClassInfoOf(root);
    Host::TNotifyEvent handler =
        rootClass ? rootClass->MethodHandler(root, FromAnsi(text)) : Host::TNotifyEvent();
    if (!handler)
        BadValue(property, text, u"the name of a method of the form");
    return handler;
}

void LoadPicture(Host::TPersistent* object, const std::string& fileName) {
    auto* picture = dynamic_cast<Host::TPicture*>(object);
    if (picture == nullptr)
        throw Host::EConvertError(u"Only pictures can be loaded from a file");
    if (fileName.empty())
        picture->Assign(nullptr);
    else
        picture->LoadFromFile(FromAnsi(fileName));
}

} // namespace

bool IsReadOnly(const Host::TPropertyInfo& property) {
    return !property.Storage.Stored && &property != Host::ComponentClass().FindProperty(u"Name");
}

std::string PropertyText(const Host::TComponent& component, const Host::TPropertyInfo& property) {
    if (property.Kind == Host::TTypeKind::tkClass)
        return PictureText(property.GetObject(component));
    const Host::TPropertyValue value = property.Get(component);
    if (const auto* number = std::get_if<int64_t>(&value))
        return std::to_string(*number);
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? "True" : "False";
    if (const auto* text = std::get_if<String>(&value))
        return ToAnsi(*text);
    const auto& handler = std::get<Host::TNotifyEvent>(value);
    return !handler ? "(none)" : handler.Name().empty() ? "(set in code)" : ToAnsi(handler.Name());
}

void SetPropertyText(Host::TComponent& component, const Host::TPropertyInfo& property,
                     Host::TComponent& root, const std::string& text) {
    switch (property.Kind) {
    case Host::TTypeKind::tkInteger:
        return property.Set(component, Integer(property, text));
    case Host::TTypeKind::tkBoolean:
        return property.Set(component, Boolean(property, text));
    case Host::TTypeKind::tkString:
        return property.Set(component, FromAnsi(text));
    case Host::TTypeKind::tkMethod:
        return property.Set(component, Handler(property, root, text));
    case Host::TTypeKind::tkClass:
        return LoadPicture(property.GetObject(component), text);
    }
}

} // namespace VelDesign
