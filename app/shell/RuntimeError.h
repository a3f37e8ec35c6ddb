// A run-time error as the application's procedures raise it: a number, the place that
// raised it and a German description.
#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>

namespace vovida {

// Base of the numbers that classes raise for their own errors.
inline constexpr std::int32_t vbObjectError = static_cast<std::int32_t>(0x80040000u);

// Numbers of the conversion errors.
inline constexpr std::int32_t kFehlerUeberlauf = 6;
inline constexpr std::int32_t kFehlerTypen = 13;

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(std::int32_t number, QString source, QString description);

  std::int32_t number() const { return number_; }
  const QString& source() const { return source_; }
  const QString& description() const { return description_; }

 private:
  std::int32_t number_;
  QString source_;
  QString description_;
};

// The conversion errors: a text that is not a number of the wanted kind, or one too large.
[[noreturn]] void typenUnvertraeglich(const QString& source);
[[noreturn]] void ueberlauf(const QString& source);

}  // namespace vovida
