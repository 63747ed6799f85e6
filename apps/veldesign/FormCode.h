// The C++ side of a designed form, as `veldesign code` writes it: the form's root class with
// an accessor for each component and the event handlers the form names (each printing the
// barcodes its sender found), the class's registration so that reading the form finds it,
// and a main that reads the form and scans the picture given on its command line.
#pragma once

#include "vel/host/Component.h"

#include <string>

namespace VelDesign {

// The source for the form, which must hold a TVel to scan with (EComponentError otherwise).
// formFile is the name of the form's file, which the source's opening comment names.
std::string FormCode(const Host::TComponent& form, const std::string& formFile);

} // namespace VelDesign
