#include "Progress.h"

#include <cstdio>
#include <sys/ioctl.h>
#include <unistd.h>

namespace VelScan {

namespace {

constexpr std::chrono::milliseconds ShowAfter{700};
constexpr std::chrono::milliseconds RedrawEvery{100};

std::string Duration(double seconds) {
    const auto total = static_cast<long long>(seconds + 0.5);
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60,
                      total % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", total / 60, total % 60);
    return text;
}

// The width of the terminal on standard error in columns, 80 when unknown.
int StandardErrorColumns() {
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

std::string Bar(std::uint64_t done, std::uint64_t total, int width) {
    const auto filled = total == 0 ? width : static_cast<int>(done * width / total);
    return "[" + std::string(filled, '#') + std::string(width - filled, '.') + "]";
}

} // namespace

std::string ProgressLine(std::uint64_t done, std::uint64_t total, bool totalKnown,
                         std::chrono::duration<double> elapsed, int columns) {
    const double seconds = elapsed.count();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    char counts[96];
    if (totalKnown)
        std::snprintf(counts, sizeof counts, "%llu/%llu pictures  %.1f/s",
                      static_cast<unsigned long long>(done), static_cast<unsigned long long>(total),
                      rate);
    else
        std::snprintf(counts, sizeof counts, "%llu pictures  %.1f/s",
                      static_cast<unsigned long long>(done), rate);
    std::string line = counts;
    if (!totalKnown)
        return line.substr(0, columns - 1);
    if (rate > 0)
        line += "  " + Duration(static_cast<double>(total - done) / rate) + " left";
    const int barWidth = columns - 1 - static_cast<int>(line.size()) - 4; // brackets, blanks
    if (barWidth >= 10)
        line = Bar(done, total, barWidth) + "  " + line;
    return line.substr(0, columns - 1);
}

TProgress::TProgress(std::ostream& out, bool enabled) : FOut(out), FEnabled(enabled) {}

void TProgress::Update(std::uint64_t done, std::uint64_t total, bool totalKnown) {
    const auto now = TClock::now();
    if (!FEnabled || now - FStart < ShowAfter || (FShown && now - FLastDraw < RedrawEvery))
        return;
    FOut << '\r' << ProgressLine(done, total, totalKnown, now - FStart, StandardErrorColumns())
         << "\x1b[K" << std::flush;
    FShown = true;
    FLastDraw = now;
}

void TProgress::Clear() {
    if (!FShown)
        return;
    FOut << "\r\x1b[K" << std::flush;
    FShown = false;
}

} // namespace VelScan
