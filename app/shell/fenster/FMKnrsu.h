// The customer search "Suche nach Kunden". No window of the application opens it.
#pragma once

#include "Kontosuche.h"

namespace vovida {

class FMKnrsu : public Kontosuche {
 public:
  static constexpr const char* kName = "FMKnrsu";
  FMKnrsu();

  QComboBox* SKGRP;
  VirtualList* KNRSULI;
};

}  // namespace vovida
