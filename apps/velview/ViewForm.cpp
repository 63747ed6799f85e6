#include "ViewForm.h"

#include "vel/VelError.h"
#include "vel/host/ClassRegistry.h"
#include "vel/host/Errors.h"
#include "vel/host/Forms.h"
#include "vel/qt/PageImage.h"

#include <QFile>

#include <string>

// The resources of velview's library (the shipped form and the icon): a static library's
// resources are registered by hand, since nothing else refers to them.
static void InitResources() {
    Q_INIT_RESOURCE(velview);
}

namespace {

Host::TClassInfo ViewFormClass() {
    Host::TClassInfo info(u"TViewForm", typeid(TViewForm), &Host::ComponentClass());
    info.Create = [](Host::TComponent* owner) -> Host::TComponent* {
        return new TViewForm(owner);
    };
    return info;
}

// Registered while the program runs, so that reading the form finds the class by its name.
const Host::TClassRegistration ViewFormRegistration(ViewFormClass());

// The form velview ships, from its resources.
std::string ShippedForm() {
    QFile file(":/velview/velview.vfm");
    if (!file.open(QIODevice::ReadOnly))
        throw Host::EFOpenError(u"Cannot open velview's own form: " +
                                Host::FromAnsi(file.errorString().toStdString()));
    return file.readAll().toStdString();
}

// Reads a form into root; a component that cannot be activated (ZBar missing) is reported in
// message and left inactive.
void ReadInto(TViewForm& root, const QString& file, QString& message) {
    try {
        if (file.isEmpty())
            Host::ReadForm(ShippedForm(), root);
        else
            Host::ReadFormFile(Host::FromAnsi(VelQt::FilePath(file).native()), root);
    } catch (const Vel::EVelError& error) {
        message = QString::fromUtf8(error.what());
    }
}

} // namespace

Vel::TVel& TViewForm::Vel1() const {
    if (auto* vel = dynamic_cast<Vel::TVel*>(FindComponent(u"Vel1")))
        return *vel;
    throw Host::EComponentError(u"The form has no component Vel1");
}

TLoadedForm LoadViewForm(const QString& file) {
    InitResources();
    TLoadedForm loaded{std::make_unique<TViewForm>(), {}};
    try {
        ReadInto(*loaded.Form, file, loaded.Message);
        loaded.Form->Vel1();
        return loaded;
    } catch (const Host::Exception& error) {
        loaded.Message = QString::fromUtf8(error.what()) + "; using the form velview ships";
    }
    loaded.Form = std::make_unique<TViewForm>();
    QString ignored;
    ReadInto(*loaded.Form, {}, ignored);
    return loaded;
}

void SaveViewForm(const TViewForm& form, const QString& file) {
    Host::WriteFormFile(Host::FromAnsi(VelQt::FilePath(file).native()), form);
}
