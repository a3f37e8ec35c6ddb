#pragma once
// Texts of the server's error codes for request 23, German or English.

#include <span>
#include <string>
#include <string_view>

namespace kesto::server::model {

// language: "DEU", "DEA", ... -> German; anything else English. "%1".."%9" are replaced by
// params; an unknown code gives "Fehler <code>" / "Error <code>" with the params appended.
std::string errorText(int code, std::span<const std::string> params, std::string_view language);

}  // namespace kesto::server::model
