#include "vel/batch/Batch.h"

#include <vel/Vel.h>

namespace VelBatch {

namespace {

// The loader's message without the library's name in front, however often it is there (the
// platform's own text may start with the name too), so that the message names it once.
std::string Reason(std::string message, const std::string& name) {
    const std::string prefix = name + ": ";
    while (message.starts_with(prefix))
        message.erase(0, prefix.size());
    return message;
}

} // namespace

void LoadZBar(const std::optional<std::string>& library) {
    if (library)
        Vel::ZBarLibraryName = Host::FromAnsi(*library);
    try {
        Vel::LoadLibrary();
    } catch (const std::exception& error) {
        const std::string name = Host::ToAnsi(Vel::ZBarLibraryName);
        throw ERunError("cannot load ZBar from " + name + ": " + Reason(error.what(), name) +
                        "; install libzbar0 (Debian/Ubuntu) or set --library");
    }
}

} // namespace VelBatch
