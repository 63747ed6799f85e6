// What the veldesign tests share: running the tool as a process, reading a file back, and
// a folder of each test's own for the files it makes.
#pragma once

#include "Process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace VelDesignTest {

// veldesign run with the arguments.
VelScanTest::TProcessResult RunTool(std::vector<std::string> args);

// The file's bytes; empty when it cannot be read.
std::string Contents(const std::filesystem::path& file);

class VelDesignTool : public testing::Test {
protected:
    void SetUp() override;

    std::string Path(const std::string& name) const { return (FDir / name).string(); }

    std::filesystem::path FDir;
};

} // namespace VelDesignTest
