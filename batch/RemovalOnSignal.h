// A temporary file removed when SIGINT, SIGTERM or SIGHUP ends the program, as its owner would
// have removed it at an ordinary end. The signal then ends the process as it would have.
#pragma once

#include <array>
#include <csignal>
#include <string>

namespace VelBatch {

// One at a time. A signal ignored when it is made (as under nohup) stays ignored.
class TRemovalOnSignal {
public:
    explicit TRemovalOnSignal(const std::string& file);
    // Restores the signals' former actions; the file is its owner's to remove.
    ~TRemovalOnSignal();
    TRemovalOnSignal(const TRemovalOnSignal&) = delete;
    TRemovalOnSignal& operator=(const TRemovalOnSignal&) = delete;

private:
    std::array<struct sigaction, 3> FFormer{};
};

} // namespace VelBatch
