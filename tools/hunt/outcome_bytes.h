#pragma once
// A finished tile as bytes, for sending from one rank to another. Both ends
// are the same program, so the bytes need no versioning, only checking.

#include <optional>
#include <string>

#include "keep/catalogue.h"

namespace glyphverse {

std::string tileBytes(const FinishedTile& tile);
// Nothing when the bytes are not a whole tile.
std::optional<FinishedTile> tileFromBytes(const std::string& bytes);

}  // namespace glyphverse
