// Annotated pictures (--annotate): for each picture scanned, a PNG in the chosen folder that
// shows the picture with what the scan found drawn on it (AnnotationDrawing.h).
#pragma once

#include "Options.h"
#include "ScanResult.h"

#include <vel/host/Picture.h>

#include <cstddef>
#include <optional>
#include <string>

namespace VelScan {

// The name of the result's annotated picture in a folder whose names may hold nameLimit bytes:
// the whole path flattened ('%' as %25, '/' as %2F, '#' as %23, so that two paths never share
// a name), "#PAGE" for a page of a many-page file, and ".png"; when that is too long, the base
// name (cut to fit), '-', 16 hexadecimal digits of a 64-bit hash (FNV-1a) of the path's bytes,
// "#PAGE" and ".png".
std::string AnnotationFileName(const TPictureResult& result, std::size_t nameLimit);

// Makes the folder, and its parents, unless it is there; throws std::runtime_error naming it.
void MakeAnnotationFolder(const std::string& folder);

// Writes the picture, with the result drawn on a copy of it, into the folder; rect, when not
// null, is the scan rectangle given. The file is replaced whole (Host::ReplaceWholeFile): a
// new file beside it, then renamed, never opened through a link planted by another user. A
// picture that cannot be written gives the warning.
std::optional<std::string> WriteAnnotation(Host::TPicture& picture, const TPictureResult& result,
                                           const TScanRect* rect, const std::string& folder);

} // namespace VelScan
