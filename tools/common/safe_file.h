#pragma once
// Writing an output file without ever destroying what the path held before.

#include <string>
#include <string_view>

namespace glyphverse {

// Puts `bytes` at `path`. A regular file (or a new one) is written to a
// temporary file beside it, flushed to disk and renamed into place only when
// complete, so that on any failure the old file stays as it was; it keeps the
// old file's permissions. A path that names something else (a device, a
// pipe) is written in place and never removed. Returns "" on success, or
// "cannot write PATH: REASON" with the system's reason.
std::string writeFileSafely(const std::string& path, std::string_view bytes);

}  // namespace glyphverse
