// The supplier search "Suche nach Lieferant"; the article search fills its supplier
// filter from it.
#pragma once

#include "Kontosuche.h"

namespace vovida {

class FMLnrsu : public Kontosuche {
 public:
  static constexpr const char* kName = "FMLnrsu";
  FMLnrsu();

  QComboBox* SSKTOK;
  VirtualList* LNRSULI;
};

}  // namespace vovida
