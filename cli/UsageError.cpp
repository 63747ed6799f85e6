#include "cli/UsageError.h"

namespace VelCli {

TExitStatus ReportUsageError(std::ostream& err, std::string_view program,
                             const EUsageError& error) {
    err << program << ": " << error.what() << "\nTry '" << program
        << " --help' for more information.\n";
    return esFailure;
}

} // namespace VelCli
