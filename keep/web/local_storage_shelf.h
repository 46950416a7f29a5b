#pragma once
// The browser's localStorage as a shelf for the store: what a web page
// keeps survives a reload, and is shared by its pages of the same site.

#include <cstdint>

#include "keep/shelf_store.h"

namespace glyphverse {

class LocalStorageShelf final : public Shelf {
 public:
  std::optional<std::string> read(const std::string& key) override;
  std::string write(const std::string& key, const std::string& value) override;
  void remove(const std::string& key) override;
  std::vector<std::string> keys(const std::string& prefix) override;
};

// An id no other page will give: the time in milliseconds and a chance.
std::int64_t newPageRecordId();

// The page's store over localStorage, or why there is none (storage
// switched off in the browser, say).
OpenedStore openLocalStorageStore();

}  // namespace glyphverse
