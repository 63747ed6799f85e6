// The limits a run puts on each picture: the time a worker process may take for it, and the
// memory budget the workers share. Their values read from text, and their defaults.
#pragma once

#include "vel/host/Export.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace VelBatch {

inline constexpr std::chrono::seconds DefaultTimeout{120};

// A time limit: seconds, a fraction allowed; 0 for no limit. Throws EInvalidValue.
VEL_API std::chrono::milliseconds ParseTimeout(const std::string& text);

// A memory size: bytes, or a number with the suffix K, M, G or T (powers of 1024).
// Throws EInvalidValue.
VEL_API std::uint64_t ParseByteSize(const std::string& text);

// Half the machine's physical memory, but never less than one picture at the pixel limit
// needs, so that the default budget refuses no picture the limit lets through.
VEL_API std::uint64_t DefaultMemoryBudget();

} // namespace VelBatch
