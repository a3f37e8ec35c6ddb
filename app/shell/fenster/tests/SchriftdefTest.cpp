#include "Umgebung.h"

#include "FMStart.h"
#include "Farbe.h"
#include "Fensterliste.h"
#include "FrmSchriftdef.h"
#include "Schriftdefinitionen.h"
#include "ServerZugriff.h"
#include "Startglobale.h"
#include "TextKonvertierung.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <registry/Settings.h>

#include <memory>
#include <optional>

namespace vovida::test {
namespace {

// The colour chooser on its own, its slot field a plain text.
class FarbeTest : public Umgebung {
 protected:
  void SetUp() override {
    Umgebung::SetUp();
    eigen = std::make_unique<Farbe>(QStringLiteral("PinselFarbe"), [this] { return slot; });
  }
  void TearDown() override {
    eigen.reset();
    setFarbdialog(nullptr);
    Umgebung::TearDown();
  }
  QString slot = QStringLiteral("012");
  std::unique_ptr<Farbe> eigen;
  Farbe& farbe() { return *eigen; }
  std::string eigene() { return kesto::registry::GetSetting("Vovida", "Farben", "12_PinselFarbe", "-"); }
};

TEST_F(FarbeTest, NewControlIsBlack) {
  EXPECT_EQ(farbe().farbe(), 0u);
  EXPECT_FALSE(farbe().S->State());
  EXPECT_TRUE(farbe().Transparenz());
  EXPECT_EQ(farbe().Name(), QStringLiteral("PinselFarbe"));
}

TEST_F(FarbeTest, FixedColoursPressTheirButton) {
  const std::pair<std::uint32_t, Taste* Farbe::*> faelle[] = {{255, &Farbe::R}, {65280, &Farbe::G}, {16711680, &Farbe::B},
                                                              {0, &Farbe::S},   {16777215, &Farbe::W}, {16711935, &Farbe::N}};
  farbe().setTransparenz(false);  // N is pressed all the same
  for (const auto& [wert, taste] : faelle) {
    farbe().setFarbe(wert);
    EXPECT_FALSE((farbe().*taste)->State()) << wert;
    EXPECT_EQ(farbe().farbe(), wert);
  }
}

TEST_F(FarbeTest, UnknownColourKeepsThePreviousButton) {
  farbe().setFarbe(255);
  farbe().setFarbe(1234);
  EXPECT_EQ(farbe().farbe(), 255u);
}

TEST_F(FarbeTest, OwnColourIsKeptPerSlotAndRole) {
  EXPECT_EQ(farbe().Schluessel(), QStringLiteral("12_PinselFarbe"));
  // Unset, the own colour reads light grey.
  farbe().setFarbe(12632256);
  EXPECT_FALSE(farbe().A->State());
  kesto::registry::SaveSetting("Vovida", "Farben", "12_PinselFarbe", "4242");
  farbe().setFarbe(255);
  farbe().setFarbe(4242);
  EXPECT_FALSE(farbe().A->State());
  EXPECT_EQ(farbe().farbe(), 4242u);
  // A stored text or slot that is no number gives no colour and presses nothing.
  slot = QStringLiteral("abc");
  EXPECT_EQ(farbe().farbe(), 0u);
}

TEST_F(FarbeTest, DialogColourIsStoredAndCancelStoresNothing) {
  std::optional<std::uint32_t> antwort = 777u;
  std::uint32_t angeboten = 0;
  setFarbdialog([&](std::uint32_t anfang) {
    angeboten = anfang;
    return antwort;
  });
  farbe().setFarbe(255);
  farbe().A->click();
  EXPECT_EQ(eigene(), "777");
  EXPECT_EQ(angeboten, 12632256u);
  EXPECT_EQ(farbe().farbe(), 777u);

  farbe().setFarbe(65280);
  antwort.reset();
  farbe().A_MouseDown(1, 0, 0, 0);
  EXPECT_EQ(angeboten, 777u);
  EXPECT_EQ(eigene(), "777");
  EXPECT_EQ(farbe().farbe(), 65280u);

  slot = QStringLiteral("x");
  antwort = 5u;
  EXPECT_ANY_THROW(farbe().A_MouseDown(1, 0, 0, 0));
  EXPECT_EQ(eigene(), "777");
}

TEST_F(FarbeTest, PropertiesRoundTrip) {
  farbe().setFarbe(16711680);
  farbe().setTransparenz(false);
  farbe().setName(QStringLiteral("Farbe TextMarke"));
  Farbe zweite(QStringLiteral("Farbe"), [] { return QStringLiteral("3"); });
  zweite.ReadProperties(farbe().WriteProperties());
  EXPECT_EQ(zweite.farbe(), 16711680u);
  EXPECT_FALSE(zweite.Transparenz());
  EXPECT_EQ(zweite.UCName->text(), QStringLiteral("Farbe TextMarke"));
}

TEST(KennungAusFarbe, LettersOfTheFixedColours) {
  const std::pair<std::uint32_t, const char*> faelle[] = {{0, "S"},        {255, "R"},      {65280, "G"},  {16711680, "B"},
                                                          {16711935, "N"}, {16777215, "W"}, {12632256, "A"}, {1, "A"}};
  for (const auto& [wert, kennung] : faelle) EXPECT_EQ(FrmSchriftdef::KennungAusFarbe(wert), QString::fromLatin1(kennung));
}

// The editor against the demo server after a login.
class SchriftdefTest : public Umgebung {
 protected:
  void SetUp() override {
    Umgebung::SetUp();
    serverStarten();
    anmeldungSkript(QStringLiteral("DEMO"), QStringLiteral("demo"));
    fensterliste().holen<FMStart>().Form_Load();
  }
  FrmSchriftdef& editor() { return fensterliste().holen<FrmSchriftdef>(); }
  // The first slot of the kind in the offered range.
  int slotDerArt(const char* art) {
    for (int n = 3; n <= 67; ++n)
      if (Schriftdefinitionen()(n, 0) == QLatin1String(art)) return n;
    ADD_FAILURE() << art;
    return 3;
  }
  static QString schluessel(int n) { return QStringLiteral("FONT%1").arg(n, 3, 10, QLatin1Char('0')); }
  QString serverWert(const QString& key) { return ParameterText(QStringLiteral("PLAKAT"), key); }
};

TEST_F(SchriftdefTest, LoadListsTheOfferedSlotsAndShowsTheFirst) {
  FrmSchriftdef& f = editor();
  EXPECT_EQ(f.Beschreibung->count(), 65);
  EXPECT_TRUE(f.Beschreibung->itemText(0).startsWith(QStringLiteral("FONT003: E ")));
  EXPECT_EQ(f.P2->currentText(), QStringLiteral("3"));
  EXPECT_EQ(f.SchriftGroesze->text(), Schriftdefinitionen()(3, 1));
  EXPECT_EQ(f.RegisterSchrift->Tab(), 1);
  EXPECT_FALSE(f.FrameB->isVisibleTo(&f));
  EXPECT_EQ(f.Vorschau.PageCount(), 1);
  EXPECT_TRUE(boxTexte().empty());
}

TEST_F(SchriftdefTest, SlotTwelveFromTheListIsDrawnOnA3) {
  FrmSchriftdef& f = editor();
  kesto::registry::SaveSetting("Vovida", "Drucker", "PRTPLA3N", "A3-Drucker");
  f.Beschreibung->setCurrentIndex(12 - 3);
  f.Beschreibung_Click();
  EXPECT_EQ(f.P2->currentText(), QStringLiteral("012"));
  EXPECT_EQ(f.Vorschau.PaperSize(), 8);
  EXPECT_EQ(f.Vorschau.PrinterName(), "A3-Drucker");
  f.NavAUF_Click(Navschritt::Weiter);
  EXPECT_EQ(f.P2->currentText(), QStringLiteral("13"));
  EXPECT_EQ(f.Vorschau.PaperSize(), 9);
  EXPECT_EQ(f.Vorschau.PrinterName(), serverWert(QStringLiteral("PRTPLA4N")).toStdString());
}

TEST_F(SchriftdefTest, NavigationStaysInTheOfferedRange) {
  FrmSchriftdef& f = editor();
  f.NavAB_Click(Navschritt::Zurueck);
  EXPECT_EQ(f.P2->currentText(), QStringLiteral("3"));
  f.NavAUF_Click(Navschritt::Letzter);
  EXPECT_EQ(f.P2->currentText(), QStringLiteral("67"));
  f.NavAUF_Click(Navschritt::Weiter);
  EXPECT_EQ(f.P2->currentText(), QStringLiteral("67"));
  f.NavAB_Click(Navschritt::Erster);
  EXPECT_EQ(f.P2->currentText(), QStringLiteral("3"));
  // A slot text that names no slot is left alone.
  f.P2->setEditText(QStringLiteral("99"));
  EXPECT_TRUE(boxTexte().empty());
}

TEST_F(SchriftdefTest, TextBoxSlotIsSavedWithNinePiecesAndReadBack) {
  FrmSchriftdef& f = editor();
  const int n = slotDerArt("B");
  f.P2->setEditText(QString::number(n));
  EXPECT_EQ(f.RegisterSchrift->Tab(), 2);
  EXPECT_EQ(f.Kontur->text(), QStringLiteral("Rahmen"));
  f.SchriftGroesze->setText(QStringLiteral("41"));
  f.ZeilenAbstand->setText(QStringLiteral("12"));
  f.SchriftFarbe->setFarbe(255);
  f.StiftFarbe->setFarbe(16711680);
  f.PinselFarbe->setFarbe(16711935);
  f.Kontur->setChecked(true);
  f.Speichern_Click();
  EXPECT_EQ(serverWert(schluessel(n)), QStringLiteral("41@R@J@12@0@0@B@N@"));
  EXPECT_EQ(Schriftdefinitionen()(n, 3), QStringLiteral("True"));
  EXPECT_EQ(Schriftdefinitionen()(n, 7), QStringLiteral("16711680"));
  // Read again from the server, the table holds the same.
  SchriftenLaden(true);
  EXPECT_EQ(Schriftdefinitionen()(n, 1), QStringLiteral("41"));
  EXPECT_EQ(Schriftdefinitionen()(n, 2), QStringLiteral("255"));
  EXPECT_EQ(Schriftdefinitionen()(n, 3), QStringLiteral("True"));
  EXPECT_TRUE(boxTexte().empty());
  // The main preview's countdown was restarted.
  EXPECT_TRUE(fensterliste().holen<FMStart>().BildAufbauen.Enabled());
}

TEST_F(SchriftdefTest, SingleTextOutlineIsAlwaysSavedOff) {
  FrmSchriftdef& f = editor();
  const int n = slotDerArt("E");
  f.P2->setEditText(QString::number(n));
  f.Kontur->setChecked(true);
  f.SchattenFarbe->setFarbe(65280);
  const QString vorher = serverWert(schluessel(n));
  f.EinMal_Click();
  EXPECT_EQ(Schriftdefinitionen()(n, 3), QStringLiteral("False"));
  EXPECT_EQ(Schriftdefinitionen()(n, 7), QStringLiteral("65280"));
  EXPECT_EQ(serverWert(schluessel(n)), vorher);  // "1 Mal" sends nothing
  f.Kontur->setChecked(true);
  f.Speichern_Click();
  EXPECT_EQ(TeilString(serverWert(schluessel(n)), QStringLiteral("@"), 3), QStringLiteral("N"));
  EXPECT_EQ(TeilString(serverWert(schluessel(n)), QStringLiteral("@"), 7), QStringLiteral("G"));
  f.SchriftLaden();
  EXPECT_FALSE(f.Kontur->isChecked());
}

TEST_F(SchriftdefTest, PriceSlotSavesItsExtras) {
  FrmSchriftdef& f = editor();
  const int n = slotDerArt("P");
  f.P2->setEditText(QString::number(n));
  EXPECT_EQ(f.RegisterSchrift->Tab(), 3);
  EXPECT_FALSE(f.FramePreisZusatz->isVisibleTo(&f));
  f.RegisterSchrift->setTab(4);
  EXPECT_TRUE(f.FramePreisZusatz->isVisibleTo(&f));
  EXPECT_FALSE(f.FrameA->isVisibleTo(&f));
  EXPECT_EQ(f.Vorschau.PageCount(), 1);
  f.Kommastellen->setText(QStringLiteral("81"));
  f.NwWaehrungskzHoehe->setText(QStringLiteral("2"));
  f.Speichern_Click();
  const QString zusatz = serverWert(schluessel(n) + QStringLiteral("_PZ"));
  EXPECT_EQ(TeilString(zusatz, QStringLiteral("@"), 1), QStringLiteral("81"));
  EXPECT_EQ(TeilString(zusatz, QStringLiteral("@"), 10), QStringLiteral("2"));
  EXPECT_EQ(Schriftdefinitionen()(n, 10), zusatz);
}

TEST_F(SchriftdefTest, MissingExtrasParameterIsReportedAndTheMainOneWritten) {
  FrmSchriftdef& f = editor();
  const int n = slotDerArt("E");
  f.P2->setEditText(QString::number(n));
  Schriftdefinitionen()(n, 0) = QStringLiteral("P");  // no "_PZ" on the server
  f.SchriftGroesze->setText(QStringLiteral("33"));
  f.Speichern_Click();
  ASSERT_EQ(boxTexte().size(), 1u);
  EXPECT_NE(boxTexte()[0].find("_PZ"), std::string::npos);
  EXPECT_EQ(TeilString(serverWert(schluessel(n)), QStringLiteral("@"), 1), QStringLiteral("33"));
}

TEST_F(SchriftdefTest, ZoomFollowsTheList) {
  FrmSchriftdef& f = editor();
  f.cmbZoom->setEditText(QStringLiteral("150%"));
  f.cmbZoom_Click();
  EXPECT_EQ(f.Vorschau.Zoom(), 150);
  EXPECT_EQ(f.cmbZoom->currentText(), QStringLiteral("150%"));
  f.cmbZoom->setEditText(QStringLiteral("Ganze Seite"));
  f.cmbZoom_Click();
  EXPECT_EQ(f.Vorschau.ZoomMode(), 3);
  EXPECT_EQ(f.cmbZoom->currentIndex(), 0);
}

}  // namespace
}  // namespace vovida::test
