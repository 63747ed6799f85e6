#include "VelscanRun.h"

#include <cstdlib>
#include <sstream>

namespace VelScanTest {

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

} // namespace VelScanTest
