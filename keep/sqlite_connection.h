#pragma once
// A thin owner of SQLite's connection and statement handles, so that every
// early return finalizes and closes what it opened.

#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace glyphverse {

class Connection {
 public:
  Connection() = default;
  ~Connection() { sqlite3_close_v2(db_); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens `path` with sqlite3_open_v2's `flags`; false when it fails (the
  // handle is kept for message()).
  bool open(const std::string& path, int flags);
  sqlite3* get() const { return db_; }
  // Runs statements that return no rows; false on the first failure.
  bool exec(const char* sql);
  // What went wrong last, in SQLite's words, with the system's reason for a
  // file that cannot be opened.
  std::string message() const;
  // The primary result code of the last failure (SQLITE_BUSY, SQLITE_NOTADB ...).
  int failure() const { return sqlite3_errcode(db_) & 0xFF; }
  bool readOnly() const { return sqlite3_db_readonly(db_, "main") == 1; }

 private:
  sqlite3* db_ = nullptr;
};

class Statement {
 public:
  Statement(const Connection& connection, const char* sql);
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool prepared() const { return statement_ != nullptr; }
  // Parameters count from 1.
  Statement& bind(int index, std::int64_t value);
  Statement& bind(int index, const std::string& text);
  // SQLITE_ROW, SQLITE_DONE or the failure's code.
  int step();
  // Steps through to the end; false on failure.
  bool run() { return step() == SQLITE_DONE; }
  // Ready to be bound and run again.
  void reset() { sqlite3_reset(statement_); }
  std::int64_t integer(int column) const { return sqlite3_column_int64(statement_, column); }
  std::string text(int column) const;

 private:
  sqlite3_stmt* statement_ = nullptr;
};

// BEGIN IMMEDIATE: the write lock is taken at the start (waiting up to the
// busy timeout), so a transaction never fails half-way for a lock. Rolled
// back unless committed.
class Transaction {
 public:
  explicit Transaction(Connection& connection)
      : connection_(connection), begun_(connection.exec("BEGIN IMMEDIATE")) {}
  ~Transaction() {
    if (begun_ && !committed_) connection_.exec("ROLLBACK");
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  bool begun() const { return begun_; }
  bool commit() { return committed_ = connection_.exec("COMMIT"); }

 private:
  Connection& connection_;
  bool begun_ = false;
  bool committed_ = false;
};

// A read that sees one snapshot of the database across its statements.
class ReadTransaction {
 public:
  explicit ReadTransaction(Connection& connection)
      : connection_(connection), begun_(connection.exec("BEGIN")) {}
  ~ReadTransaction() {
    if (begun_) connection_.exec("COMMIT");
  }
  ReadTransaction(const ReadTransaction&) = delete;
  ReadTransaction& operator=(const ReadTransaction&) = delete;

  bool begun() const { return begun_; }

 private:
  Connection& connection_;
  bool begun_ = false;
};

}  // namespace glyphverse
