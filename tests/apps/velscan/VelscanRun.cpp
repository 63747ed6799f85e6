#include "VelscanRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <unistd.h>

namespace VelScanTest {

namespace fs = std::filesystem;

std::string Sample(const std::string& name) {
    return VEL_SAMPLES_DIR "/" + name;
}
std::string Broken(const std::string& name) {
    return VELSCAN_PICTURES_DIR "/" + name;
}

const std::string Missing = Broken("no-such-picture.png");
const std::string Ean13 = "EAN-13:9780201379624";

TProcessResult Velscan(std::vector<std::string> args, const std::string& input) {
    args.insert(args.begin(), VELSCAN_PATH);
    return RunProcess(args, input);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::vector<TJson> JsonLines(const std::string& text) {
    std::vector<TJson> objects;
    for (const auto& line : Lines(text))
        objects.push_back(ParseJson(line));
    return objects;
}

std::vector<std::string> JsonPaths(const std::string& text) {
    std::vector<std::string> paths;
    for (const auto& object : JsonLines(text))
        paths.push_back(object["path"].String);
    return paths;
}

TEnvironment::TEnvironment(std::initializer_list<std::pair<std::string, std::string>> variables)
    : FVariables(variables) {
    for (const auto& [name, value] : FVariables)
        setenv(name.c_str(), value.c_str(), 1);
}

TEnvironment::~TEnvironment() {
    for (const auto& [name, value] : FVariables)
        unsetenv(name.c_str());
}

namespace {

// The test's name as one file name: a parameterised test's holds a '/'.
std::string TestFileName() {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '-');
    return name;
}

} // namespace

TTempFolder::TTempFolder()
    : FPath(fs::temp_directory_path() /
            ("velscan-test-" + std::to_string(getpid()) + "-" + TestFileName())) {
    fs::remove_all(FPath);
    fs::create_directories(FPath);
}

TTempFolder::~TTempFolder() {
    fs::remove_all(FPath);
}

std::string TTempFolder::Add(const std::string& source, const std::string& name) const {
    fs::create_directories((FPath / name).parent_path());
    fs::copy_file(source, FPath / name);
    return (FPath / name).string();
}

} // namespace VelScanTest
