#include "keep/sqlite_connection.h"

#include <cstring>

namespace glyphverse {

bool Connection::open(const std::string& path, int flags) {
  return sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) == SQLITE_OK;
}

bool Connection::exec(const char* sql) {
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string Connection::message() const {
  if (db_ == nullptr) return "out of memory";
  std::string text = sqlite3_errmsg(db_);
  const int system = sqlite3_system_errno(db_);
  if (failure() == SQLITE_CANTOPEN && system != 0)
    text += std::string(": ") + std::strerror(system);
  return text;
}

Statement::Statement(const Connection& connection, const char* sql) {
  if (sqlite3_prepare_v2(connection.get(), sql, -1, &statement_, nullptr) != SQLITE_OK) {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
  }
}

Statement& Statement::bind(int index, std::int64_t value) {
  sqlite3_bind_int64(statement_, index, value);
  return *this;
}

Statement& Statement::bind(int index, const std::string& text) {
  sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                    SQLITE_TRANSIENT);
  return *this;
}

int Statement::step() {
  if (statement_ == nullptr) return SQLITE_ERROR;
  return sqlite3_step(statement_);
}

std::string Statement::text(int column) const {
  const auto* bytes = sqlite3_column_text(statement_, column);
  const int size = sqlite3_column_bytes(statement_, column);
  return bytes == nullptr ? "" : std::string(reinterpret_cast<const char*>(bytes), size);
}

}  // namespace glyphverse
