// A file's bytes as a whole: read at once, and replaced safely. Paths are bytes. Both raise
// std::system_error carrying the system's reason (errno) when the file cannot be read or
// written.
#pragma once

#include "vel/host/Export.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace Host {

// Every byte of the file.
VEL_API std::string ReadWholeFile(const std::filesystem::path& path);

// Replaces the file's bytes, or creates the file, so that the file holds either its old bytes
// or all the new ones, never part of them, even after a crash. A symbolic link is followed
// to the file it names, which is the one edited; the links stay. As the kernel protects
// links, a link in a sticky folder that anyone may write to (such as /tmp), owned neither by
// the process's user nor by the folder's owner, is refused (EACCES): another user may have
// planted it to have a file of the process's user replaced. The new bytes are written
// into a file of a random name created exclusively (never following a link) in the real
// file's folder, flushed to the disk and renamed over the file, taking its permissions and,
// where the process may set them, its owner and group. On failure that file is removed and
// the original is left as it was.
VEL_API void ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace Host
