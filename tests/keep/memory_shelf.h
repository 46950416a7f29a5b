#pragma once
// A shelf for the store kept in memory, for tests of the store and of the
// explorer with it.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "keep/shelf_store.h"

namespace glyphverse {

// A shelf in memory that can be made to refuse writes, as a full quota does.
struct MemoryShelf : Shelf {
  std::map<std::string, std::string> values;
  bool full = false;

  std::optional<std::string> read(const std::string& key) override {
    const auto at = values.find(key);
    if (at == values.end()) return std::nullopt;
    return at->second;
  }
  std::string write(const std::string& key, const std::string& value) override {
    if (full) return "the quota is full";
    values[key] = value;
    return "";
  }
  void remove(const std::string& key) override { values.erase(key); }
  std::vector<std::string> keys(const std::string& prefix) override {
    std::vector<std::string> found;
    for (const auto& [key, value] : values) {
      if (key.rfind(prefix, 0) == 0) found.push_back(key);
    }
    return found;
  }
};

}  // namespace glyphverse
