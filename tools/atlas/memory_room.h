#pragma once
// How much more memory this process may take: the least of what its control
// groups (cgroup v2, else v1) leave under their limits, what its address
// space and data limits (RLIMIT_AS, RLIMIT_DATA) leave, and half the
// machine's memory, which other programs share. Hard limits count for seven
// eighths, the rest kept for what no plan counts (libraries, the writer,
// the allocator's slack).

#include <cstdint>

namespace glyphverse {

// Reads /proc and /sys afresh on each call; 0 when nothing can be known.
std::uint64_t memoryRoom();

}  // namespace glyphverse
