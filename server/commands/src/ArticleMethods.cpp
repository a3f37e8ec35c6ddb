#include "Args.h"
#include "model/ServerError.h"

namespace kesto::server::commands {

using model::ServerError;
using model::Value;

namespace {

std::string articleId(std::span<const std::string> args) { return arg(args, 0) + "||" + arg(args, 1); }

// A column of an article; an article the server does not have is an error.
std::string articleColumn(model::CallContext& ctx, std::span<const std::string> args, const char* sql) {
  auto v = lookup(ctx.db, sql, {Value::text(arg(args, 0)), Value::text(arg(args, 1))});
  if (!v) throw ServerError(model::errc::NoSuchObject, {"FRX.ArtHaupt1", articleId(args)});
  return *v;
}

}  // namespace

std::optional<std::string> lookup(model::Database& db, std::string_view sql, std::vector<Value> params) {
  auto v = db.scalar(sql, params);
  if (!v) return std::nullopt;
  return v->toText();
}

std::string inkVkPreis(model::CallContext& ctx, std::span<const std::string> args) {
  return articleColumn(ctx, args, "SELECT VK FROM FRX.ArtHaupt1 WHERE Firma = ?1 AND ArtNr = ?2");
}

std::string grundpreis(model::CallContext& ctx, std::span<const std::string> args) {
  const std::string gp =
      articleColumn(ctx, args, "SELECT GP FROM FRX.ArtHaupt1 WHERE Firma = ?1 AND ArtNr = ?2");
  return gp.empty() ? "0" : gp;
}

std::string eanNr(model::CallContext& ctx, std::span<const std::string> args) {
  return articleColumn(ctx, args, "SELECT TamselEAN FROM FRX.ArtHaupt1 WHERE Firma = ?1 AND ArtNr = ?2");
}

std::string kc(model::CallContext& ctx, std::span<const std::string> args) {
  return articleColumn(ctx, args, "SELECT KC FROM FRX.ArtHaupt1 WHERE Firma = ?1 AND ArtNr = ?2");
}

std::string getArtNr(model::CallContext& ctx, std::span<const std::string> args) {
  return lookup(ctx.db, "SELECT ArtNr FROM FRX.ArtMaEan WHERE Firma = ?1 AND EAN = ?2",
                {Value::text(arg(args, 0)), Value::text(arg(args, 1))})
      .value_or("");
}

std::string flTypeName(model::CallContext& ctx, std::span<const std::string> args) {
  auto name = lookup(ctx.db,
                     "SELECT p.typbez FROM FRX.ArtFlies f JOIN FRX.ParFlies p"
                     " ON p.Firma = f.Firma AND p.Typ = f.Typ WHERE f.Firma = ?1 AND f.ArtNr = ?2",
                     {Value::text(arg(args, 0)), Value::text(arg(args, 1))});
  if (!name) throw ServerError(model::errc::NoSuchObject, {"FRX.ArtFlies", articleId(args)});
  return *name;
}

}  // namespace kesto::server::commands
