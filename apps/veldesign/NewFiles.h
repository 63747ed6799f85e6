// The files veldesign creates itself: a new form, a C++ skeleton. Their names are the bytes
// given on the command line, and a file already there is replaced only when asked to.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace VelDesign {

// A file veldesign refuses to create or cannot write; the message names it.
class EFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws EFileError unless replace is set when anything is under the name: a file, a folder,
// or a link (even one to nothing, which writing would replace).
void CheckNewFile(const std::string& fileName, bool replace);

// Writes the text as the file's whole contents; EFileError naming the file when it cannot.
void WriteNewFile(const std::string& fileName, std::string_view text);

} // namespace VelDesign
