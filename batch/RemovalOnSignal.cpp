#include "RemovalOnSignal.h"

#include <cstring>
#include <unistd.h>

namespace VelBatch {

namespace {

constexpr std::array<int, 3> Signals = {SIGINT, SIGTERM, SIGHUP};

// The handler may only use what is async-signal-safe: the name is kept in a plain buffer.
char PendingFile[4096];
volatile std::sig_atomic_t Pending = 0;

void RemoveAndRaiseAgain(int signal) {
    if (Pending)
        unlink(PendingFile);
    // SA_RESETHAND put the default action back, so the signal, delivered again when the
    // handler returns, ends the process.
    raise(signal);
}

} // namespace

TRemovalOnSignal::TRemovalOnSignal(const std::string& file) {
    if (file.size() >= sizeof PendingFile)
        return;
    std::memcpy(PendingFile, file.c_str(), file.size() + 1);
    Pending = 1;
    struct sigaction action {};
    action.sa_handler = RemoveAndRaiseAgain;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (std::size_t i = 0; i < Signals.size(); ++i) {
        sigaction(Signals[i], nullptr, &FFormer[i]);
        if (FFormer[i].sa_handler != SIG_IGN)
            sigaction(Signals[i], &action, nullptr);
    }
}

TRemovalOnSignal::~TRemovalOnSignal() {
    Pending = 0;
    for (std::size_t i = 0; i < Signals.size(); ++i)
        sigaction(Signals[i], &FFormer[i], nullptr);
}

} // namespace VelBatch
