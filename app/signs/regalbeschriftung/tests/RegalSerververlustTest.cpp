// The server is lost while the shelf labels are drawn: after the connection attempts the
// program ends, and the next start shows the queued labels and the sign kind again.
#include "Regal.h"

#include "Anmeldung.h"
#include "Kestoapi.h"
#include "Startglobale.h"

#include <gmock/gmock.h>

#include <QApplication>

#include <registry/Settings.h>

namespace vovida::test {
namespace {

using ::testing::Contains;

class RegalSerververlust : public Regalumgebung {
 protected:
  // What a new process starts from: no login, no sign kind, no windows.
  void neuerProzess() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    kestoapiZuruecksetzen();
    startglobaleZuruecksetzen();
    programmendeZuruecksetzen();
    ShellEinrichten();
  }
};

TEST_F(RegalSerververlust, TheQueuedLabelsAndTheKindComeBackAfterTheEndThatTheAttemptsBring) {
  einreihen(3);
  serverAnhalten();
  uhr->laufend = true;  // the waits between the attempts
  EXPECT_THROW(start().Aktualisieren_Click(), kesto::services::ProgramEnded);
  ASSERT_EQ(programm->endedWith(), 0);
  EXPECT_THAT(neueBoxtexte(), Contains("Server nach 3 Versuchen nicht erreichbar!\r\nAbbruch"));
  EXPECT_EQ(kesto::registry::GetSetting("Vovida", "Einstellungen", "Plakatart"), "SCHILD");

  neuerProzess();
  anmelden("SCHILD");  // the server is back
  ASSERT_EQ(startglobale().Plakatart, QStringLiteral("SCHILD"));
  frmRegalBesch& e = editor();
  EXPECT_EQ(e.Liste(), (QStringList{QStringLiteral("100001"), QStringLiteral("100002"), QStringLiteral("100003")}));
  EXPECT_EQ(e.ArtNrText(), QStringLiteral("100001"));
  EXPECT_EQ(e.Bez1->text(), QStringLiteral("Artikel 100001"));
  EXPECT_EQ(e.PreisEUR->text(), QStringLiteral("12,50"));
}

}  // namespace
}  // namespace vovida::test
