// veldesign code: the C++ side of a form. The example examples/designed_form holds a form
// and the source veldesign wrote for it; the source is written again here and must equal the
// one kept, and the example built from it scans a sample picture through the form.
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

using namespace VelDesignTest;

const std::string Example = VEL_SOURCE_DIR "/examples/designed_form/";
const std::string ExampleForm = Example + "scanner.vfm";
const std::string ExampleCode = Example + "ScanForm.cpp";

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST_F(VelDesignTool, CodeOfTheExampleFormIsTheExampleSource) {
    const auto shown = RunTool({"code", ExampleForm});
    EXPECT_EQ(shown.ExitStatus, 0) << shown.Err;
    EXPECT_EQ(shown.Out, Contents(ExampleCode))
        << "examples/designed_form/ScanForm.cpp is not what veldesign code writes for "
           "scanner.vfm: write it again with veldesign code scanner.vfm ScanForm.cpp --force";
}

TEST_F(VelDesignTool, ExampleBuiltFromTheCodePrintsTheBarcodesFromTheHandler) {
    const auto run = VelScanTest::RunProcess(
        {DESIGNED_FORM_FILE, ExampleForm, VEL_SOURCE_DIR "/examples/samples/ean13.png"});
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    EXPECT_EQ(run.Out, "EAN-13:9780201379624\n");
    EXPECT_EQ(run.Err, "");
}

TEST_F(VelDesignTool, CodeIsWrittenToANewFileUnlessForced) {
    // The file name is bytes that are not UTF-8: veldesign writes it as given.
    const std::string file = Path("Scan\xE9.cpp");
    const auto written = RunTool({"code", ExampleForm, file});
    EXPECT_EQ(written.ExitStatus, 0) << written.Err;
    EXPECT_EQ(written.Out, "Wrote " + file + ": the class TScanForm of " + ExampleForm + "\n");
    EXPECT_EQ(Contents(file), Contents(ExampleCode));

    std::ofstream(file) << "// my handlers\n";
    const auto refused = RunTool({"code", ExampleForm, file});
    EXPECT_EQ(refused.ExitStatus, 2);
    EXPECT_EQ(refused.Err, "veldesign: " + file + " already exists; give --force to replace it\n");
    EXPECT_EQ(Contents(file), "// my handlers\n");

    EXPECT_EQ(RunTool({"code", ExampleForm, file, "--force"}).ExitStatus, 0);
    EXPECT_EQ(Contents(file), Contents(ExampleCode));
}

TEST_F(VelDesignTool, CodeHasEachComponentAndEachHandlerOnce) {
    const std::string form = Path("two.vfm");
    const std::vector<std::vector<std::string>> steps = {
        {"new", form, "--root", "TTwoForm"},
        {"place", form, "TVel", "-p", VELP_FILE, "--name", "Front"},
        {"place", form, "TVel", "-p", VELP_FILE, "--name", "Back"},
        {"place", form, "TVel", "-p", VELP_FILE, "--name", "Spare"},
        {"set", form, "Front", "OnBarcodeDetected", "Found", "-p", VELP_FILE},
        {"set", form, "Back", "OnBarcodeDetected", "found", "-p", VELP_FILE},
    };
    for (const auto& step : steps)
        ASSERT_EQ(RunTool(step).ExitStatus, 0) << step[0];
    const auto run = RunTool({"code", form, "-p", VELP_FILE});
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const std::string& code = run.Out;
    EXPECT_EQ(Count(code, "class TTwoForm : public Host::TComponent {"), 1u);
    for (const char* name : {"Front", "Back", "Spare"}) {
        const std::string n = name;
        EXPECT_EQ(Count(code, "Vel::TVel& " + n +
                                  "() const { return FormComponent<Vel::TVel>(*this, u\"" + n +
                                  "\"); }"),
                  1u)
            << name;
        EXPECT_EQ(Count(code, "Scan(form." + n + "(), argv[2]);"), 1u) << name;
    }
    EXPECT_EQ(Count(code, "void Found(Host::TObject* sender) {"), 1u) << code;
    EXPECT_EQ(Count(code, "Host::PublishedMethod(u\"Found\", &TTwoForm::Found),"), 1u) << code;
    EXPECT_EQ(Count(code, "PublishedMethod("), 1u) << code;
    EXPECT_EQ(Count(code, "Host::TClassRegistration TwoFormRegistration(TwoFormClass());"), 1u);
}

TEST_F(VelDesignTool, CodeNeedsATVelToScanWith) {
    const std::string form = Path("empty.vfm");
    ASSERT_EQ(RunTool({"new", form}).ExitStatus, 0);
    const auto run = RunTool({"code", form, Path("Empty.cpp")});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Err, "veldesign: " + form + " holds no TVel to scan with: place one first\n");
    EXPECT_FALSE(std::filesystem::exists(Path("Empty.cpp")));
}

} // namespace
