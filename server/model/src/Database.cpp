#include "model/Database.h"

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <system_error>

#include "model/ServerError.h"

namespace kesto::server::model {

namespace {

constexpr const char* kMainFile = "sqluser.db";
constexpr const char* kFrxFile = "frx.db";

std::string quoteName(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

// "FRX.ArtHaupt1" -> FRX."ArtHaupt1"; a name without schema stays in main.
std::string tableName(std::string_view table) {
  const auto dot = table.find('.');
  if (dot == std::string_view::npos) return quoteName(table);
  return std::string(table.substr(0, dot)) + "." + quoteName(table.substr(dot + 1));
}

bool isKeyColumn(const ClassDef& cls, std::string_view column) {
  for (const auto& k : cls.idParts)
    if (equalsNoCase(k, column)) return true;
  return false;
}

std::atomic<std::uint64_t> g_dataFileLimit{0};
std::atomic<std::uint64_t> g_valueLimit{0};

// Write-ahead log with synchronous=NORMAL: a commit costs no disk flush, and what was
// committed survives a crash of the server process (only a crash of the machine may lose
// the last commits). The page limit caps each file at the configured size.
void configure(sqlite3* db) {
  for (const char* schema : {"main", "FRX"}) {
    const std::string s(schema);
    std::string sql = "PRAGMA " + s + ".journal_mode = WAL; PRAGMA " + s + ".synchronous = NORMAL;";
    if (const std::uint64_t limit = g_dataFileLimit.load()) {
      Statement size(db, "PRAGMA " + s + ".page_size");
      const std::uint64_t page = size.step() ? static_cast<std::uint64_t>(size.column(0).asInteger()) : 4096;
      sql += "PRAGMA " + s + ".max_page_count = " + std::to_string(std::max<std::uint64_t>(1, limit / page)) + ";";
    }
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string message = error ? error : sqlite3_errmsg(db);
      sqlite3_free(error);
      throw ServerError(errc::SqlError, {message});
    }
  }
}

}  // namespace

void setDataFileLimit(std::uint64_t bytes) { g_dataFileLimit = bytes; }
void setValueLimit(std::uint64_t bytes) { g_valueLimit = bytes; }
std::uint64_t valueLimit() { return g_valueLimit.load(); }
std::uint64_t dataFileLimit() { return g_dataFileLimit.load(); }

std::vector<std::string> splitId(std::string_view id) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const auto pos = id.find("||", start);
    parts.emplace_back(id.substr(start, pos == std::string_view::npos ? std::string_view::npos : pos - start));
    if (pos == std::string_view::npos) return parts;
    start = pos + 2;
  }
}

std::string joinId(std::span<const std::string> parts) {
  std::string id;
  for (std::size_t i = 0; i < parts.size(); ++i) id += (i ? "||" : "") + parts[i];
  return id;
}

Database::Database(const std::filesystem::path& folder) : folder_(folder) {
  const std::string main = (folder / kMainFile).string();
  if (sqlite3_open_v2(main.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    throw ServerError(errc::SqlError, {message + ": " + main});
  }
  lockWait_.install(db_);
  if (const std::uint64_t limit = g_valueLimit.load())
    sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, static_cast<int>(std::min<std::uint64_t>(limit, 1000000000)));
  try {
    Statement attach(db_, "ATTACH DATABASE ?1 AS FRX");
    attach.bind(1, Value::text((folder / kFrxFile).string()));
    attach.step();
    configure(db_);
    installQueryGuard();
  } catch (...) {
    sqlite3_close(db_);
    db_ = nullptr;
    throw;
  }
}

Database::~Database() {
  if (level_ > 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close_v2(db_);
}

void Database::setInterruptCheck(std::function<bool()> check) {
  interruptCheck_ = std::move(check);
  if (!interruptCheck_) {
    sqlite3_progress_handler(db_, 0, nullptr, nullptr);
    return;
  }
  // Every few thousand virtual-machine steps: often enough to stop within milliseconds.
  sqlite3_progress_handler(
      db_, 4000, [](void* self) { return static_cast<Database*>(self)->interruptCheck_() ? 1 : 0; }, this);
}

Statement Database::prepare(std::string_view sql) { return Statement(db_, sql); }

void Database::exec(std::string_view sql) {
  char* error = nullptr;
  const std::string text(sql);
  if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error ? error : sqlite3_errmsg(db_);
    sqlite3_free(error);
    throw ServerError(errc::SqlError, {message});
  }
}

std::optional<Value> Database::scalar(std::string_view sql, std::span<const Value> params) {
  Statement st = prepare(sql);
  st.bindAll(params);
  if (!st.step()) return std::nullopt;
  return st.column(0);
}

std::optional<Row> Database::load(const ClassDef& cls, std::string_view id) {
  if (!cls.persistent()) throw ServerError(errc::UnknownClass, {cls.name});
  Statement st = prepare("SELECT * FROM " + tableName(cls.table) + " WHERE ID = ?1");
  st.bind(1, Value::text(std::string(id)));
  if (!st.step()) return std::nullopt;
  Row row;
  for (int i = 0; i < st.columnCount(); ++i) row.set(st.columnName(i), st.column(i));
  return row;
}

void Database::update(const ClassDef& cls, std::string_view id, const Row& changes) {
  if (changes.empty()) return;
  std::string sql = "UPDATE " + tableName(cls.table) + " SET ";
  std::vector<Value> values;
  for (const auto& [column, value] : changes.columns()) {
    if (isKeyColumn(cls, column) || equalsNoCase(column, "ID"))
      throw ServerError(errc::BadValue, {column, value.toText()});
    sql += (values.empty() ? "" : ", ") + quoteName(column) + " = ?" + std::to_string(values.size() + 1);
    values.push_back(value);
  }
  sql += " WHERE ID = ?" + std::to_string(values.size() + 1);
  values.push_back(Value::text(std::string(id)));
  Statement st = prepare(sql);
  st.bindAll(values);
  st.step();
  if (sqlite3_changes(db_) == 0) throw ServerError(errc::NoSuchObject, {cls.name, std::string(id)});
}

std::string Database::insert(const ClassDef& cls, const Row& values) {
  if (!cls.persistent()) throw ServerError(errc::UnknownClass, {cls.name});
  std::vector<std::string> keys;
  for (const auto& k : cls.idParts) {
    const Value* v = values.find(k);
    if (!v || v->toText().empty()) throw ServerError(errc::MissingField, {k});
    keys.push_back(v->toText());
  }
  const std::string id = joinId(keys);
  std::string columns = "ID";
  std::string marks = "?1";
  std::vector<Value> bound{Value::text(id)};
  for (const auto& [column, value] : values.columns()) {
    if (equalsNoCase(column, "ID")) continue;
    columns += ", " + quoteName(column);
    bound.push_back(value);
    marks += ", ?" + std::to_string(bound.size());
  }
  Statement st = prepare("INSERT INTO " + tableName(cls.table) + " (" + columns + ") VALUES (" + marks + ")");
  st.bindAll(bound);
  try {
    st.step();
  } catch (const ServerError& e) {
    if (e.code() == errc::DuplicateKey) throw ServerError(errc::DuplicateKey, {id});
    throw;
  }
  return id;
}

bool Database::remove(const ClassDef& cls, std::string_view id) {
  if (!cls.persistent()) throw ServerError(errc::UnknownClass, {cls.name});
  Statement st = prepare("DELETE FROM " + tableName(cls.table) + " WHERE ID = ?1");
  st.bind(1, Value::text(std::string(id)));
  st.step();
  return sqlite3_changes(db_) > 0;
}

Statement Database::run(const QueryDef& query, std::span<const Value> params) {
  Statement st = prepare(query.sql);
  const int wanted = st.parameterCount();
  for (int i = 1; i <= wanted; ++i)
    st.bind(i, std::size_t(i) <= params.size() ? params[std::size_t(i) - 1] : Value::text(""));
  return st;
}

void Database::transactionStart(Locking locking) {
  if (level_ == 0) exec(locking == Locking::WriteAtStart ? "BEGIN IMMEDIATE" : "BEGIN");
  ++level_;
}

void Database::transactionCommit() {
  if (level_ == 0) return;
  if (level_ == 1) {
    exec("COMMIT");
    LockWait::lockReleased();
  }
  --level_;
}

void Database::transactionRollback() {
  if (level_ > 0) {
    exec("ROLLBACK");
    LockWait::lockReleased();
  }
  level_ = 0;
}

void createClassTables(Database& db, const Catalog& catalog) {
  for (const auto& cls : catalog.classes()) {
    if (!cls.persistent()) continue;
    std::string sql = "CREATE TABLE IF NOT EXISTS " + tableName(cls.table) + " (ID VARCHAR(100) PRIMARY KEY";
    for (const auto& k : cls.idParts)
      if (!cls.findProperty(k)) sql += ", " + quoteName(k) + " VARCHAR(30) NOT NULL";
    for (const auto& p : cls.properties)
      sql += ", " + quoteName(p.column) + " " + (p.sqlType.empty() ? "VARCHAR(255)" : p.sqlType);
    db.exec(sql + ")");
  }
}

void prepareFolder(const std::filesystem::path& folder, const Seeder& seed, bool reset) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw ServerError(errc::SqlError, {"Ordner " + folder.string() + ": " + ec.message()});
  if (reset) {
    for (const char* name : {kMainFile, kFrxFile}) {
      std::filesystem::remove(folder / name, ec);
      for (const char* suffix : {"-journal", "-wal", "-shm"})
        std::filesystem::remove(folder / (std::string(name) + suffix), ec);
    }
  }
  Database db(folder);
  const auto version = db.scalar("PRAGMA main.user_version");
  if (version && version->asInteger() != 0) return;
  // One transaction: a seed that fails leaves the folder unseeded for the next start.
  db.exec("BEGIN");
  try {
    seed(db);
    db.exec("PRAGMA main.user_version = 1");
    db.exec("COMMIT");
  } catch (...) {
    sqlite3_exec(db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

}  // namespace kesto::server::model
