// What the velscan tests share: the pictures they scan, running velscan as a process, its
// output taken apart, and a folder of each test's own.
#pragma once

#include "Json.h"
#include "Process.h"

#include <filesystem>
#include <string>
#include <vector>

namespace VelScanTest {

// A bundled sample picture, and a broken or special picture of the tests.
std::string Sample(const std::string& name);
std::string Broken(const std::string& name);

extern const std::string Missing; // a picture path where there is none
extern const std::string Ean13;   // what velscan prints for the sample ean13.png

TProcessResult Velscan(std::vector<std::string> args, const std::string& input = {});

std::vector<std::string> Lines(const std::string& text);
std::vector<TJson> JsonLines(const std::string& text);
// The "path" of each JSON line.
std::vector<std::string> JsonPaths(const std::string& text);

// A folder of its own under the system's temporary folder, removed afterwards.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    // Copies the source file to the name (which may hold subfolders) in the folder; its path.
    std::string Add(const std::string& source, const std::string& name) const;

private:
    std::filesystem::path FPath;
};

} // namespace VelScanTest
