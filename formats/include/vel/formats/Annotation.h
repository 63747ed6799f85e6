// Annotated pictures: for each page scanned, a PNG in the chosen folder that shows the page
// with what the scan found drawn on it: the scan rectangle (blue), each barcode's outline
// (green), its box (red) and a label with its type and the start of its data. A batch draws
// them with WriteAnnotation as its TBatchHooks::Annotate.
#pragma once

#include "vel/batch/Result.h"
#include "vel/batch/Settings.h"
#include "vel/host/Export.h"
#include "vel/host/Picture.h"

#include <cstddef>
#include <optional>
#include <string>

namespace VelFormats {

// The name of the result's annotated picture in a folder whose names may hold nameLimit bytes:
// the whole path flattened ('%' as %25, '/' as %2F, '#' as %23, so that two paths never share
// a name), "#PAGE" for a page of a many-page file, and ".png"; when that is too long, the base
// name (cut to fit), '-', 16 hexadecimal digits of a 64-bit hash (FNV-1a) of the path's bytes,
// "#PAGE" and ".png".
VEL_API std::string AnnotationFileName(const VelBatch::TPageResult& result, std::size_t nameLimit);

// Makes the folder, and its parents, unless it is there; throws std::runtime_error naming it.
VEL_API void MakeAnnotationFolder(const std::string& folder);

// Writes the picture, with the result drawn on a copy of it, into the settings' annotation
// folder, with the settings' scan rectangle when one is given. The file is replaced whole
// (Host::ReplaceWholeFile): a new file beside it, then renamed, never opened through a link planted
// by another user. A picture that cannot be written gives the warning.
VEL_API std::optional<std::string> WriteAnnotation(Host::TPicture& picture,
                                                   const VelBatch::TPageResult& result,
                                                   const VelBatch::TScanSettings& settings);

} // namespace VelFormats
