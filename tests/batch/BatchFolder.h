// A folder of the sample pictures for whole batches, and running a batch over it.
#pragma once

#include "RunToEnd.h"
#include "TempFolder.h"
#include "vel/batch/Batch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace BatchTest {

namespace fs = std::filesystem;
using namespace VelBatch;

inline const std::vector<std::string> Samples = {"upca.bmp", "code128.jpg", "ean13.png",
                                                 "multi.png", "code39.gif"};

// The samples copied into a folder, one of them in a subfolder.
class BatchRun : public testing::Test {
protected:
    void SetUp() override {
        for (const std::string& name : Samples) {
            const fs::path target = Folder() / (name == "multi.png" ? "sub/" + name : name);
            fs::create_directories(target.parent_path());
            fs::copy_file(fs::path(VEL_SAMPLES_DIR) / name, target);
        }
    }
    fs::path Folder() const { return FTemp.Path("pictures"); }
    std::string Path(const std::string& name) const { return (Folder() / name).string(); }

    // The results of a run over the folder, file by file.
    std::vector<TFileResult> Run(TBatchSettings settings) const {
        settings.Paths = {Folder().string()};
        settings.Recursive = true;
        return RunToEnd(std::move(settings));
    }

    // The walk order of the folder.
    std::vector<std::string> Walk() const {
        return {Path("code128.jpg"), Path("code39.gif"), Path("ean13.png"), Path("sub/multi.png"),
                Path("upca.bmp")};
    }

private:
    Support::TTempFolder FTemp;
};

inline std::vector<std::string> Paths(const std::vector<TFileResult>& files) {
    std::vector<std::string> paths;
    for (const TFileResult& file : files)
        for (const TPageResult& page : file)
            paths.push_back(page.Path);
    return paths;
}

} // namespace BatchTest
