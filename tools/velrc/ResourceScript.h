// Resource scripts: the text velrc compiles into a module's resource table.
//
//   # a comment
//   INCLUDE "other.vrc"          the statements of another script (path relative to this one)
//   LANGUAGE 0x0409 1252         language and code page of the resources that follow
//   DESCRIPTION "text"           RCDATA DESCRIPTION, and FileDescription of the version record
//   PLATFORMS 3                  RCDATA PLATFORMTARGETS: the platform bit set, 32 bits
//   VERSION 1.0.0.0              the version record
//   STRING 65520 "text"          a string of the string tables
//   BITMAP NAME                  a 4-bit bitmap: rows of hexadecimal palette indices into
//   F0F0...                      the standard 16-colour palette, top row first, then END
//   END
//   ICON NAME                    the same for an icon (image and icon group)
#pragma once

#include "ResourceFormats.h"

#include <filesystem>
#include <string>
#include <vector>

namespace VelRc {

struct TResource {
    uint16_t Type;
    std::u16string Name; // empty for a numbered resource
    uint16_t Number = 0;
    uint16_t Language = 0;
    TBytes Data;
};

// Compiles the script; throws std::runtime_error naming the file and line at fault.
std::vector<TResource> CompileScript(const std::filesystem::path& script);

} // namespace VelRc
