#pragma once
// Errors the server answers with: a code of its error table plus parameters.

#include <stdexcept>
#include <string>
#include <vector>

namespace kesto::server::model {

namespace errc {
inline constexpr int UnknownClass = 5001;      // %1 class
inline constexpr int NoSuchObject = 5002;      // %1 class, %2 ID
inline constexpr int UnknownProperty = 5003;   // %1 class, %2 property
inline constexpr int UnknownMethod = 5004;     // %1 class, %2 method
inline constexpr int BadObjectRef = 5005;
inline constexpr int UnknownQuery = 5006;
inline constexpr int BadQueryHandle = 5007;
inline constexpr int CommandRefused = 5008;    // %1 command line
inline constexpr int SqlError = 5009;          // %1 SQLite's text
inline constexpr int BadValue = 5010;          // %1 name, %2 value
inline constexpr int UnknownNamespace = 5011;
inline constexpr int DuplicateKey = 5012;      // %1 ID
inline constexpr int MissingField = 5013;      // %1 field
inline constexpr int TooManyArguments = 5014;  // %1 method
inline constexpr int StreamError = 5015;
inline constexpr int ValueTooLong = 5016;
inline constexpr int LongerThanDeclared = 5017;  // %1 property, %2 characters allowed
}  // namespace errc

class ServerError : public std::runtime_error {
 public:
  ServerError(int code, std::vector<std::string> params);
  int code() const { return code_; }
  const std::vector<std::string>& params() const { return params_; }

 private:
  int code_;
  std::vector<std::string> params_;
};

}  // namespace kesto::server::model
