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

// velscan's statuses.
inline constexpr char ScanExitStatusHelp[] = R"(Exit status:
  0  every picture was read and at least one barcode was found
  1  usage error (a bad option or value), ZBar could not be loaded or configured, or
     the results could not be written
  2  some picture or page could not be read, or was read only in part
  3  reserved
  4  every picture was read and none had a barcode
)";

// veldesign's statuses: a designer scans nothing, so 4 never comes.
inline constexpr char DesignExitStatusHelp[] = R"(Exit status:
  0  success
  1  usage error (a bad option, command, name or value), or a design package could
     not be loaded
  2  some file (a form, a picture, a glyph) could not be read or written, or would be
     replaced without --force
  3  reserved
)";

} // namespace VelCli
