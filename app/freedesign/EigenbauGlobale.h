// What the free design keeps program-wide: the alignment of the main price and of the six
// extra prices (1 left, 2 centre, 3 right), whether the last load fell back to the
// template, and the font slots and default font definitions of its five text elements.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace vovida {

struct EigenbauGlobale {
  std::int16_t EigenbauAusrichtung = 2;
  std::array<std::int16_t, 6> ZusatzpreisAusrichtung{2, 2, 2, 2, 2, 2};
  bool VorlageGeladen = false;
};

EigenbauGlobale& eigenbauGlobale();
void eigenbauGlobaleZuruecksetzen();  // tests

// One text element of a design: the store section, its font slot and the default
// definition ("|"-separated fields 1 to 10).
struct EigenbauElement {
  const char* abschnitt;
  std::int16_t slot;
  const char* vorgabe;
};

inline constexpr std::array<EigenbauElement, 5> kEigenbauElemente{{
    {"Werbetext", 68, "25|16777215|Falsch|0|0|-5|0|0,5|0,5"},
    {"Preis", 69, "35|16777215|Wahr|0|0|0|0|0,7|0,7|35@0@10@0@12@0@10@0@12@0"},
    {"GrundPreis", 70, "12|0|Falsch|5|0|0|0|0"},
    {"Info", 71, "6|0|Falsch|0|0|0|0|0"},
    {"ZPreis", 72, "25|16777215|Wahr|0|0|0|0|0,7|0,7|25@0@8@0@10@0@8@0@10@0"},
}};

inline constexpr std::int16_t kSlotWerbetext = 68;
inline constexpr std::int16_t kSlotPreis = 69;
inline constexpr std::int16_t kSlotGrundpreis = 70;
inline constexpr std::int16_t kSlotInfo = 71;
inline constexpr std::int16_t kSlotZusatzpreis = 72;

}  // namespace vovida
