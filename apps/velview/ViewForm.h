// TViewForm: the class of velview's stored form (velview.vfm, made with veldesign). It owns
// the component Vel1, whose scan rectangle the window draws and reads with; a saved form keeps
// it and stays a form veldesign edits.
#pragma once

#include "vel/TVel.h"
#include "vel/host/Component.h"

#include <QString>

#include <memory>

class TViewForm : public Host::TComponent {
public:
    explicit TViewForm(Host::TComponent* owner = nullptr) : Host::TComponent(owner) {}

    // The form's component Vel1; EComponentError when the form has none.
    Vel::TVel& Vel1() const;
};

// A form as the window gets it: read from its file, or the form velview ships. Message holds
// what went wrong: the file could not be read (the shipped form is used then), or its
// component could not be activated (ZBar missing: the form is kept, inactive).
struct TLoadedForm {
    std::unique_ptr<TViewForm> Form;
    QString Message;
};

// The form of the file, or the shipped form when file is empty. Registers velview's resources
// (the shipped form and the icon) first.
TLoadedForm LoadViewForm(const QString& file);

// Writes the form to the file; raises Host::EFCreateError when it cannot be written.
void SaveViewForm(const TViewForm& form, const QString& file);
