// A temporary folder for the files a test writes, removed with everything in it.
#pragma once

#include "vel/host/String.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "velhost-XXXXXX").string();
        FPath = mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path Path(const std::string& name) const { return FPath / name; }
    Host::String Name(const std::string& name) const { return Host::FromAnsi(Path(name).string()); }

    // Writes the bytes into the named file; returns its name.
    Host::String Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return Name(name);
    }

private:
    std::filesystem::path FPath;
};
