// Two minimal queue editors on the shared behaviour, as the sign editors will be: one
// like the poster editor, one that takes an empty entry into its list.
#pragma once

#include "Hauptfenster.h"

#include "Warteschlangenfenster.h"

namespace vovida::test {

// Lays the window's controls out in one column, as an editor lays them out, so that clicks
// and keys reach them as they reach an editor's.
void inSpalte(QWidget& fenster);

class PosterEditor : public Warteschlangenfenster {
 public:
  static constexpr const char* kName = "PosterEditor";
  PosterEditor() { inSpalte(*this); }
  int gespeichert = 0;

 protected:
  void nachSpeichern() override { ++gespeichert; }
};

class LabelEditor : public Warteschlangenfenster {
 public:
  static constexpr const char* kName = "LabelEditor";
  LabelEditor() { inSpalte(*this); }

 protected:
  bool leereNummerAufnehmen() const override { return true; }
};

// The queue sections left in the store, as the registry lists them, sorted.
QStringList abschnitte();

}  // namespace vovida::test
