// The exit statuses of every program, and the list each program's help shows. Scripts rely on
// the codes: they never change meaning. 3 is reserved.
#pragma once

namespace VelCli {

enum TExitStatus : int {
    esSuccess = 0,   // done; for a scan, every picture was read and a barcode was found
    esFailure = 1,   // usage error, ZBar or a design package not loaded or configured, or
                     // a scan's results not written
    esFileError = 2, // some file could not be read or written
    esNoBarcode = 4, // every picture was read and none had a barcode
};

inline constexpr char ExitStatusHelp[] = R"(Exit status:
  0  success; for a scan, every picture was read and at least one barcode was found
  1  usage error (a bad option, command, name or value), ZBar or a design package
     could not be loaded or configured, or a scan's results could not be written
  2  some file (a picture, a form, a glyph) could not be read or written
  3  reserved
  4  every picture was read and none had a barcode
)";

} // namespace VelCli
