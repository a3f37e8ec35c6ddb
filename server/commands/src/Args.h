#pragma once
// Small helpers shared by the command handlers.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Database.h"

namespace kesto::server::commands {

inline const std::string& arg(std::span<const std::string> args, std::size_t index) {
  static const std::string empty;
  return index < args.size() ? args[index] : empty;
}

inline bool isDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// First column of the first row as text, or nullopt.
std::optional<std::string> lookup(model::Database& db, std::string_view sql,
                                  std::vector<model::Value> params);

// The handlers of the special methods, by class.
std::string inkVkPreis(model::CallContext& ctx, std::span<const std::string> args);
std::string grundpreis(model::CallContext& ctx, std::span<const std::string> args);
std::string eanNr(model::CallContext& ctx, std::span<const std::string> args);
std::string kc(model::CallContext& ctx, std::span<const std::string> args);
std::string getArtNr(model::CallContext& ctx, std::span<const std::string> args);
std::string flTypeName(model::CallContext& ctx, std::span<const std::string> args);
std::string aktionskennzeichen(model::CallContext& ctx, std::span<const std::string> args);
std::string aktion(model::CallContext& ctx, std::span<const std::string> args);

}  // namespace kesto::server::commands
