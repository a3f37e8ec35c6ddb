// The library's string table and its error codes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kesto::object {

inline constexpr std::uint16_t kErrorNone = 9990;    // no error; the reset value
inline constexpr std::uint16_t kErrorClient = 9991;  // found by the library
inline constexpr std::uint16_t kErrorServer = 9992;  // reported by the server

enum class TextId : std::uint16_t {
  ClassNameOfRefFailed = 1,
  ClassNotReleased = 2,
  ClassNameMissing = 3,
  CreateFailed = 4,
  ThirdParamInteger = 5,
  FourthParamInteger = 6,
  QueryNameMissing = 7,
  WrongArgumentCount = 8,
  UnsupportedVariant = 9,
  CannotExtract = 10,
  WrongListFormat = 11,
  UndefinedElement = 12,
  QueryAlreadyOpen = 13,
  QueryNotOpen = 14,
  RecursionNotAllowed = 15,
  WrongDateFormat = 16,
  ColumnMissing = 17,
  TypeMismatch = 18,
  NotConnected = 19,
  Title = 57344,
};

// The stored text, spaces and placeholders as they stand.
std::string_view text(TextId id);

// The text with its one "%s" or "%d" placeholder replaced by arg.
std::string formatText(TextId id, std::string_view arg);
std::string formatText(TextId id, long arg);

}  // namespace kesto::object
