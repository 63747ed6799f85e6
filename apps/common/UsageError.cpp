#include "common/UsageError.h"

namespace VelCli {

void ReportUsageError(std::ostream& err, std::string_view program, const EUsageError& error) {
    err << program << ": " << error.what() << "\nTry '" << program
        << " --help' for more information.\n";
}

} // namespace VelCli
