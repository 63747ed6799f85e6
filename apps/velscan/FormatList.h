// --formats: the symbologies to read, by the names ZBar and the README print ("EAN-13",
// "QR-Code", "PDF417"), with case and punctuation forgiven ("ean13", "qrcode", "i25").
#pragma once

#include <vel/Enumerations.h>

#include <string>
#include <vector>

namespace VelScan {

// The symbologies a list names: "ean13,qrcode" reads only those, "-code39" those a read
// without a choice reads but those, "ean13,-isbn13" the named less the left out. Throws
// VelCli::EUsageError for an empty or unknown name, listing the names known.
std::vector<Vel::TVelSymbology> ParseFormatList(const std::string& list);

} // namespace VelScan
