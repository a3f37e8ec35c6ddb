#include <string>

#include "SeedWriter.h"

namespace kesto::server::demo {

namespace {

struct Promotion {
  const char* code;
  const char* name;
  int from;  // days from today
  int to;
  std::initializer_list<const char*> articles;
};

}  // namespace

void seedPromotions(SeedWriter& w) {
  const Promotion promotions[] = {
      {"FJ", "Frühjahrsaktion", -7, 21,
       {"100001", "100003", "100004", "100005", "100010", "100013", "100020", "100021"}},
      {"GA", "Gartenwochen", 14, 42, {"100004", "100006", "100012", "100020", "100022", "100025"}},
      // 100099 has no article record: the poster editor reports it and goes on.
      {"WI", "Winterschluss", -90, -30, {"100008", "100009", "100014", "100015", "100099"}},
      {"LE", "Lagerräumung", 0, 10, {}},
  };
  const std::string& today = w.options().today;
  for (const auto& p : promotions) {
    w.add("FRX.Aktion", {{"Firma", t("1")}, {"Code", t(p.code)}, {"Bez", t(p.name)},
                         {"VonDatum", t(addDays(today, p.from))}, {"BisDatum", t(addDays(today, p.to))}});
    int k = 0;
    for (const char* nr : p.articles) {
      const auto vk = w.db().scalar("SELECT VK FROM FRX.ArtHaupt1 WHERE Firma = '1' AND ArtNr = ?1",
                                    std::vector<model::Value>{t(nr)});
      const double price = vk ? vk->asNumber() : 0;
      // Promotion prices: 10 to 25 percent off, whole cents.
      const double off = 0.10 + 0.05 * (k++ % 4);
      w.add("FRX.AktionArt", {{"Firma", t("1")}, {"Code", t(p.code)}, {"ArtNr", t(nr)},
                              {"Preis", n(double(long(price * (1 - off) * 100 + 0.5)) / 100)}});
    }
  }
}

}  // namespace kesto::server::demo
