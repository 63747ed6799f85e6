// The files veldesign creates: an existing one is replaced only with --force, and the file
// written is the one named, whatever bytes its name holds.
#include "ParamLabel.h"
#include "ToolRun.h"

#include "vel/host/String.h"

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

struct TFileName {
    std::string Label;
    std::string Name;
};

// Shown in test lists by its label rather than its bytes.
void PrintTo(const TFileName& name, std::ostream* out) {
    *out << name.Label;
}

class VelDesignFileName : public VelDesignTool, public testing::WithParamInterface<TFileName> {};

// Each command finds the form by the name given and writes it back under that name: the
// folder holds that one file and nothing else.
TEST_P(VelDesignFileName, IsWrittenExactlyAsGiven) {
    const std::string& name = GetParam().Name;
    if (Host::ToAnsi(Host::FromAnsi(name)) != name)
        GTEST_SKIP() << "the host's conversion of file names to text and back is lossy here";
    const std::string form = Path(name);
    const std::vector<std::vector<std::string>> steps = {
        {"new", form, "--root", "TScanForm"},
        {"place", form, "TVel", "-p", VELP_FILE},
        {"set", form, "Vel1", "ScanTop", "3", "-p", VELP_FILE},
    };
    for (const auto& step : steps) {
        const auto run = RunTool(step);
        ASSERT_EQ(run.ExitStatus, 0) << step[0] << ": " << run.Err;
        EXPECT_NE(run.Out.find(step[0] == "set" ? "Vel1.ScanTop = 3" : form), std::string::npos)
            << step[0] << ": " << run.Out;
    }
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(FDir))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{name});
    EXPECT_EQ(Contents(form),
              "object ScanForm: TScanForm\n  object Vel1: TVel\n    ScanTop = 3\n  end\nend\n");
}

INSTANTIATE_TEST_SUITE_P(Names, VelDesignFileName,
                         testing::Values(TFileName{"SpacesAndQuotes", "my 'scan' \"form\".vfm"},
                                         TFileName{"Utf8", "caf\xC3\xA9 \xE2\x82\xAC.vfm"},
                                         TFileName{"Latin1", "caf\xE9.vfm"}),
                         ParamLabel());

} // namespace
