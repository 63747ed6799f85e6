#include "vel/host/ClassRegistry.h"
#include "vel/host/Errors.h"
#include "vel/host/FormText.h"
#include "vel/host/Forms.h"
#include "vel/host/NumberText.h"
#include "vel/host/TextCase.h"

#include <exception>
#include <vector>

namespace Host {

namespace {

String LineText(int line) {
    return u"Line " + IntToStr(line) + u": ";
}

String ValueKind(const TFormValue& value) {
    static const char16_t* const Kinds[] = {u"an integer", u"a string", u"an identifier",
                                            u"a binary block"};
    return Kinds[value.index()];
}

// An error at the line being read; the reader adds the line number.
[[noreturn]] void Fail(const String& message) {
    throw EReadError(message);
}

String Describe(const TComponent& component, const TClassInfo& info) {
    return (component.Name().empty() ? u"a component" : component.Name()) + u" (" + info.Name +
           u")";
}

class TFormReader {
public:
    explicit TFormReader(TComponent& root) : FRoot(root) {}

    void Read(const TFormObject& form) {
        FRoot.SetLoading(true);
        try {
            ReadRoot(form);
        } catch (const Exception& e) {
            Abandon();
            throw EReadError(LineText(FLine) + e.Message());
        } catch (...) {
            Abandon();
            throw;
        }
        CallLoaded();
    }

private:
    void ReadRoot(const TFormObject& form) {
        FLine = form.Line;
        const TClassInfo* info = ClassInfoOf(FRoot);
        if (info == nullptr)
            Fail(u"the root's class " + FRoot.ClassName() + u" is not registered");
        if (!SameText(info->Name, form.ClassName))
            Fail(u"the form holds a " + form.ClassName + u", not a " + info->Name);
        FRootClass = info;
        ReadObject(form, FRoot, *info);
    }

    void ReadObject(const TFormObject& object, TComponent& component, const TClassInfo& info) {
        FLine = object.Line;
        component.SetName(object.Name);
        for (const TFormProperty& property : object.Properties) {
            FLine = property.Line;
            ReadProperty(component, info, property.Name, property.Value);
        }
        for (const TFormObject& child : object.Children)
            ReadChild(child);
    }

    void ReadChild(const TFormObject& object) {
        FLine = object.Line;
        const TClassInfo* info = FindClass(object.ClassName);
        if (info == nullptr)
            Fail(u"unknown class " + object.ClassName);
        if (!info->Create || !info->InheritsFrom(ComponentClass()))
            Fail(u"class " + object.ClassName + u" is not a component class a form can create");
        TComponent* component = info->Create(&FRoot);
        FCreated.push_back(component);
        component->SetLoading(true);
        ReadObject(object, *component, *info);
    }

    // A dotted path reaches into a persistent sub-object: Picture.Data.
    void ReadProperty(TPersistent& target, const TClassInfo& info, const String& path,
                      const TFormValue& value) {
        const size_t dot = path.find(u'.');
        const String head = path.substr(0, dot);
        if (dot == String::npos)
            if (const TDefinedProperty* defined = info.FindDefinedProperty(head))
                return ReadDefined(target, *defined, value);
        const TPropertyInfo* property = info.FindProperty(head);
        if (property == nullptr)
            Fail(info.Name + u" has no property " + head);
        if (property->Kind == TTypeKind::tkClass) {
            TPersistent* object = property->GetObject(target);
            const TClassInfo* objectInfo = object ? ClassInfoOf(*object) : nullptr;
            if (dot == String::npos || objectInfo == nullptr)
                Fail(head + u" of " + info.Name + u" is stored through its own properties");
            return ReadProperty(*object, *objectInfo, path.substr(dot + 1), value);
        }
        if (dot != String::npos)
            Fail(head + u" of " + info.Name + u" has no properties of its own");
        property->Set(target, Convert(*property, info, value));
    }

    void ReadDefined(TPersistent& target, const TDefinedProperty& defined,
                     const TFormValue& value) {
        const auto* bytes = std::get_if<TFormBytes>(&value);
        if (bytes == nullptr)
            Fail(defined.Name + u" expects a binary block, not " + ValueKind(value));
        defined.Read(target, *bytes);
    }

    TPropertyValue Convert(const TPropertyInfo& property, const TClassInfo& info,
                           const TFormValue& value) {
        const String what = property.Name + u" of " + info.Name;
        switch (property.Kind) {
        case TTypeKind::tkInteger:
            if (const auto* number = std::get_if<int64_t>(&value)) {
                if (*number < property.MinValue || *number > property.MaxValue)
                    Fail(what + u" cannot hold " + IntToStr(*number));
                return *number;
            }
            Fail(what + u" expects an integer, not " + ValueKind(value));
        case TTypeKind::tkBoolean:
            if (const auto* ident = std::get_if<TFormIdent>(&value)) {
                if (SameText(ident->Name, u"True") || SameText(ident->Name, u"False"))
                    return SameText(ident->Name, u"True");
                Fail(what + u" expects True or False, not " + ident->Name);
            }
            Fail(what + u" expects True or False, not " + ValueKind(value));
        case TTypeKind::tkString:
            if (const auto* text = std::get_if<String>(&value))
                return *text;
            Fail(what + u" expects a string, not " + ValueKind(value));
        case TTypeKind::tkMethod:
            if (const auto* ident = std::get_if<TFormIdent>(&value))
                return Handler(*ident);
            Fail(what + u" expects a method name, not " + ValueKind(value));
        case TTypeKind::tkClass:
            break;
        }
        Fail(what + u" cannot be read");
    }

    TNotifyEvent Handler(const TFormIdent& name) {
        TNotifyEvent handler = FRootClass->MethodHandler(FRoot, name.Name);
        if (!handler)
            Fail(Describe(FRoot, *FRootClass) + u" publishes no method " + name.Name);
        return handler;
    }

    void Abandon() {
        FRoot.SetLoading(false);
        while (!FCreated.empty()) {
            delete FCreated.back();
            FCreated.pop_back();
        }
    }

    // Every component gets its Loaded call even when an earlier one raises; the first
    // exception is raised afterwards.
    void CallLoaded() {
        std::exception_ptr first;
        std::vector<TComponent*> loading{&FRoot};
        loading.insert(loading.end(), FCreated.begin(), FCreated.end());
        for (TComponent* component : loading) {
            try {
                component->Loaded();
            } catch (...) {
                component->SetLoading(false);
                if (!first)
                    first = std::current_exception();
            }
        }
        if (first)
            std::rethrow_exception(first);
    }

    TComponent& FRoot;
    const TClassInfo* FRootClass = nullptr;
    std::vector<TComponent*> FCreated;
    int FLine = 0;
};

} // namespace

void ReadForm(std::string_view text, TComponent& root) {
    TFormReader(root).Read(ParseFormText(text));
}

std::unique_ptr<TComponent> ReadForm(std::string_view text) {
    const TFormObject form = ParseFormText(text);
    const TClassInfo* info = FindClass(form.ClassName);
    if (info == nullptr || !info->Create)
        throw EReadError(LineText(form.Line) + u"unknown root class " + form.ClassName);
    std::unique_ptr<TComponent> root(info->Create(nullptr));
    TFormReader(*root).Read(form);
    return root;
}

} // namespace Host
