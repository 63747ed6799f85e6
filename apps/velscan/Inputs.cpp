#include "Inputs.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace VelScan {

namespace fs = std::filesystem;

namespace {

bool HasPictureExtension(const fs::path& path) {
    static constexpr std::array<std::string_view, 15> Extensions = {
        ".png", ".jpg", ".jpeg", ".jpe", ".webp", ".gif", ".tif", ".tiff",
        ".bmp", ".dib", ".pbm",  ".pgm", ".ppm",  ".pnm", ".pdf"};
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::find(Extensions.begin(), Extensions.end(), extension) != Extensions.end();
}

void EmitFolder(const fs::path& folder, bool recursive, const std::function<void(TInput)>& emit);

// One entry of a folder: a picture is emitted, a subfolder (not a link to one, so that
// links cannot make the walk loop) is walked when recursive; anything else is skipped.
void EmitEntry(const fs::directory_entry& entry, bool recursive,
               const std::function<void(TInput)>& emit) {
    std::error_code error;
    if (entry.is_directory(error) && !entry.is_symlink(error)) {
        if (recursive)
            EmitFolder(entry.path(), recursive, emit);
    } else if (entry.is_regular_file(error) && HasPictureExtension(entry.path())) {
        emit({entry.path().string(), std::nullopt});
    }
}

void EmitFolder(const fs::path& folder, bool recursive, const std::function<void(TInput)>& emit) {
    std::error_code error;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(*it);
    if (error) {
        emit({folder.string(), "cannot list the folder: " + error.message()});
        return;
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path().native() < b.path().native(); });
    for (const auto& entry : entries)
        EmitEntry(entry, recursive, emit);
}

void EmitPath(const std::string& path, bool recursive, const std::function<void(TInput)>& emit,
              const std::function<void(const std::string&)>& warn) {
    std::error_code error;
    if (!fs::is_directory(path, error)) {
        emit({path, std::nullopt});
        return;
    }
    bool anyPicture = false;
    EmitFolder(path, recursive, [&](TInput input) {
        anyPicture = true;
        emit(std::move(input));
    });
    if (!anyPicture)
        warn(path + ": no pictures in this folder" + (recursive ? " or its subfolders" : ""));
}

// The paths of a list: lines (a carriage return before the newline is dropped) or entries
// that each end with a NUL byte. No file name holds a NUL byte, so a line with one is an
// error for that line rather than the name up to the byte.
void EmitListedPaths(std::istream& paths, TPathList list, bool recursive,
                     const std::function<void(TInput)>& emit,
                     const std::function<void(const std::string&)>& warn) {
    const bool lines = list == TPathList::Lines;
    for (std::string path; std::getline(paths, path, lines ? '\n' : '\0');) {
        if (lines && path.ends_with('\r'))
            path.pop_back();
        if (path.empty())
            continue;
        if (path.find('\0') != std::string::npos)
            emit({path, "the path holds a NUL byte, which no file name can; give NUL-separated "
                        "paths with -0"});
        else
            EmitPath(path, recursive, emit, warn);
    }
}

} // namespace

void ReadInputs(const std::vector<std::string>& args, bool recursive, TPathList list,
                std::istream& paths, const std::function<void(TInput)>& emit,
                const std::function<void(const std::string&)>& warn) {
    for (const auto& arg : args) {
        if (arg == "-")
            EmitListedPaths(paths, list, recursive, emit, warn);
        else
            EmitPath(arg, recursive, emit, warn);
    }
}

} // namespace VelScan
