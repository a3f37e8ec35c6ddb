#include "commands/Xecute.h"

#include "ArticleSearch.h"
#include "Args.h"
#include "LineParser.h"
#include "model/ServerError.h"

namespace kesto::server::commands {

namespace {

using model::Value;


std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

// "code`name" entries joined by character 255.
std::string codeList(model::CallContext& ctx, std::string_view sql, std::vector<Value> params) {
  model::Statement st = ctx.db.prepare(sql);
  st.bindAll(params);
  std::string out;
  bool first = true;
  while (st.step()) {
    out += (first ? "" : kEntrySeparator) + searchField(st.column(0).toText()) + "`" +
           searchField(st.column(1).toText());
    first = false;
  }
  return out;
}

std::optional<std::string> setContext(model::CallContext& ctx, LineParser& p) {
  if (!p.literal("FIRMA=")) return std::nullopt;
  auto firma = p.number();
  if (!firma || !p.literal(",FIL=")) return std::nullopt;
  auto fil = p.number();
  if (!fil || !p.literal(",PERSONAL=")) return std::nullopt;
  auto personal = p.quoted();
  if (!personal || !p.atEnd()) return std::nullopt;
  ctx.session.firma = *firma;
  ctx.session.fil = *fil;
  ctx.session.personal = personal->substr(0, personal->find('|'));
  return std::string();
}

std::optional<std::string> supplierName(model::CallContext& ctx, LineParser& p) {
  if (!p.literal("P0=$$ASCIANSI^%UML($P($G(^B(FIRMA,\"L\",")) return std::nullopt;
  auto nr = p.number();
  if (!nr || !p.literal(",1)),%,2)) W:$F($ZV,\"MSM\") P0") || !p.atEnd()) return std::nullopt;
  return lookup(ctx.db, "SELECT Name FROM FRX.Konto WHERE Firma = ?1 AND Art = 'L' AND Nummer = ?2",
                {Value::text(ctx.session.firma), Value::text(*nr)})
      .value_or("");
}

std::optional<std::string> startSearch(model::CallContext& ctx, LineParser& p) {
  SearchFilters f;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (i > 0 && !p.literal(",")) return std::nullopt;
    auto value = p.quoted();
    if (!value) return std::nullopt;
    f[i] = std::move(*value);
  }
  if (!p.literal(")") || !p.atEnd()) return std::nullopt;
  // Groups, supplier and department are numbers when given.
  for (std::size_t i = 1; i <= 4; ++i)
    if (!f[i].empty() && !isDigits(f[i])) return std::nullopt;
  return firstSearchPage(ctx, f);
}

std::optional<std::string> subGroups(model::CallContext& ctx, LineParser& p) {
  auto code = p.number();
  if (!code || !p.literal(")") || !p.atEnd()) return std::nullopt;
  return codeList(ctx, "SELECT UGrp, Name FROM FRX.ParUGrp WHERE Firma = ?1 AND HGrp = ?2 ORDER BY UGrp",
                  {Value::text(ctx.session.firma), Value::text(*code)});
}

std::optional<std::string> doCommand(model::CallContext& ctx, LineParser& p) {
  if (p.literal("^%XTT")) return p.atEnd() ? std::optional<std::string>("") : std::nullopt;
  if (p.literal("HGRP^FRXCLSU")) {
    if (!p.atEnd()) return std::nullopt;
    return codeList(ctx, "SELECT HGrp, Name FROM FRX.ParHGrp WHERE Firma = ?1 ORDER BY HGrp",
                    {Value::text(ctx.session.firma)});
  }
  if (p.literal("ABTNR^FRXCLSU")) {
    if (!p.atEnd()) return std::nullopt;
    return codeList(ctx, "SELECT AbtNr, abtbez FROM FRX.ParPersAbt WHERE Firma = ?1 ORDER BY AbtNr",
                    {Value::text(ctx.session.firma)});
  }
  if (p.literal("UGRP^FRXCLSU(")) return subGroups(ctx, p);
  if (p.literal("GETARF^FRXCLSU(")) return startSearch(ctx, p);
  if (p.literal("GETARN^FRXCLSU")) return p.atEnd() ? std::optional(nextSearchPage(ctx)) : std::nullopt;
  return std::nullopt;
}

}  // namespace

std::string xecute(model::CallContext& ctx, std::string_view line) {
  const std::string_view text = trim(line);
  std::optional<std::string> out;
  if (text.size() > 2 && text[1] == ' ') {
    const std::string_view rest = text.substr(2);
    if (text[0] == 'S' || text[0] == 's') {
      LineParser p(rest);
      LineParser q(rest);
      out = p.literal("FIRMA=") ? setContext(ctx, q) : supplierName(ctx, q);
    } else if (text[0] == 'D' || text[0] == 'd') {
      LineParser p(rest);
      out = doCommand(ctx, p);
    }
  }
  if (!out) throw model::ServerError(model::errc::CommandRefused, {std::string(line)});
  return *out;
}

}  // namespace kesto::server::commands
