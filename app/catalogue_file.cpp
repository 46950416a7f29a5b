#include "app/catalogue_file.h"

#include "keep/catalogue.h"

namespace glyphverse {

std::shared_ptr<const CatalogueList> readCatalogueList(const std::string& path,
                                                       std::string& error) {
  CatalogueReading reading = readCatalogue(path);
  if (!reading.contents) {
    error = reading.error;
    return nullptr;
  }
  const std::string name = path.substr(path.find_last_of('/') + 1);
  return std::make_shared<const CatalogueList>(
      catalogueList(name, std::move(reading.contents->systems)));
}

}  // namespace glyphverse
