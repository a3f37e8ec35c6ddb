#include "model/ServerError.h"

namespace kesto::server::model {

namespace {

std::string summary(int code, const std::vector<std::string>& params) {
  std::string s = "server error " + std::to_string(code);
  for (const auto& p : params) s += (&p == &params.front() ? ": " : ", ") + p;
  return s;
}

}  // namespace

ServerError::ServerError(int code, std::vector<std::string> params)
    : std::runtime_error(summary(code, params)), code_(code), params_(std::move(params)) {}

}  // namespace kesto::server::model
