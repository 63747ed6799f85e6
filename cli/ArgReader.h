// The command-line reader every program uses: options and their values, and operands.
#pragma once

#include "cli/UsageError.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace VelCli {

// One argument as read. An option's value is either glued to it ("-j4", "--jobs=4") or the
// next argument ("-j 4", "--jobs 4"); the program asks for it with TArgReader::Value.
struct TArgument {
    std::string_view Text;                 // the argument as given
    std::string_view Name;                 // "-j" or "--jobs"; empty for an operand
    std::optional<std::string_view> Glued; // "4" of "-j4" and "--jobs=4", "" of "--jobs="

    bool IsOperand() const { return Name.empty(); }
    // Whether the option is named one of the names.
    bool Is(std::initializer_list<std::string_view> names) const;
    // Whether the option is named one of the names and has no value glued to it.
    bool IsFlag(std::initializer_list<std::string_view> names) const { return !Glued && Is(names); }
};

// Reads the arguments after the program name one at a time. An argument is an option when it
// starts with '-' and is more than "-"; "--" is skipped and makes every later one an operand.
class TArgReader {
public:
    explicit TArgReader(std::span<const char* const> args) : FArgs(args) {}

    // The next argument; nullopt after the last.
    std::optional<TArgument> Next();
    // The option's value: the one glued to it, else the next argument. Throws EUsageError
    // when there is none.
    std::string Value(const TArgument& option);

private:
    bool AtEnd() const { return FNext == FArgs.size(); }
    std::string_view Take() { return FArgs[FNext++]; }

    std::span<const char* const> FArgs;
    std::size_t FNext = 0;
    bool FOptionsEnded = false;
};

// How options are written, for the programs' help.
inline constexpr char OptionFormsHelp[] =
    "An option's value follows it ('--opt VALUE', '-o VALUE') or is glued to it\n"
    "('--opt=VALUE', '-oVALUE'); '--' ends the options.\n";

// The error for an option the program does not know.
EUsageError UnknownOption(const TArgument& option);

} // namespace VelCli
