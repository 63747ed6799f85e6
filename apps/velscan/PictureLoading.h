// Reading a picture file for a scan without ever blocking on what is not a file: a FIFO, a
// socket or a device given as a path is refused before anything is read from it.
#pragma once

#include <vel/host/Picture.h>

#include <string>

namespace VelScan {

// Loads the page of the regular file at path into the picture. Throws std::runtime_error naming
// the file (as shownPath, when given) when it cannot be opened, is not a regular file, is
// empty or holds no readable picture or page; a picture above the pixel limit also names the
// option that raises it.
void LoadPicture(const std::string& path, Host::TPicture& picture, const Host::TPageChoice& page,
                 const std::string& shownPath = {});

} // namespace VelScan
