#include "demo/Seed.h"

#include <ctime>

#include "SeedWriter.h"
#include "model/Classes.h"
#include "model/ServerError.h"
#include "model/ServerText.h"

namespace kesto::server::demo {

namespace {

std::string localDate() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d", &tm);
  return buf;
}

}  // namespace

void SeedWriter::add(std::string_view className,
                     std::initializer_list<std::pair<const char*, model::Value>> columns) {
  const model::ClassDef* cls = catalog_.find(className);
  if (!cls) throw model::ServerError(model::errc::UnknownClass, {std::string(className)});
  model::Row row;
  for (const auto& [name, value] : columns) row.set(name, value);
  db_.insert(*cls, row);
}

std::string addDays(const std::string& iso, int days) {
  return model::dayNumberToIso(model::isoToDayNumber(iso) + days);
}

void seed(model::Database& db, const SeedOptions& options) {
  const model::Catalog catalog = model::applicationClasses();
  model::createClassTables(db, catalog);
  SeedOptions effective = options;
  if (effective.today.empty()) effective.today = localDate();
  SeedWriter w(db, catalog, effective);
  seedParameters(w);
  seedStaff(w);
  seedArticles(w);
  seedArticlePictures(w);
  seedTiles(w);
  seedAccounts(w);
  seedPromotions(w);
  seedSqlTables(w);
  if (effective.writeFiles && !effective.demoFolder.empty()) writeDemoFiles(effective.demoFolder);
}

void prepareDataFolder(const std::filesystem::path& folder, bool reset, const SeedOptions& options) {
  model::prepareFolder(folder, [&](model::Database& db) { seed(db, options); }, reset);
}

}  // namespace kesto::server::demo
