#pragma once
// The project's version, as the build system names it.

namespace glyphverse {

// For example "0.1.0".
const char* projectVersion();

}  // namespace glyphverse
