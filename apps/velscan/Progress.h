// The progress line on standard error for long runs: pictures done, rate and time left.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace VelScan {

// The line for `done` of `total` pictures after `elapsed`; `totalKnown` is false while more
// inputs may still come (then there is no bar and no time left). Fits in `columns`.
std::string ProgressLine(std::uint64_t done, std::uint64_t total, bool totalKnown,
                         std::chrono::duration<double> elapsed, int columns);

class TProgress {
public:
    // Draws on `out`, which is standard error, only when enabled (standard error is a
    // terminal) and only once the run has lasted a moment, so that short runs show nothing.
    TProgress(std::ostream& out, bool enabled);

    void Update(std::uint64_t done, std::uint64_t total, bool totalKnown);
    // Removes the line, before other text goes to the terminal.
    void Clear();

private:
    using TClock = std::chrono::steady_clock;

    std::ostream& FOut;
    bool FEnabled;
    bool FShown = false;
    TClock::time_point FStart = TClock::now();
    TClock::time_point FLastDraw{};
};

} // namespace VelScan
