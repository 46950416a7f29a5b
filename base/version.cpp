#include "base/version.h"

namespace glyphverse {

const char* projectVersion() {
  return GLYPHVERSE_VERSION;
}

}  // namespace glyphverse
