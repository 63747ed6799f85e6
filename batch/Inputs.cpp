#include "vel/batch/Inputs.h"

#include "vel/batch/LineText.h"

#include <vel/host/Exception.h>
#include <vel/host/GraphicKinds.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace VelBatch {

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
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return WalkOrderLess(a.path().native(), b.path().native());
    });
    for (const auto& entry : entries)
        EmitEntry(entry, recursive, emit);
}

// The folder's subfolders, not links to them (which a walk does not follow).
std::size_t CountSubfolders(const fs::path& folder) {
    std::error_code error;
    std::size_t count = 0;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        count += it->is_directory(error) && !it->is_symlink(error);
    return count;
}

// A folder without pictures is worth a warning; one whose pictures are all in subfolders, an
// error: without -r the run would miss every picture it was meant to scan.
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
    if (anyPicture)
        return;
    const std::size_t subfolders = recursive ? 0 : CountSubfolders(path);
    if (subfolders > 0)
        emit({path, "no pictures in this folder, but " + std::to_string(subfolders) +
                        (subfolders == 1 ? " subfolder" : " subfolders") +
                        ": give -r to scan the pictures in subfolders"});
    else
        warn(LineEscaped(path) + ": no pictures in this folder" +
             (recursive ? " or its subfolders" : ""));
}

// Whether the bytes begin like a picture file of a kind the host reads. "BM" alone starts
// path names too (BMW/...): a bitmap also needs its reserved header bytes, which are zero.
bool StartsLikePicture(std::string_view bytes) {
    if (bytes.starts_with("BM"))
        return bytes.size() >= 10 && bytes.substr(6, 4) == std::string_view("\0\0\0\0", 4);
    try {
        Host::CreateGraphicFor({reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                std::min(bytes.size(), Host::GraphicSignatureSize)});
        return true;
    } catch (const Host::Exception&) {
        return false;
    }
}

// The next entry of a list whose first bytes were read into `head` ahead of the stream.
bool NextEntry(std::istream& paths, std::string& head, char delimiter, std::string& entry) {
    if (const auto end = head.find(delimiter); end != std::string::npos) {
        entry = head.substr(0, end);
        head.erase(0, end + 1);
        return true;
    }
    entry = std::move(head);
    head.clear();
    std::string rest;
    const bool more = static_cast<bool>(std::getline(paths, rest, delimiter));
    entry += rest;
    return more || !entry.empty();
}

// The paths of a list: lines (a carriage return before the newline is dropped) or entries
// that each end with a NUL byte. No file name holds a NUL byte, so a line with one is an
// error for that line rather than the name up to the byte. A picture piped in by mistake
// (`cat picture.png | velscan -`) is one error, not a line of garbage per newline byte.
void EmitListedPaths(std::istream& paths, TPathList list, bool recursive,
                     const std::function<void(TInput)>& emit,
                     const std::function<void(const std::string&)>& warn) {
    std::string head(Host::GraphicSignatureSize, '\0');
    paths.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(paths.gcount()));
    if (StartsLikePicture(head)) {
        emit({"-", "standard input holds a picture, not a list of paths: give --stdin-picture "
                   "to scan a picture read from standard input"});
        return;
    }
    paths.clear(paths.rdstate() & std::ios::badbit);
    const bool lines = list == TPathList::Lines;
    for (std::string path; NextEntry(paths, head, lines ? '\n' : '\0', path);) {
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

bool WalkOrderLess(std::string_view a, std::string_view b) {
    for (;;) {
        const std::size_t slashA = a.find('/'), slashB = b.find('/');
        const std::string_view partA = a.substr(0, slashA), partB = b.substr(0, slashB);
        if (partA != partB)
            return partA < partB;
        if (slashA == std::string_view::npos || slashB == std::string_view::npos)
            return slashA == std::string_view::npos && slashB != std::string_view::npos;
        a.remove_prefix(slashA + 1);
        b.remove_prefix(slashB + 1);
    }
}

} // namespace VelBatch
