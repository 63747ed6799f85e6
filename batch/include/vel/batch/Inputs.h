// The pictures a run scans: the paths given, with folders expanded and '-' read from a
// stream, in a deterministic order: the walk order.
#pragma once

#include "vel/host/Export.h"

#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace VelBatch {

// How the paths of a list are separated: by newlines, or each ended by a NUL byte.
enum class TPathList { Lines, NulSeparated };

struct TInput {
    std::string Path{};
    std::optional<std::string> Error{}; // set when the path could not be listed or read
    std::string Source{}; // the file to read when it is not Path (a picture from standard input)
    int FirstPage = 1;    // the first page to scan (after a worker failed on an earlier page)
    // The last page to scan; 0: every page to the file's end. Pages FirstPage (above 1) to
    // LastPage are read without the pages before them, each page's failure its own.
    int LastPage = 0;
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
VEL_API void ReadInputs(const std::vector<std::string>& args, bool recursive, TPathList list,
                        std::istream& paths, const std::function<void(TInput)>& emit,
                        const std::function<void(const std::string&)>& warn);

// The walk order of two paths: compared part by part (between slashes), bytewise, so that a
// folder's pictures come at the folder's place among its neighbours ("a/b" before "a.png"),
// as a folder walk emits them.
VEL_API bool WalkOrderLess(std::string_view a, std::string_view b);

} // namespace VelBatch
