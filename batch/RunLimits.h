// The limits a run puts on each picture: the time a worker process may take for it, and the
// memory budget the workers share. Their option values and defaults.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace VelScan {

inline constexpr std::chrono::seconds DefaultTimeout{120};

// A --timeout value: seconds, a fraction allowed; 0 for no limit. Throws VelCli::EUsageError.
std::chrono::milliseconds ParseTimeout(const std::string& text);

// A --memory-budget value: bytes, or a number with the suffix K, M, G or T (powers of 1024).
// Throws VelCli::EUsageError.
std::uint64_t ParseByteSize(const std::string& text);

// Half the machine's physical memory, but never less than one picture at the pixel limit
// needs, so that the default budget refuses no picture the limit lets through.
std::uint64_t DefaultMemoryBudget();

} // namespace VelScan
