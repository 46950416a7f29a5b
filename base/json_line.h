#pragma once
// The tools' JSON output: one object a line, keys in the order they were
// added, text as UTF-8.

#include <string>

#include <nlohmann/json.hpp>

namespace glyphverse {

using JsonObject = nlohmann::ordered_json;

// The object on one line, without a line break. Control characters are
// written as \u00XX, the form the tools have always written and scripts may
// match on. Text that is not UTF-8 throws nlohmann::json::type_error.
std::string jsonLine(const JsonObject& object);

}  // namespace glyphverse
