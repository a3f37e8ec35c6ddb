#include <cmath>
#include <cstdio>

#include "Args.h"
#include "model/ServerError.h"
#include "model/ServerText.h"

namespace kesto::server::commands {

using model::ServerError;
using model::Value;

namespace {

// "n|key1|...|keyn" over the first column of the rows.
std::string keyList(model::Database& db, std::string_view sql, std::vector<Value> params) {
  model::Statement st = db.prepare(sql);
  st.bindAll(params);
  std::string keys;
  int count = 0;
  while (st.step()) {
    keys += "|" + st.column(0).toText();
    ++count;
  }
  return std::to_string(count) + keys;
}

// Price for display: decimal comma, two decimals.
std::string displayPrice(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", std::round(value * 100) / 100);
  std::string s = buf;
  for (char& c : s)
    if (c == '.') c = ',';
  return s;
}

}  // namespace

std::string aktionskennzeichen(model::CallContext& ctx, std::span<const std::string> args) {
  const std::string& firma = arg(args, 0);
  const std::string& key = arg(args, 1);
  if (key.empty())
    return keyList(ctx.db, "SELECT Code FROM FRX.Aktion WHERE Firma = ?1 ORDER BY Code", {Value::text(firma)});
  model::Statement st =
      ctx.db.prepare("SELECT Code, VonDatum, BisDatum, Bez FROM FRX.Aktion WHERE Firma = ?1 AND Code = ?2");
  st.bindAll(std::vector<Value>{Value::text(firma), Value::text(key)});
  if (!st.step()) throw ServerError(model::errc::NoSuchObject, {"FRX.Aktion", firma + "||" + key});
  // ";" and "|" separate the answer's pieces; they must not occur inside the description.
  std::string description = st.column(3).toText();
  std::erase_if(description, [](char c) { return c == ';' || c == '|'; });
  return st.column(0).toText() + ";" + model::isoToServerDate(st.column(1).toText()) + ";" +
         model::isoToServerDate(st.column(2).toText()) + ";" + description;
}

std::string aktion(model::CallContext& ctx, std::span<const std::string> args) {
  const std::string& firma = arg(args, 0);
  const std::string& code = arg(args, 1);
  const std::string& key = arg(args, 2);
  if (!ctx.db.scalar("SELECT 1 FROM FRX.Aktion WHERE Firma = ?1 AND Code = ?2",
                     std::vector<Value>{Value::text(firma), Value::text(code)}))
    throw ServerError(model::errc::NoSuchObject, {"FRX.Aktion", firma + "||" + code});
  if (key.empty())
    return keyList(ctx.db, "SELECT ArtNr FROM FRX.AktionArt WHERE Firma = ?1 AND Code = ?2 ORDER BY ArtNr",
                   {Value::text(firma), Value::text(code)});
  model::Statement st = ctx.db.prepare(
      "SELECT k.ArtNr, a.Bez1, p.VonDatum, p.BisDatum, k.Preis FROM FRX.AktionArt k"
      " JOIN FRX.Aktion p ON p.Firma = k.Firma AND p.Code = k.Code"
      " LEFT JOIN FRX.ArtHaupt1 a ON a.Firma = k.Firma AND a.ArtNr = k.ArtNr"
      " WHERE k.Firma = ?1 AND k.Code = ?2 AND k.ArtNr = ?3");
  st.bindAll(std::vector<Value>{Value::text(firma), Value::text(code), Value::text(key)});
  if (!st.step())
    throw ServerError(model::errc::NoSuchObject, {"FRX.AktionArt", firma + "||" + code + "||" + key});
  // The grave accent separates the fields; it must not occur inside one.
  std::string description = st.column(1).toText();
  std::erase(description, '`');
  return st.column(0).toText() + "`" + description + "`" + model::isoToServerDate(st.column(2).toText()) +
         "`" + model::isoToServerDate(st.column(3).toText()) + "`" + displayPrice(st.column(4).asNumber());
}

}  // namespace kesto::server::commands
