// Registry access by one path text: a root name, "\" and the key path. A path that ends
// in "\" names a key, any other path a value (the part after the last "\").
// Errors are raised as RuntimeError with the numbers vbObjectError + 514 ... 527.
#pragma once

#include "RuntimeError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <registry/WinReg.h>

#include <cstdint>

namespace vovida {

class clsRegistry {
 public:
  static constexpr std::int32_t kUngueltigerSchluessel = vbObjectError + 514;
  static constexpr std::int32_t kUnbekannteWurzel = vbObjectError + 515;
  static constexpr std::int32_t kNichtGeoeffnet = vbObjectError + 516;
  static constexpr std::int32_t kNichtAngelegt = vbObjectError + 517;
  static constexpr std::int32_t kNurLesen = vbObjectError + 519;
  static constexpr std::int32_t kNichtGelesen = vbObjectError + 520;
  static constexpr std::int32_t kBinaerzahl = vbObjectError + 524;
  static constexpr std::int32_t kNichtErstellt = vbObjectError + 527;

  // Deletes the key (path ending in "\") with its values and subkeys, or the value named by
  // Key; the platform's return code (0 = done). Key keeps the path without its trailing "\"
  // afterwards.
  std::int32_t delKey();
  // Names of the subkeys (path ending in "\") or of the values of the key.
  QStringList regEnum();
  // The value named by Key as text: strings as they are, binary data as "01 A0 FF",
  // 32-bit numbers as signed decimals.
  QString getValue();
  // Writes the value as type 1 (string), 3 (binary, hexadecimal bytes separated by blanks)
  // or 4 (32-bit number); true when the platform took it. Any other type writes nothing
  // and gives false.
  bool setValue(const QString& wert, long typ);

  const QString& Key() const { return key_; }
  void setKey(const QString& key);
  bool autoCreate() const { return autoCreate_; }
  void setAutoCreate(bool an) { autoCreate_ = an; }
  // Never raises: false for a path that is invalid or names nothing.
  bool KeyExists();
  // The existence is read-only: always raises.
  [[noreturn]] void setKeyExists(bool);

 private:
  class Schluessel;

  HKEY getRoot(const QString& name) const;
  Schluessel OpenKey(const QString& pfad, std::uint32_t zugriff) const;

  QString key_;
  bool autoCreate_ = true;
  bool letzteExistenz_ = false;
};

// Bytes as two upper-case hexadecimal digits each, separated by blanks.
QString binaerText(const QByteArray& bytes);
// The reverse, for setValue: each blank ends a group that is read as a hexadecimal number.
// A group above 255 raises vbObjectError + 524, an empty or non-hexadecimal group the
// conversion error.
QByteArray binaerWerte(const QString& text);

}  // namespace vovida
