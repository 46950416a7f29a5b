#include "keep/web/local_storage_shelf.h"

#include <emscripten.h>

#include <cstdlib>
#include <memory>

namespace glyphverse {
namespace {

// Strings come back from the page in memory the C side frees; null for none.
// clang-format off: the bodies are JavaScript.
EM_JS(char*, storageRead, (const char* key), {
  try {
    const value = localStorage.getItem(UTF8ToString(key));
    return value == null ? 0 : allocateUTF8(value);
  } catch (e) {
    return 0;
  }
});
EM_JS(char*, storageWrite, (const char* key, const char* value), {
  try {
    localStorage.setItem(UTF8ToString(key), UTF8ToString(value));
    return 0;
  } catch (e) {
    return allocateUTF8(String(e && e.message ? e.message : e));
  }
});
EM_JS(void, storageRemove, (const char* key), {
  try {
    localStorage.removeItem(UTF8ToString(key));
  } catch (e) {
  }
});
EM_JS(char*, storageKeys, (const char* prefix), {
  try {
    const wanted = UTF8ToString(prefix);
    const found = [];
    for (let i = 0; i < localStorage.length; ++i) {
      const key = localStorage.key(i);
      if (key != null && key.startsWith(wanted)) found.push(key);
    }
    // One key a line; a backslash or a line break inside a key is escaped
    // (no backslash is written here: this text passes through C's strings).
    const slash = String.fromCharCode(92);
    const line = String.fromCharCode(10);
    const escaped = found.map(k => k.split(slash).join(slash + slash).split(line).join(slash + 'n'));
    return allocateUTF8(escaped.join(line));
  } catch (e) {
    return allocateUTF8(String());
  }
});
EM_JS(int, storageProblem, (), {
  try {
    const probe = 'glyphverse.probe';
    localStorage.setItem(probe, '1');
    localStorage.removeItem(probe);
    return 0;
  } catch (e) {
    return 1;
  }
});
EM_JS(double, pageRecordId, (), { return Date.now() * 1000 + Math.floor(Math.random() * 1000); });
// clang-format on

std::optional<std::string> taken(char* text) {
  if (text == nullptr) return std::nullopt;
  std::string copy(text);
  std::free(text);
  return copy;
}

}  // namespace

std::optional<std::string> LocalStorageShelf::read(const std::string& key) {
  return taken(storageRead(key.c_str()));
}

std::string LocalStorageShelf::write(const std::string& key, const std::string& value) {
  const auto error = taken(storageWrite(key.c_str(), value.c_str()));
  return error ? "the browser's storage refused it: " + *error : "";
}

void LocalStorageShelf::remove(const std::string& key) {
  storageRemove(key.c_str());
}

// The page's list: a key a line, with "\\" for a backslash and "\n" for a
// line break inside a key.
std::vector<std::string> LocalStorageShelf::keys(const std::string& prefix) {
  const std::string lines = taken(storageKeys(prefix.c_str())).value_or("");
  std::vector<std::string> keys;
  if (lines.empty()) return keys;
  std::string key;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == '\n') {
      keys.push_back(std::move(key));
      key.clear();
    } else if (lines[i] == '\\' && i + 1 < lines.size()) {
      key += lines[++i] == 'n' ? '\n' : lines[i];
    } else {
      key += lines[i];
    }
  }
  keys.push_back(std::move(key));
  return keys;
}

std::int64_t newPageRecordId() {
  return static_cast<std::int64_t>(pageRecordId());
}

OpenedStore openLocalStorageStore() {
  if (storageProblem() != 0) {
    return OpenedStore{nullptr, "this browser keeps nothing for the page (its storage is off)"};
  }
  static LocalStorageShelf shelf;
  return OpenedStore{makeShelfStore(shelf, newPageRecordId), ""};
}

}  // namespace glyphverse
