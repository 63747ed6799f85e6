#include "vel/host/ClassRegistry.h"
#include "vel/host/Errors.h"
#include "vel/host/FormText.h"
#include "vel/host/Forms.h"

namespace Host {

namespace {

template <class V> bool Holds(const std::optional<TPropertyValue>& value, const V& expected) {
    const V* held = value ? std::get_if<V>(&*value) : nullptr;
    return held != nullptr && *held == expected;
}

bool IsDefault(const TPropertyValue& value, const TStorage& storage) {
    if (const auto* number = std::get_if<int64_t>(&value))
        return Holds(storage.Default, *number);
    if (const auto* flag = std::get_if<bool>(&value))
        return Holds(storage.Default, *flag);
    if (const auto* text = std::get_if<String>(&value))
        return Holds(storage.Default, *text);
    return false;
}

const TClassInfo& RegisteredClass(const TPersistent& object) {
    const TClassInfo* info = ClassInfoOf(object);
    if (info == nullptr)
        throw EWriteError(u"Class " + object.ClassName() + u" is not registered");
    return *info;
}

std::optional<TFormValue> FormValue(const TPropertyValue& value) {
    if (const auto* number = std::get_if<int64_t>(&value))
        return *number;
    if (const auto* flag = std::get_if<bool>(&value))
        return TFormIdent{*flag ? u"True" : u"False"};
    if (const auto* text = std::get_if<String>(&value))
        return *text;
    // A handler is stored by the method name it was set by; one set in code has none.
    const auto& handler = std::get<TNotifyEvent>(value);
    if (handler && !handler.Name().empty())
        return TFormIdent{handler.Name()};
    return std::nullopt;
}

void WriteProperties(const TPersistent& object, const TClassInfo& info, const String& prefix,
                     std::vector<TFormProperty>& out) {
    for (const TPropertyInfo* property : info.Properties()) {
        if (!property->Storage.Stored)
            continue;
        if (property->Kind == TTypeKind::tkClass) {
            if (const TPersistent* sub = property->GetObject(object))
                WriteProperties(*sub, RegisteredClass(*sub), prefix + property->Name + u".", out);
            continue;
        }
        const TPropertyValue value = property->Get(object);
        if (IsDefault(value, property->Storage))
            continue;
        if (auto formValue = FormValue(value))
            out.push_back({prefix + property->Name, std::move(*formValue), 0});
    }
    for (const TClassInfo* c = &info; c != nullptr; c = c->Parent)
        for (const TDefinedProperty& defined : c->DefinedProperties)
            if (defined.HasData(object))
                out.push_back({prefix + defined.Name, defined.Write(object), 0});
}

TFormObject WriteObject(const TComponent& component) {
    const TClassInfo& info = RegisteredClass(component);
    TFormObject object;
    object.Name = component.Name();
    object.ClassName = info.Name;
    WriteProperties(component, info, u"", object.Properties);
    return object;
}

} // namespace

AnsiString WriteForm(const TComponent& root) {
    TFormObject form = WriteObject(root);
    for (int i = 0; i < root.ComponentCount(); ++i)
        form.Children.push_back(WriteObject(*root.Components(i)));
    return FormatFormText(form);
}

} // namespace Host
