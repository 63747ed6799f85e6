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

void VelDesignTool::SetUp() {
    const testing::TestInfo& test = *testing::UnitTest::GetInstance()->current_test_info();
    FDir = std::filesystem::path(testing::TempDir()) /
           (std::string(test.test_suite_name()) + "." + test.name());
    std::filesystem::remove_all(FDir);
    std::filesystem::create_directories(FDir);
}

} // namespace VelDesignTest
