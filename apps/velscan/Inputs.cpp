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
    static constexpr std::array<std::string_view, 10> Extensions = {
        ".png", ".jpg", ".jpeg", ".jpe", ".webp", ".gif", ".tif", ".tiff", ".bmp", ".dib"};
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

} // namespace

void ReadInputs(const std::vector<std::string>& args, bool recursive, std::istream& paths,
                const std::function<void(TInput)>& emit,
                const std::function<void(const std::string&)>& warn) {
    for (const auto& arg : args) {
        if (arg != "-") {
            EmitPath(arg, recursive, emit, warn);
            continue;
        }
        for (std::string line; std::getline(paths, line);) {
            if (line.ends_with('\r'))
                line.pop_back();
            if (!line.empty())
                EmitPath(line, recursive, emit, warn);
        }
    }
}

} // namespace VelScan
