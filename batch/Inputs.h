// The pictures a run scans: the command line's paths with folders expanded and '-' read
// from a stream, in a deterministic order.
#pragma once

#include "Options.h"

#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace VelScan {

struct TInput {
    std::string Path;
    std::optional<std::string> Error; // set when the path could not be listed or read
    std::string Source{}; // the file to read when it is not Path (a picture from standard input)
    int FirstPage = 1;    // the first page to scan (after a worker failed on an earlier page)
};

// The file the input's picture is read from.
inline const std::string& SourceFile(const TInput& input) {
    return input.Source.empty() ? input.Path : input.Source;
}

// Calls emit for every input in order, as soon as it is known: a file path as it stands
// (whether it exists is found out when it is read), a folder's pictures sorted by name
// (with recursive, its subfolders' pictures too, each subfolder at its place in the
// order), and for "-" every non-empty entry of the list on `paths`, each treated like a path
// argument. A line that holds a NUL byte is emitted with an error, not cut at the byte; a
// list that starts like a picture file is one error for "-". A folder that holds no picture
// is told to warn, with a message naming it, unless it has subfolders and recursive is off:
// that folder is emitted with an error saying to give -r.
void ReadInputs(const std::vector<std::string>& args, bool recursive, TPathList list,
                std::istream& paths, const std::function<void(TInput)>& emit,
                const std::function<void(const std::string&)>& warn);

} // namespace VelScan
