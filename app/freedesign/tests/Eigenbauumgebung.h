// The free-design tests: a main window logged in against the demo server, a fresh folder
// for the rich-text files, the template in the company-logo folder, and an editor state
// on the main window's rich-text body.
#pragma once

#include "Hauptfenster.h"

#include "EigenbauModell.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <set>

namespace vovida::test {

inline const QString kVorlage = QStringLiteral("{\\rtf1 VORLAGE}");

class Eigenbauumgebung : public Hauptfenster {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Every key below "Vovida\Eigenbau" as "path|value name", the path from the design on.
  static std::set<QString> gespeicherteWerte();
  // The files of the rich-text folder.
  QStringList dateien() const;
  QString ablage() const { return ordner_.path() + u'/'; }
  // The store-brand pictures on the main window: a red-framed header, a dark blue company sign.
  void markenbilder();
  // Saves a design with one article whose first extra price sits at x.
  void design(const char* name, const char* artikel, const char* x);

  RtfCodeKoerper rtf;
  std::unique_ptr<EigenbauModell> modell;

 private:
  QTemporaryDir ordner_;
};

}  // namespace vovida::test
