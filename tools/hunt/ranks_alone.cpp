// Built without MPI: the program is always the only rank.
#include "tools/hunt/ranks.h"

namespace glyphverse {

Ranks::Ranks(int&, char**&) {}
Ranks::~Ranks() = default;
std::optional<Ranks::Request> Ranks::pollRequest() {
  return std::nullopt;
}
void Ranks::answer(int, std::optional<std::int64_t>) {}
std::optional<std::int64_t> Ranks::exchange(const std::string&) {
  return std::nullopt;
}

}  // namespace glyphverse
