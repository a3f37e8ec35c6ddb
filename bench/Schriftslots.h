// Font slots for the drawing benchmarks, field by field as the settings store them.
#pragma once

#include "Schriftdefinitionen.h"

#include <QString>

#include <initializer_list>

namespace vovida::bench {

inline void slotSetzen(int slot, std::initializer_list<const char*> felder) {
  int feld = 0;
  for (const char* text : felder) Schriftdefinitionen()(slot, feld++) = QString::fromUtf8(text);
}

}  // namespace vovida::bench
