// Reading and writing picture files with errors that name the file.
#pragma once

#include "vel/host/String.h"

#include <filesystem>
#include <functional>
#include <iosfwd>

namespace Host {

// Opens the file and hands it to read. A file that cannot be opened (missing, a directory,
// no permission) raises EFOpenError; an empty file, or EInvalidGraphic from read, raises
// EInvalidGraphic "Cannot load picture file "<name>": <reason>" (EPixelLimit for a picture
// above the pixel limit).
void ReadPictureFile(const std::filesystem::path& file,
                     const std::function<void(std::istream&)>& read);

// Runs load, turning its EInvalidGraphic into one that names the file as ReadPictureFile does
// (of the same type: an EPixelLimit stays one).
void NamingFile(const std::filesystem::path& file, const std::function<void()>& load);

// Has write produce the whole file in memory first, so that a failed encoding leaves an
// existing file untouched, then writes it; EFCreateError when that fails.
void WritePictureFile(const std::filesystem::path& file,
                      const std::function<void(std::ostream&)>& write);

// The same for a file name in the system's text, turned back into the file system's bytes.
void ReadPictureFile(const String& fileName, const std::function<void(std::istream&)>& read);
void WritePictureFile(const String& fileName, const std::function<void(std::ostream&)>& write);

} // namespace Host
