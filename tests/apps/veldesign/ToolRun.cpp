#include "ToolRun.h"

#include <fstream>
#include <sstream>

namespace VelDesignTest {

VelScanTest::TProcessResult RunTool(std::vector<std::string> args) {
    args.insert(args.begin(), VELDESIGN_FILE);
    return VelScanTest::RunProcess(args);
}

std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace VelDesignTest
