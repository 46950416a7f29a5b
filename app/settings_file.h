#pragma once
// Reading a small settings file of the desktop's without ever hanging on it.

#include <cstddef>
#include <optional>
#include <string>

namespace glyphverse {

inline constexpr std::size_t LARGEST_SETTINGS_FILE = 64 * 1024;

// The whole of `path` if it is a regular file of at most `largest` bytes;
// nothing for anything else (a pipe, a device, a folder, a larger file, a
// file that cannot be read). The open never blocks and the read is bounded,
// so a pipe or /dev/zero put in a setting's place cannot stall the caller.
std::optional<std::string> readSettingsFile(const std::string& path,
                                            std::size_t largest = LARGEST_SETTINGS_FILE);

}  // namespace glyphverse
