// Staff badges (sign kind "PERS"): the marked names of the badge editor, each as often as
// its badge count says, on an A4 sheet of two columns and eight rows.
#pragma once

#include <QString>

#include <cstdint>

namespace vovida {

// The sheet's cell where the next run starts; choosing the kind "PERS" sets both to 1.
struct PersonalschildGlobale {
  std::int16_t PersonalschildStartZeile = 1;
  std::int16_t PersonalschildStartSpalte = 1;
  // "F-LOGO-QZM" as the run read it at its start.
  double logoVerhaeltnis = 0;
};
PersonalschildGlobale& personalschildGlobale();

inline constexpr int kSchilderJeZeile = 2;
inline constexpr int kZeilenJeBlatt = 8;

// The layout entry: the whole preview document. Processes no pending events, so that
// nothing else runs while it draws.
void PersonalschilderDrucken();

// One badge in the sheet's cell (column, row from 1): frame, logo and name.
void PersonalschildZeichnen(std::int16_t spalte, std::int16_t zeile, const QString& name);

// Registers the editor, the layout and the start cell for the sign kind "PERS".
void PersonalschildEinrichten();

}  // namespace vovida
