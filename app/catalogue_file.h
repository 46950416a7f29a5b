#pragma once
// A hunt's catalogue file read for the explorer's panel and scanner.

#include <memory>
#include <string>

#include "app/catalogue_panel.h"

namespace glyphverse {

// The catalogue at `path`, read whole without changing it; null with the
// reason in `error` when it cannot be read.
std::shared_ptr<const CatalogueList> readCatalogueList(const std::string& path, std::string& error);

}  // namespace glyphverse
