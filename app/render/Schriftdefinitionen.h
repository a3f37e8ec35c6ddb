// The font table: 72 font slots of 11 text fields that every sign text is drawn in,
// loaded from the server parameters "FONTnnn" of group "PLAKAT".
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace vovida {

inline constexpr int kSchriftSlots = 72;
inline constexpr int kSchriftFelder = 11;
// The colour value that means "no colour".
inline constexpr std::int32_t kKeineFarbe = 16711935;

// Slots 1 to 72 by fields 0 to 10, all texts, empty at start. An index outside those
// bounds throws std::out_of_range.
class Schrifttabelle {
 public:
  QString& operator()(int slot, int feld);
  const QString& operator()(int slot, int feld) const;
  void leeren();

 private:
  std::array<std::array<QString, kSchriftFelder>, kSchriftSlots> felder_;
};

Schrifttabelle& Schriftdefinitionen();

// Loads slots 1 to 72 (alle) or 1 to 67 from the server, showing the progress in the
// start-up window's status bar and the hourglass meanwhile.
void SchriftenLaden(bool alle);

// The colour value of a colour letter; "A" reads the workstation's own colour stored
// under the key (application "Vovida", section "Farben").
std::int32_t FarbeAusKennung(const QString& kennung, const QString& schluessel);

}  // namespace vovida
