// The files veldesign creates: an existing one is replaced only with --force.
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace {

using namespace VelDesignTest;
namespace fs = std::filesystem;

// What a file name holds after the test has made something under it.
std::string Describe(const fs::path& path) {
    const fs::file_status status = fs::symlink_status(path);
    if (fs::is_symlink(status))
        return "link to " + fs::read_symlink(path).string();
    if (fs::is_directory(status))
        return "folder";
    return "file: " + Contents(path);
}

struct TExisting {
    const char* Label;
    std::function<void(const fs::path&)> Make;
};

TEST_F(VelDesignTool, NewRefusesAnExistingFileUnlessForced) {
    const std::vector<TExisting> cases = {
        {"a form",
         [](const fs::path& path) {
             std::ofstream(path) << "object Big: TBig\nend\n";
         }},
        {"a folder",
         [](const fs::path& path) {
             fs::create_directory(path);
         }},
        {"a link to nothing",
         [](const fs::path& path) {
             fs::create_symlink("no-such-file.vfm", path);
         }},
    };
    for (const TExisting& existing : cases) {
        const std::string form = Path(std::string(existing.Label) + ".vfm");
        existing.Make(form);
        const std::string before = Describe(form);

        const auto run = RunTool({"new", form, "--name", "Small"});
        EXPECT_EQ(run.ExitStatus, 2) << existing.Label;
        EXPECT_EQ(run.Err, "veldesign: " + form + " already exists; give --force to replace it\n")
            << existing.Label;
        EXPECT_EQ(run.Out, "") << existing.Label;
        EXPECT_EQ(Describe(form), before) << existing.Label;
    }

    const std::string form = Path("a form.vfm");
    const auto forced = RunTool({"new", form, "--name", "Small", "--force"});
    EXPECT_EQ(forced.ExitStatus, 0) << forced.Err;
    EXPECT_EQ(Contents(form), "object Small: TForm1\nend\n");
}

} // namespace
