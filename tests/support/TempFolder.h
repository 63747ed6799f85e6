// A folder of its own under the system's temporary folder for the files a test writes, made
// by mkdtemp and removed with everything in it when the object goes. Header only: every test
// target that reaches the test support's folder can use it.
#pragma once

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace Support {

class TTempFolder {
public:
    // std::runtime_error naming the folder and the reason when it cannot be made.
    TTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vel-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder " + pattern + ": " +
                                     std::strerror(errno));
        FPath = pattern;
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    // The path of the name (which may hold subfolders) in the folder.
    std::filesystem::path Path(const std::string& name) const { return FPath / name; }

    // Writes the bytes into the named file; its path.
    std::filesystem::path Write(const std::string& name, std::string_view bytes) const {
        const std::filesystem::path file = Path(name);
        std::ofstream out(file, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            throw std::runtime_error("cannot write " + file.string());
        return file;
    }

    // Copies the source file to the name (which may hold subfolders); its path.
    std::string Add(const std::string& source, const std::string& name) const {
        const std::filesystem::path file = Path(name);
        std::filesystem::create_directories(file.parent_path());
        std::filesystem::copy_file(source, file);
        return file.string();
    }

private:
    std::filesystem::path FPath;
};

} // namespace Support
