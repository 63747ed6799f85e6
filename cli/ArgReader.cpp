#include "cli/ArgReader.h"

#include <algorithm>

namespace VelCli {

namespace {

// The option's name and the value glued to it, if any: "-j4" is "-j" and "4", "--jobs=4"
// is "--jobs" and "4", "--jobs=" has an empty value and "--jobs" none.
TArgument SplitOption(std::string_view arg) {
    if (arg[1] != '-')
        return {arg, arg.substr(0, 2),
                arg.size() > 2 ? std::optional(arg.substr(2)) : std::nullopt};
    const std::size_t equals = arg.find('=');
    if (equals == std::string_view::npos)
        return {arg, arg, std::nullopt};
    return {arg, arg.substr(0, equals), arg.substr(equals + 1)};
}

} // namespace

bool TArgument::Is(std::initializer_list<std::string_view> names) const {
    return !IsOperand() && std::ranges::find(names, Name) != names.end();
}

std::optional<TArgument> TArgReader::Next() {
    if (AtEnd())
        return std::nullopt;
    const std::string_view arg = Take();
    if (!FOptionsEnded && arg == "--") {
        FOptionsEnded = true;
        return Next();
    }
    if (FOptionsEnded || arg.size() < 2 || arg[0] != '-')
        return TArgument{arg, {}, std::nullopt};
    return SplitOption(arg);
}

std::string TArgReader::Value(const TArgument& option) {
    if (option.Glued)
        return std::string(*option.Glued);
    if (AtEnd())
        throw EUsageError("option " + std::string(option.Name) + " needs a value");
    return std::string(Take());
}

EUsageError UnknownOption(const TArgument& option) {
    return EUsageError("unknown option '" + std::string(option.Text) + "'");
}

} // namespace VelCli
