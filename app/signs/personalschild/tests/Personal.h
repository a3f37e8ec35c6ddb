// The badge editor and layout against the demo server: a logged-in main window with the
// sign kind "PERS" registered, and helpers to load and mark names as a user does.
#pragma once

#include "Hauptfenster.h"

#include "Fensterliste.h"
#include "frmPersonalschild.h"

#include <QStringList>

namespace vovida::test {

class PersonalFixture : public Hauptfenster {
 protected:
  void SetUp() override;
  frmPersonalschild& editor() { return FormHolen<frmPersonalschild>(); }
  // Shows the editor, chooses the department whose item starts with nummer ("" for the
  // empty item) and clicks "Daten Laden".
  void namenLaden(const QString& nummer);
  // The rows of the names list.
  QStringList namen();
  // Ticks the check box of the row with a mouse click.
  void markieren(int zeile);
  // Puts the names in the list directly, marked.
  void namenSetzen(const QStringList& namen);
  // Factory calls so far that named the text among their arguments (e.g. a parameter key).
  int aufrufeMit(const QString& text) const;
};

}  // namespace vovida::test
