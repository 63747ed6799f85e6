// A file of its own under /tmp for a library that writes only to files (libtiff): the test
// hands it the name, then takes the bytes written. The file is removed with the object.
#pragma once

#include <string>

namespace Support {

class TScratchFile {
public:
    // Creates the empty file, its name starting with prefix; std::runtime_error when it cannot.
    explicit TScratchFile(const std::string& prefix);
    ~TScratchFile();
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;

    const char* Name() const { return FName.c_str(); }
    // The file's bytes; empty when it cannot be read.
    std::string Bytes() const;

private:
    std::string FName;
};

} // namespace Support
