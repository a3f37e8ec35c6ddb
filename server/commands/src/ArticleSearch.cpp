#include "ArticleSearch.h"

#include <map>
#include <mutex>
#include <vector>

#include "model/Database.h"
#include "model/ServerText.h"

namespace kesto::server::commands {

namespace {

constexpr std::size_t kMaxHits = 10000;

struct Pages {
  std::vector<std::string> hits;
  std::size_t position = 0;
};

class PageStore {
 public:
  void replace(const std::string& key, std::vector<std::string> hits) {
    std::lock_guard lock(mutex_);
    pages_[key] = Pages{std::move(hits), 0};
  }

  std::string next(const std::string& key) {
    std::lock_guard lock(mutex_);
    auto it = pages_.find(key);
    if (it == pages_.end()) return {};
    Pages& p = it->second;
    std::string out;
    for (std::size_t n = 0; n < kHitsPerPage && p.position < p.hits.size(); ++n, ++p.position)
      out += (n ? kEntrySeparator : "") + p.hits[p.position];
    return out;
  }

 private:
  std::mutex mutex_;
  std::map<std::string, Pages> pages_;
};

PageStore& store() {
  static PageStore instance;
  return instance;
}

std::string contextKey(const model::CallContext& ctx) {
  return ctx.db.folder().string() + '\x1f' + ctx.session.firma + '\x1f' + ctx.session.fil + '\x1f' +
         ctx.session.personal;
}

}  // namespace

std::string searchField(std::string text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '`') continue;
    if (text.compare(i, 2, kEntrySeparator) == 0) {
      ++i;
      continue;
    }
    out += text[i];
  }
  return out;
}

std::string firstSearchPage(model::CallContext& ctx, const SearchFilters& f) {
  model::Statement st = ctx.db.prepare(
      "SELECT ArtNr, Bez1, ABTNR FROM FRX.ArtHaupt1 WHERE Firma = ?1"
      " AND substr(KBEZ, 1, length(?2)) = ?2 AND (?3 = '' OR HGRP = ?3) AND (?4 = '' OR UGRP = ?4)"
      " AND (?5 = '' OR LNR = ?5) AND (?6 = '' OR ABTNR = ?6) AND (?7 = '' OR AKTIV = ?7)"
      " AND (?8 = '' OR GELISTET = ?8) ORDER BY KBEZ, ArtNr LIMIT ?9");
  std::vector<model::Value> params{model::Value::text(ctx.session.firma), model::Value::text(model::toSearchKey(f[0]))};
  for (std::size_t i = 1; i < f.size(); ++i) params.push_back(model::Value::text(f[i]));
  params.push_back(model::Value::integer(kMaxHits));
  st.bindAll(params);
  std::vector<std::string> hits;
  while (st.step())
    hits.push_back(searchField(st.column(0).toText()) + "`" + searchField(st.column(1).toText()) + "`" +
                   searchField(st.column(2).toText()));
  const std::string key = contextKey(ctx);
  store().replace(key, std::move(hits));
  return store().next(key);
}

std::string nextSearchPage(model::CallContext& ctx) { return store().next(contextKey(ctx)); }

}  // namespace kesto::server::commands
