#include "ScratchFile.h"

#include <cstdio>
#include <stdexcept>
#include <stdlib.h>
#include <unistd.h>

namespace Support {

TScratchFile::TScratchFile(const std::string& prefix) : FName("/tmp/" + prefix + "-XXXXXX") {
    const int fd = mkstemp(FName.data());
    if (fd < 0)
        throw std::runtime_error("cannot create a scratch file " + FName);
    close(fd);
}

TScratchFile::~TScratchFile() {
    std::remove(FName.c_str());
}

std::string TScratchFile::Bytes() const {
    std::string out;
    if (FILE* file = std::fopen(FName.c_str(), "rb")) {
        char chunk[65536];
        for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
            out.append(chunk, got);
        std::fclose(file);
    }
    return out;
}

} // namespace Support
