// What the veldesign tests share: running the tool as a process, reading a file back, and
// a folder of each test's own for the files it makes.
#pragma once

#include "Process.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace VelDesignTest {

// veldesign run with the arguments.
VelScanTest::TProcessResult RunTool(std::vector<std::string> args);

// The file's bytes; empty when it cannot be read.
std::string Contents(const std::filesystem::path& file);

// Each test's files go in a folder of its own, removed after the test.
class VelDesignTool : public testing::Test {
protected:
    std::string Path(const std::string& name) const { return (FDir / name).string(); }

    const Support::TTempFolder FFolder;
    const std::filesystem::path FDir = FFolder.Path();
};

} // namespace VelDesignTest
