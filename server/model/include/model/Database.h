#pragma once
// One session's connection to the data folder: "sqluser.db" is SQLite's main schema
// (SQLUser), "frx.db" is attached as FRX. Object rows are addressed by class and ID
// (key parts joined by "||", company first).

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/ClassDef.h"
#include "model/LockWait.h"
#include "model/Value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace kesto::server::model {

// A prepared statement; steps rows, columns 0-based.
class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);  // throws ServerError (SqlError)
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&& other) noexcept;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  int parameterCount() const;
  void bind(int index, const Value& value);  // 1-based
  void bindAll(std::span<const Value> values);
  bool step();    // true while a row is there; throws ServerError on failure
  void reset();   // start again, bindings kept
  int columnCount() const;
  std::string columnName(int column) const;
  Value column(int column) const;
  sqlite3_stmt* handle() const { return stmt_; }

 private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* stmt_ = nullptr;
};

// Largest size each data file ("sqluser.db", "frx.db") may grow to, for every Database
// opened after the call; 0 = no limit. Writes beyond it fail with a clear error.
void setDataFileLimit(std::uint64_t bytes);
std::uint64_t dataFileLimit();

// Largest text or blob a statement may build or bind, for every Database opened after the
// call (SQLite's own limit when 0). Past it a statement fails with "string or blob too big".
void setValueLimit(std::uint64_t bytes);
std::uint64_t valueLimit();

class Database {
 public:
  explicit Database(const std::filesystem::path& folder);  // throws ServerError
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;
  ~Database();

  sqlite3* handle() const { return db_; }

  // Asked now and then while a statement runs; true stops the statement, which then fails
  // with "interrupted". An empty function removes the check.
  void setInterruptCheck(std::function<bool()> check);
  const std::filesystem::path& folder() const { return folder_; }

  Statement prepare(std::string_view sql);
  // A statement a client wrote: it may only read (anything else fails to prepare with
  // "not authorized").
  Statement prepareQuery(std::string_view sql);
  void exec(std::string_view sql);  // one or more statements, no parameters
  // The first column of the first row, or nullopt when there is none.
  std::optional<Value> scalar(std::string_view sql, std::span<const Value> params = {});

  // Object rows. IDs must have as many parts as the class has key columns.
  std::optional<Row> load(const ClassDef& cls, std::string_view id);
  void update(const ClassDef& cls, std::string_view id, const Row& changes);
  // Inserts a new row; the key columns must be set. Returns the ID. Duplicate -> 5012.
  std::string insert(const ClassDef& cls, const Row& values);
  bool remove(const ClassDef& cls, std::string_view id);

  // A class query, parameters bound in order (missing ones are bound as "").
  Statement run(const QueryDef& query, std::span<const Value> params);

  // Transaction level of the server language: begin at 0 -> 1, commit at 1 -> 0,
  // roll back everything. A writing transaction takes the write lock when it begins, so
  // that concurrent writers wait for each other instead of failing when a reader of the
  // same transaction wants to write; a plain one takes locks as its statements need them.
  enum class Locking { AsNeeded, WriteAtStart };
  int transactionLevel() const { return level_; }
  void transactionStart(Locking locking = Locking::AsNeeded);
  void transactionCommit();
  void transactionRollback();

 private:
  void installQueryGuard();

  std::filesystem::path folder_;
  sqlite3* db_ = nullptr;
  int level_ = 0;
  bool queriesOnly_ = false;
  LockWait lockWait_;  // read by the authorizer while a client's statement is prepared
  std::function<bool()> interruptCheck_;
};

// Creates the table of every persistent class of the catalog (IF NOT EXISTS).
void createClassTables(Database& db, const Catalog& catalog);

// Makes the folder ready: when it holds no seeded database yet, or when reset is set,
// the database files are created anew and seed() fills them inside one transaction.
using Seeder = std::function<void(Database&)>;
void prepareFolder(const std::filesystem::path& folder, const Seeder& seed, bool reset);

// ID helpers: "1||100001" <-> {"1", "100001"}.
std::vector<std::string> splitId(std::string_view id);
std::string joinId(std::span<const std::string> parts);

}  // namespace kesto::server::model
