// The registration unit of the design package: puts TVel on the designer's palette.
#pragma once

namespace VelE {

// Registers TVel on the palette page "Halvane".
void Register();

} // namespace VelE
