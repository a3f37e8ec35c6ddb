#pragma once
// Row writer and the deterministic number source shared by the seed parts.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "demo/Seed.h"
#include "model/ClassDef.h"

namespace kesto::server::demo {

class SeedWriter {
 public:
  SeedWriter(model::Database& db, const model::Catalog& catalog, const SeedOptions& options)
      : db_(db), catalog_(catalog), options_(options) {}

  // Inserts one object row; texts are display text (UTF-8).
  void add(std::string_view className,
           std::initializer_list<std::pair<const char*, model::Value>> columns);

  model::Database& db() { return db_; }
  const SeedOptions& options() const { return options_; }

 private:
  model::Database& db_;
  const model::Catalog& catalog_;
  const SeedOptions& options_;
};

inline model::Value t(std::string s) { return model::Value::text(std::move(s)); }
inline model::Value n(double v) { return model::Value::real(v); }
inline model::Value i(std::int64_t v) { return model::Value::integer(v); }

// Linear congruential numbers: the same sequence on every machine.
class Numbers {
 public:
  explicit Numbers(std::uint32_t seed) : state_(seed) {}
  std::uint32_t next(std::uint32_t bound) {
    state_ = state_ * 1103515245u + 12345u;
    return (state_ >> 8) % bound;
  }

 private:
  std::uint32_t state_;
};

// One article master row; texts are display text.
struct Article {
  std::string nr;
  std::string bez1, bez2, bez3;
  std::string vre;                 // sales unit code
  double vk = 0;                   // price incl. tax
  std::string gpvme, gpvke, gpe;   // base price: content, its unit, the base unit
  double gp = 0;                   // price per base unit
  std::string hgrp, ugrp, abt;
  std::string lnr = "700001";
  std::string atyp = "L";
  std::string vpi = "1", vrm = "1", vpm = "1";
  std::string kc;
  std::string aktiv = "J", gelistet = "J";
};

void addArticle(SeedWriter& w, const std::string& firma, const Article& a);

// "yyyy-mm-dd" shifted by a number of days.
std::string addDays(const std::string& iso, int days);

void seedParameters(SeedWriter& w);
void seedStaff(SeedWriter& w);
void seedArticles(SeedWriter& w);
void seedArticlePictures(SeedWriter& w);
void seedTiles(SeedWriter& w);
void seedAccounts(SeedWriter& w);
void seedPromotions(SeedWriter& w);
void seedSqlTables(SeedWriter& w);

}  // namespace kesto::server::demo
