#pragma once
// The store kept in a key-value shelf of text, such as a web page's
// localStorage: each bookmark and each visit under a key of its own, so that
// two pages open at once never overwrite each other's records, and every
// change is one write. A bookmark or visit whose place the store cannot
// read is listed as unreadable and left as it is until the user removes it.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "keep/store.h"

namespace glyphverse {

// Text values under text keys; writing may fail (a full quota).
class Shelf {
 public:
  virtual ~Shelf() = default;
  virtual std::optional<std::string> read(const std::string& key) = 0;
  // Returns "" or why the value could not be written.
  virtual std::string write(const std::string& key, const std::string& value) = 0;
  virtual void remove(const std::string& key) = 0;
  // Every key that starts with `prefix`.
  virtual std::vector<std::string> keys(const std::string& prefix) = 0;
};

// A store over `shelf`, which must outlive it. `newId` gives record ids
// unique among every page that shares the shelf (time and chance).
std::unique_ptr<Store> makeShelfStore(Shelf& shelf, std::function<std::int64_t()> newId);

}  // namespace glyphverse
