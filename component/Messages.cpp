#include "Messages.h"

#include <string>

namespace Vel {

Host::String MessageText(TVelMessage message) {
    switch (message) {
    case TVelMessage::msSymbolIsNull:
        return u"ZBar Symbol is null";
    case TVelMessage::msCantCreateImageScanner:
        return u"Can't create ZBar ImageScanner";
    case TVelMessage::msCantCreateImage:
        return u"Can't create ZBar Image";
    case TVelMessage::msConfigurationError:
        return u"Configuration error";
    case TVelMessage::msScanError:
        return u"Scan error";
    case TVelMessage::msIncorrectIndex:
        return u"Incorrect index";
    case TVelMessage::msLibraryNotLoaded:
        return u"ZBar library is not loaded";
    case TVelMessage::msNoImageToScan:
        return u"No image to scan";
    }
    return u"Message " + Host::FromAnsi(std::to_string(static_cast<unsigned>(message)));
}

} // namespace Vel
