// What the sign modules build on: unloading a window runs its unload behaviour once,
// ticking a sign-kind option runs its handler, the company logo is kept as a picture,
// and query results are walked through the shared result set.
#include "Hauptfenster.h"

#include "Fensterliste.h"
#include "Kestoapi.h"
#include "ResultSet.h"
#include "Schildarten.h"
#include "ServerFehler.h"
#include "ServerZugriff.h"
#include "Startglobale.h"
#include "TextKonvertierung.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <stdexcept>

namespace vovida::test {
namespace {

int entladungen = 0;
bool entladenWirft = false;

class Testfenster : public QWidget, public Entladbar {
 public:
  static constexpr const char* kName = "Testfenster";
  void Form_Unload() override {
    ++entladungen;
    // Closing itself from its own unload behaviour does not run it again.
    fensterliste().entladen<Testfenster>();
    if (entladenWirft) throw std::runtime_error("Entladen fehlgeschlagen");
  }
};

class FensterGrundlagen : public Hauptfenster {
 protected:
  void SetUp() override {
    Hauptfenster::SetUp();
    entladungen = 0;
    entladenWirft = false;
  }
};

TEST_F(FensterGrundlagen, UnloadRunsTheUnloadBehaviourOnceAndTheWindowGoesEvenWhenItRaises) {
  fensterliste().holen<Testfenster>().show();
  fensterliste().entladen<Testfenster>();
  EXPECT_EQ(entladungen, 1);
  EXPECT_FALSE(fensterliste().geladen<Testfenster>());
  fensterliste().entladen<Testfenster>();  // not loaded: nothing
  EXPECT_EQ(entladungen, 1);

  entladenWirft = true;
  fensterliste().holen<Testfenster>();
  EXPECT_THROW(fensterliste().entladen<Testfenster>(), std::runtime_error);
  EXPECT_EQ(entladungen, 2);
  EXPECT_FALSE(fensterliste().geladen<Testfenster>());
}

TEST_F(FensterGrundlagen, TickingAnOptionRunsItsHandlerByCodeAndByMouse) {
  int gewaehlt = 0;
  schildart(QStringLiteral("A4N"), {QStringLiteral("100021")});
  anmelden("A4N");
  SchildartDienste regal;
  regal.nachAuswahl = [&] { ++gewaehlt; };
  SchildartEintragen(QStringLiteral("SCHILD"), regal);

  start().Option(QStringLiteral("SCHILD"))->setChecked(true);
  EXPECT_EQ(startglobale().Plakatart, QStringLiteral("SCHILD"));
  EXPECT_EQ(gewaehlt, 1);
  start().Option(QStringLiteral("SCHILD"))->setChecked(true);  // ticked already: no second run
  EXPECT_EQ(gewaehlt, 1);

  start().show();
  QRadioButton* a3 = start().Option(QStringLiteral("A3N"));
  QTest::mouseClick(a3, Qt::LeftButton, {}, QPoint(6, a3->height() / 2));
  EXPECT_TRUE(a3->isChecked());
  EXPECT_EQ(startglobale().Plakatart, QStringLiteral("A3N"));
}

TEST_F(FensterGrundlagen, SeededPicturesLoadAndTheLogoKeepsItsPicture) {
  schildart(QStringLiteral("A4N"), {});
  anmelden("A4N");
  // The start-up found the header and company sign of the style in the logo folder.
  EXPECT_FALSE(start().SchildBild.isNull());
  EXPECT_FALSE(start().SchildTamselBild.isNull());
  EXPECT_TRUE(start().LogoBild.isNull());

  const QString ordner = TextErsetzen(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FIRMENLOGO")),
                                      QStringLiteral("@"), QStringLiteral("\\"));
  EXPECT_TRUE(start().LogoLaden(ordner + QStringLiteral("\\Logo.bmp")));
  const QSize groesse = start().LogoBild.size();
  EXPECT_EQ(groesse, QSize(240, 120));
  EXPECT_FALSE(start().Logo->pixmap().isNull());
  EXPECT_FALSE(start().LogoLaden(ordner + QStringLiteral("\\Fehlt.bmp")));
  EXPECT_EQ(start().LogoBild.size(), groesse);
}

TEST_F(FensterGrundlagen, ResultSetWalksTheRowsAndNeedsAConnection) {
  EXPECT_THROW(ResultSet(QStringLiteral("FRX.Windows"), QStringLiteral("KkrSuche")), ServerFehler);
  schildart(QStringLiteral("A4N"), {});
  anmelden("A4N");
  Serverarbeit arbeit;
  ResultSet ergebnis(QStringLiteral("FRX.Windows"), QStringLiteral("KkrSuche"));
  ergebnis.Execute(FirmaParameter({QStringLiteral("L"), QStringLiteral("BAU"), QString()}));
  int zeilen = 0;
  while (ergebnis.Next()) {
    ++zeilen;
    EXPECT_FALSE(ergebnis.GetData(1).isEmpty());
  }
  EXPECT_GT(zeilen, 0);
  EXPECT_FALSE(ergebnis.Next());
}

}  // namespace
}  // namespace vovida::test
