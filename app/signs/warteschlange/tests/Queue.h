// Two minimal queue editors on the shared behaviour, as the sign editors will be: one
// like the poster editor, one that takes an empty entry into its list.
#pragma once

#include "Hauptfenster.h"

#include "Warteschlangenfenster.h"

namespace vovida::test {

class PosterEditor : public Warteschlangenfenster {
 public:
  static constexpr const char* kName = "PosterEditor";
  int gespeichert = 0;

 protected:
  void nachSpeichern() override { ++gespeichert; }
};

class LabelEditor : public Warteschlangenfenster {
 public:
  static constexpr const char* kName = "LabelEditor";

 protected:
  bool leereNummerAufnehmen() const override { return true; }
};

// The queue sections left in the store, as the registry lists them, sorted.
QStringList abschnitte();

}  // namespace vovida::test
