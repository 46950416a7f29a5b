#include "tools/atlas/memory_room.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace glyphverse {
namespace {

// cgroup v1 writes "no limit" as the largest multiple of the page size.
constexpr std::uint64_t NO_LIMIT = std::uint64_t{1} << 62;

std::optional<std::uint64_t> readNumberFile(const std::string& path) {
  std::ifstream file(path);
  std::string text;
  if (!(file >> text)) return std::nullopt;
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;  // "max"
  return value;
}

// The room left under a limit, if there is one.
std::optional<std::uint64_t> roomUnder(std::optional<std::uint64_t> limit,
                                       std::optional<std::uint64_t> used) {
  if (!limit || *limit >= NO_LIMIT) return std::nullopt;
  const std::uint64_t taken = used.value_or(0);
  return taken < *limit ? *limit - taken : 0;
}

// The control group's path for a controller ("" for the v2 hierarchy) from
// /proc/self/cgroup, whose lines read "ID:CONTROLLERS:PATH".
std::optional<std::string> groupPath(std::string_view controller) {
  std::ifstream file("/proc/self/cgroup");
  std::string line;
  while (std::getline(file, line)) {
    const std::size_t first = line.find(':');
    const std::size_t second = line.find(':', first + 1);
    if (first == std::string::npos || second == std::string::npos) continue;
    std::stringstream controllers(line.substr(first + 1, second - first - 1));
    std::string name;
    bool listed = controller.empty() && second == first + 1;
    while (!controller.empty() && std::getline(controllers, name, ',')) {
      listed = listed || name == controller;
    }
    if (listed) return line.substr(second + 1);
  }
  return std::nullopt;
}

// The least room in the group and each group above it: limits nest.
std::optional<std::uint64_t> groupRoom(const std::string& mount, std::string path,
                                       const char* limitFile, const char* usageFile) {
  std::optional<std::uint64_t> least;
  for (;;) {
    const std::string dir = mount + path;
    const auto room =
        roomUnder(readNumberFile(dir + "/" + limitFile), readNumberFile(dir + "/" + usageFile));
    if (room) least = std::min(least.value_or(*room), *room);
    if (path.empty() || path == "/") return least;
    path.resize(path.find_last_of('/'));
  }
}

std::optional<std::uint64_t> cgroupRoom() {
  if (const auto path = groupPath("")) {
    for (const char* mount : {"/sys/fs/cgroup", "/sys/fs/cgroup/unified"}) {
      if (auto room = groupRoom(mount, *path, "memory.max", "memory.current")) return room;
    }
  }
  if (const auto path = groupPath("memory")) {
    return groupRoom("/sys/fs/cgroup/memory", *path, "memory.limit_in_bytes",
                     "memory.usage_in_bytes");
  }
  return std::nullopt;
}

// Field `index` of /proc/self/statm, in bytes: 0 the address space, 5 data and stack.
std::optional<std::uint64_t> statmBytes(int index) {
  std::ifstream file("/proc/self/statm");
  std::uint64_t pages = 0;
  for (int i = 0; i <= index; ++i) {
    if (!(file >> pages)) return std::nullopt;
  }
  return pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGE_SIZE));
}

std::optional<std::uint64_t> rlimitRoom(int resource, int statmIndex) {
  rlimit limit{};
  if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return std::nullopt;
  return roomUnder(limit.rlim_cur, statmBytes(statmIndex));
}

}  // namespace

std::uint64_t memoryRoom() {
  std::optional<std::uint64_t> least;
  const auto take = [&](std::optional<std::uint64_t> room, std::uint64_t share) {
    if (room) least = std::min(least.value_or(UINT64_MAX), *room / 8 * share);
  };
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGE_SIZE);
  if (pages > 0 && pageSize > 0) {
    take(static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize), 4);
  }
  take(cgroupRoom(), 7);
  take(rlimitRoom(RLIMIT_AS, 0), 7);
  take(rlimitRoom(RLIMIT_DATA, 5), 7);
  // Nothing known is no limit; a limit already reached is one byte, which fits no band.
  return least ? std::max<std::uint64_t>(*least, 1) : 0;
}

}  // namespace glyphverse
