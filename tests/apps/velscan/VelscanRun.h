// What the velscan tests share: the pictures they scan, running velscan as a process, its
// output taken apart, and a folder of each test's own.
#pragma once

#include "Json.h"
#include "Process.h"
#include "TempFolder.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
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

// Sets environment variables for the processes the test starts, and removes them afterwards.
class TEnvironment {
public:
    TEnvironment(std::initializer_list<std::pair<std::string, std::string>> variables);
    ~TEnvironment();
    TEnvironment(const TEnvironment&) = delete;
    TEnvironment& operator=(const TEnvironment&) = delete;

private:
    std::vector<std::pair<std::string, std::string>> FVariables;
};

// A folder of its own under the system's temporary folder, removed afterwards.
using TTempFolder = Support::TTempFolder;

} // namespace VelScanTest
