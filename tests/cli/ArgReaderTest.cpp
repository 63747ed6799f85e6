// The shared argument reader, read the way a program with the flag -r/--recursive and the
// valued option -j/--jobs reads its command line.
#include "cli/ArgReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace VelCli;

namespace {

// What the program read, one "kind name/text[=value]" item per argument or option.
std::string Read(const std::vector<const char*>& args) {
    TArgReader reader(args);
    std::string read;
    while (const auto arg = reader.Next()) {
        if (!read.empty())
            read += ", ";
        if (arg->IsOperand())
            read += "operand '" + std::string(arg->Text) + "'";
        else if (arg->IsFlag({"-r", "--recursive"}))
            read += "flag " + std::string(arg->Name);
        else if (arg->Is({"-j", "--jobs"}))
            read += "option " + std::string(arg->Name) + "=" + reader.Value(*arg);
        else
            throw UnknownOption(*arg);
    }
    return read;
}

struct TCase {
    const char* Name;
    std::vector<const char*> Args;
    std::string Expected; // what was read, or the error message
};

TEST(VelCliArgReader, ReadsOptionsValuesAndOperands) {
    const std::vector<TCase> cases = {
        {"long, value apart", {"--jobs", "4"}, "option --jobs=4"},
        {"long, value glued", {"--jobs=4"}, "option --jobs=4"},
        {"long, empty value glued", {"--jobs="}, "option --jobs="},
        {"short, value apart", {"-j", "4"}, "option -j=4"},
        {"short, value glued", {"-j4"}, "option -j=4"},
        {"value that looks like an option", {"-j", "-r"}, "option -j=-r"},
        {"flags among operands",
         {"a", "-r", "b", "--recursive"},
         "operand 'a', flag -r, operand 'b', flag --recursive"},
        {"dash and empty operands", {"-", ""}, "operand '-', operand ''"},
        {"double dash ends options",
         {"-r", "--", "-j", "--", "x"},
         "flag -r, operand '-j', operand '--', operand 'x'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.Args), c.Expected) << c.Name;
}

TEST(VelCliArgReader, UsageErrorsNameTheOptionAtFault) {
    const std::vector<TCase> cases = {
        {"long option without its value", {"a", "--jobs"}, "option --jobs needs a value"},
        {"short option without its value", {"-j"}, "option -j needs a value"},
        {"unknown long option", {"-r", "--frob", "x"}, "unknown option '--frob'"},
        {"unknown option with a value", {"--frob=3"}, "unknown option '--frob=3'"},
        {"flag with a value", {"--recursive=yes"}, "unknown option '--recursive=yes'"},
        {"unknown short option", {"-x"}, "unknown option '-x'"},
    };
    for (const auto& c : cases) {
        try {
            Read(c.Args);
            ADD_FAILURE() << c.Name << ": no error";
        } catch (const EUsageError& error) {
            EXPECT_EQ(error.what(), c.Expected) << c.Name;
        }
    }
}

} // namespace
