#include "Eigenbauumgebung.h"

#include <gmock/gmock.h>

#include "EigenbauGlobale.h"
#include "PlakatGlobal.h"
#include "Schriftdefinitionen.h"
#include "ServerZugriff.h"

#include <QFile>

#include <registry/Settings.h>
#include <services/Locale.h>

#include <stdexcept>

namespace vovida::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

QString datei(const QString& pfad) {
  QFile f(pfad);
  return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QStringLiteral("<fehlt>");
}

void schreiben(const QString& pfad, const QString& text) {
  QFile f(pfad);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(text.toLatin1());
}

class EigenbauSpeicherTest : public Eigenbauumgebung {
 protected:
  void SetUp() override {
    Eigenbauumgebung::SetUp();
    // Articles answer without the server unless a test wants it.
    modell->artikelLesen = [this](const QString& nr, QVector<QVariant>& daten) {
      ++gelesen;
      if (nr == u"999") {
        daten[13] = QStringLiteral("Fehler");
        return;
      }
      daten[0] = QStringLiteral("Bez ") + nr;
      daten[3] = QStringLiteral("12,50");
      daten[5] = QStringLiteral("GP ") + nr;
      daten[13] = QStringLiteral("Ok");
    };
  }
  // A design of two articles; each article's first extra price at x "11" / "22".
  void zweiArtikel(const QString& name) {
    modell->SpeicherName.Text = name;
    for (const char* nr : {"100021", "100022"}) {
      modell->ArtNr.Text = QString::fromUtf8(nr);
      modell->txt_PZ_X[0] = nr == std::string("100021") ? QStringLiteral("11") : QStringLiteral("22");
      rtf.setRichText(QStringLiteral("{\\rtf1 ") + QString::fromUtf8(nr) + u'}');
      modell->Speichern(name);
    }
  }
  int gelesen = 0;
};

TEST_F(EigenbauSpeicherTest, NeverSavedDesignLoadsTheDefaultsAndTheTemplate) {
  eigenbauGlobale().EigenbauAusrichtung = 3;
  Schriftdefinitionen()(68, 10) = QStringLiteral("alt");
  modell->lesen(QStringLiteral("Neu"));
  const EigenbauModell& m = *modell;
  EXPECT_EQ(m.B, u"95");
  EXPECT_EQ(m.H, u"120");
  EXPECT_EQ(m.Ueberschrift, u"SEHENSWERTE PREISE");
  EXPECT_EQ(m.t_BreiteTextmarke, u"75");
  EXPECT_EQ(m.t_HöheTextmarke, u"25");
  EXPECT_EQ(m.TextMarkeFarbe, 65280);
  EXPECT_EQ(m.t_BreiteStern, u"75");
  EXPECT_EQ(m.t_HöheStern, u"25");
  EXPECT_EQ(m.t_SrOben, u"15");
  EXPECT_EQ(m.t_SrLinks, u"15");
  EXPECT_EQ(m.t_EinrückungLR, u"5");
  EXPECT_EQ(m.t_EinrückungOU, u"5");
  EXPECT_EQ(m.c_Werbetext, 1);
  EXPECT_EQ(m.c_Preis, 1);
  EXPECT_EQ(m.chk_Brisal, 0);
  EXPECT_EQ(m.c_Textmarke, 1);
  EXPECT_EQ(m.t_GrundpreisDatum, 1);
  EXPECT_EQ(m.t_Artikelinfo, 0);
  EXPECT_TRUE(m.B_LB);
  EXPECT_FALSE(m.B_Z);
  EXPECT_TRUE(m.B_RB);
  EXPECT_EQ(eigenbauGlobale().EigenbauAusrichtung, 2);
  for (const EigenbauElement& e : kEigenbauElemente) {
    for (int feld = 1; feld <= 10; ++feld) {
      EXPECT_EQ(Schriftdefinitionen()(e.slot, feld),
                QString::fromUtf8(e.vorgabe).split(u'|').value(feld - 1))
          << e.slot << " " << feld;
    }
  }
  EXPECT_TRUE(Schriftdefinitionen()(68, 10).isEmpty());
  EXPECT_EQ(Schriftdefinitionen()(69, 10), u"35@0@10@0@12@0@10@0@12@0");
  EXPECT_THAT(m.ArtNr.List, IsEmpty());
  EXPECT_EQ(rtf.RichText(), kVorlage);
  EXPECT_TRUE(rtf.Vorlage());
  EXPECT_TRUE(eigenbauGlobale().VorlageGeladen);
  EXPECT_EQ(gelesen, 0);
  EXPECT_THAT(gespeicherteWerte(), IsEmpty());  // loading never writes
}

TEST_F(EigenbauSpeicherTest, FolderSettingDefaultsToTheServerFolderAndIsWrittenOnRequest) {
  modell->FileablageLesen();
  EXPECT_EQ(modell->t_Fileablage,
            ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("RTF")).replace(u'@', u'\\'));
  modell->t_Fileablage = QStringLiteral("C:\\Ablage\\");
  modell->FileablageSchreiben();
  modell->t_Fileablage.clear();
  modell->FileablageLesen();
  EXPECT_EQ(modell->t_Fileablage, u"C:\\Ablage\\");
}

TEST_F(EigenbauSpeicherTest, SaveWritesExactlyTheKeysOfTheDesignItsFontsItsArticleAndTheFile) {
  modell->lesen(QStringLiteral("Muster"));
  modell->SpeicherName.Text = QStringLiteral("Muster");
  modell->ArtNr.Text = QStringLiteral("100021");
  rtf.setRichText(QStringLiteral("{\\rtf1 Text}"));
  modell->Speichern(QStringLiteral("Muster"));

  std::set<QString> erwartet;
  for (const char* k : {"Breite", "Höhe", "Werbetext JN", "Preis JN", "Werbetext", "Brisal", "Textmarke JN",
                        "Textmarke Farbe", "Textmarke Breite", "Textmarke Höhe", "Stern Breite", "Stern Höhe",
                        "Grundpreis Datum", "Artikelinfo", "PreisAusrichtung", "Einrückung Oben",
                        "Einrückung Links", "Rahmen LR", "Rahmen OU"}) {
    erwartet.insert(QStringLiteral("Muster|") + QString::fromUtf8(k));
  }
  for (const char* e : {"Werbetext", "Preis", "GrundPreis", "Info", "ZPreis"}) {
    for (int feld = 1; feld <= 10; ++feld) {
      erwartet.insert(QStringLiteral("Muster\\%1|Schriftdef%2").arg(QString::fromUtf8(e)).arg(feld));
    }
  }
  for (const char* k : {"Grundpreis", "Infotext", "per", "Preis"}) {
    erwartet.insert(QStringLiteral("Muster\\Artikel\\100021|") + QString::fromUtf8(k));
  }
  for (int n = 0; n < 6; ++n) {
    for (const char* k : {"AnzeigeJN", "Information", "per", "Preis", "X-Wert", "Y-Wert", "Ausrichtung"}) {
      erwartet.insert(QStringLiteral("Muster\\Artikel\\100021\\ZPreis%1|%2").arg(n).arg(QString::fromUtf8(k)));
    }
  }
  EXPECT_EQ(gespeicherteWerte(), erwartet);
  EXPECT_THAT(dateien(), ElementsAre(u"Muster100021.rtf"));
  EXPECT_EQ(datei(ablage() + QStringLiteral("Muster100021.rtf")), u"{\\rtf1 Text}");
  EXPECT_EQ(QString::fromStdString(kesto::registry::GetSetting("Vovida\\Eigenbau", "Muster", "PreisAusrichtung")),
            u"Wahr|Falsch|Wahr");
  EXPECT_THAT(modell->SpeicherName.List, ElementsAre(u"Muster"));
  EXPECT_THAT(modell->ÜbernehmenName.List, IsEmpty());
  EXPECT_THAT(modell->ArtNr.List, ElementsAre(u"100021"));
}

TEST_F(EigenbauSpeicherTest, SaveWithoutArticleWritesTheDesignAndLeavesTheArticleListAlone) {
  modell->lesen(QStringLiteral("Ohne"));
  modell->ArtNr.List = {QStringLiteral("1")};
  modell->ArtNr.Text.clear();
  modell->t_Fileablage = ablage().chopped(1);
  modell->Speichern(QStringLiteral("Ohne"));
  EXPECT_EQ(gespeicherteWerte().size(), 19u + 50u);
  EXPECT_THAT(modell->ArtNr.List, ElementsAre(u"1"));
  EXPECT_THAT(dateien(), IsEmpty());
  EXPECT_TRUE(modell->t_Fileablage.endsWith(u'\\'));  // a full save ends the folder text
  modell->Speichern(QString());                      // no name: nothing at all
  EXPECT_EQ(gespeicherteWerte().size(), 19u + 50u);
}

TEST_F(EigenbauSpeicherTest, ReloadGivesBackWhatWasSavedAndTheArticleFromTheLoader) {
  modell->lesen(QStringLiteral("Rund"));
  modell->SpeicherName.Text = QStringLiteral("Rund");
  modell->B = QStringLiteral("80");
  modell->Ueberschrift = QStringLiteral("NUR HEUTE");
  modell->TextMarkeFarbe = 255;
  modell->chk_Brisal = 1;
  modell->t_Artikelinfo = 1;
  modell->B_LB = false, modell->B_Z = true, modell->B_RB = true;
  Schriftdefinitionen()(71, 1) = QStringLiteral("9");
  modell->ArtNr.Text = QStringLiteral("100021");
  modell->Grundpreis = QStringLiteral("gespeichert");
  modell->Preis_Info = QStringLiteral("Statt 20,-");
  modell->chk_PZ[4] = 1;
  modell->txt_PZ_EUR[4] = QStringLiteral("3,50");
  modell->txt_PZ_Y[4] = QStringLiteral("77");
  eigenbauGlobale().ZusatzpreisAusrichtung[4] = 3;
  rtf.setRichText(QStringLiteral("{\\rtf1 eigen}"));
  modell->Speichern(QStringLiteral("Rund"));

  eigenbauGlobaleZuruecksetzen();
  Schriftdefinitionen()(71, 1).clear();
  rtf.setRichText(QString());
  EigenbauModell neu;
  neu.RTF = &rtf;
  neu.t_Fileablage = ablage();
  neu.artikelLesen = modell->artikelLesen;
  neu.lesen(QStringLiteral("Rund"));
  EXPECT_EQ(neu.B, u"80");
  EXPECT_EQ(neu.Ueberschrift, u"NUR HEUTE");
  EXPECT_EQ(neu.TextMarkeFarbe, 255);
  EXPECT_EQ(neu.chk_Brisal, 1);
  EXPECT_EQ(neu.t_Artikelinfo, 1);
  EXPECT_EQ(eigenbauGlobale().EigenbauAusrichtung, 1);
  EXPECT_EQ(Schriftdefinitionen()(71, 1), u"9");
  EXPECT_THAT(neu.ArtNr.List, ElementsAre(u"100021"));
  EXPECT_EQ(neu.ArtNr.Text, u"100021");
  EXPECT_EQ(rtf.RichText(), u"{\\rtf1 eigen}");
  EXPECT_FALSE(eigenbauGlobale().VorlageGeladen);
  EXPECT_EQ(neu.Preis_Info, u"Statt 20,-");
  EXPECT_EQ(neu.Grundpreis, u"GP 100021");  // the loader's base price wins
  EXPECT_EQ(neu.Bez1, u"Bez 100021");
  EXPECT_EQ(neu.chk_PZ[4], 1);
  EXPECT_EQ(neu.txt_PZ_EUR[4], u"3,50");
  EXPECT_EQ(neu.txt_PZ_Y[4], u"77");
  EXPECT_EQ(eigenbauGlobale().ZusatzpreisAusrichtung[4], 3);
  EXPECT_TRUE(neu.b_LBZP[4]);
  EXPECT_TRUE(neu.b_ZZP[4]);
  EXPECT_FALSE(neu.b_RBZP[4]);
  // An article without entries.
  neu.lesen(QStringLiteral("Rund"), QStringLiteral("100099"), true);
  EXPECT_EQ(neu.chk_PZ[4], 0);
  EXPECT_EQ(neu.txt_PZ_EUR[4], u"");
  EXPECT_EQ(neu.chk_PZ[2], 0);
  EXPECT_EQ(neu.txt_PZ_X[2], u"50");
  EXPECT_EQ(neu.txt_PZ_Y[2], u"25");
  EXPECT_EQ(eigenbauGlobale().ZusatzpreisAusrichtung[2], 2);
  EXPECT_FALSE(neu.b_ZZP[2]);

  // A loader that fails keeps the stored base price.
  neu.Grundpreis = QStringLiteral("GP 100021");
  neu.ArtNr.Text = QStringLiteral("999");
  neu.Speichern(QStringLiteral("Rund"));
  neu.lesen(QStringLiteral("Rund"), QStringLiteral("999"), true);
  EXPECT_EQ(neu.Grundpreis, u"GP 100021");
}

TEST_F(EigenbauSpeicherTest, StoredAlignmentReadsInEitherLanguage) {
  struct Fall {
    const char* gespeichert;
    int ausrichtung;  // 0: keeps the previous value
  };
  for (const Fall& f : {Fall{"Wahr|Falsch|Wahr", 2}, Fall{"True|False|True", 2}, Fall{"Falsch|Wahr|Wahr", 1},
                        Fall{"true|true|false", 3}, Fall{"Wahr|Wahr|Wahr", 0}}) {
    SCOPED_TRACE(f.gespeichert);
    kesto::registry::SaveSetting("Vovida\\eigenbau", "Lang", "PreisAusrichtung", f.gespeichert);
    eigenbauGlobale().EigenbauAusrichtung = 7;
    modell->lesen(QStringLiteral("Lang"));
    EXPECT_EQ(eigenbauGlobale().EigenbauAusrichtung, f.ausrichtung == 0 ? 7 : f.ausrichtung);
    EXPECT_EQ(modell->B_Z, f.ausrichtung == 2 ? false : true);
  }
}

TEST_F(EigenbauSpeicherTest, ArticleOfASeveralArticleDesignKeepsItsOwnExtraPricesWhenTheTemplateIsLoaded) {
  // F20: the read of the article saves it (template body); it must save its own entries.
  zweiArtikel(QStringLiteral("Zwei"));
  QFile::remove(ablage() + QStringLiteral("Zwei100021.rtf"));
  QFile::remove(ablage() + QStringLiteral("Zwei100022.rtf"));
  modell->ArtNr.Text = QStringLiteral("100021");
  modell->lesen(QStringLiteral("Zwei"), QStringLiteral("100021"), true);
  EXPECT_EQ(modell->txt_PZ_X[0], u"11");
  modell->ArtNr.Text = QStringLiteral("100022");
  modell->lesen(QStringLiteral("Zwei"), QStringLiteral("100022"), true);
  EXPECT_TRUE(eigenbauGlobale().VorlageGeladen);
  EXPECT_EQ(modell->txt_PZ_X[0], u"22");
  EXPECT_EQ(QString::fromStdString(kesto::registry::GetSetting("Vovida\\Eigenbau\\Zwei\\Artikel\\100022", "ZPreis0",
                                                               "X-Wert")),
            u"22");
}

// A body whose load of one file raises.
class WerfenderKoerper final : public Textkoerper {
 public:
  QString RichText() const override { return code; }
  void setRichText(const QString& c) override { code = c; }
  void SaveFile(const QString&) override {}
  int LoadFile(const QString& pfad) override {
    if (pfad.endsWith(u"Wurf1.rtf")) throw std::runtime_error("kaputt");
    return innen.LoadFile(pfad) == 0 ? (code = innen.RichText(), 0) : 1;
  }
  bool Vorlage() const override { return vorlage; }
  void setVorlage(bool an) override { vorlage = an; }
  QString code;
  bool vorlage = false;
  RtfCodeKoerper innen;
};

TEST_F(EigenbauSpeicherTest, ALoadThatRaisesShowsTheTemplate) {
  // F24
  schreiben(ablage() + QStringLiteral("Wurf.rtf"), QStringLiteral("{\\rtf1 eigen}"));
  WerfenderKoerper koerper;
  modell->RTF = &koerper;
  modell->lesen(QStringLiteral("Wurf"));
  EXPECT_EQ(koerper.code, u"{\\rtf1 eigen}");
  EXPECT_FALSE(eigenbauGlobale().VorlageGeladen);
  modell->lesen(QStringLiteral("Wurf"), QStringLiteral("1"), true);
  EXPECT_EQ(koerper.code, kVorlage);
  EXPECT_TRUE(koerper.vorlage);
  EXPECT_TRUE(eigenbauGlobale().VorlageGeladen);
}

TEST_F(EigenbauSpeicherTest, FolderAndFileNameAreJoinedWithOneSeparator) {
  // F21: a folder text without its final separator still names files inside the folder.
  for (const QString& ordner : {ablage().chopped(1), ablage(), ablage().chopped(1) + u'\\'}) {
    SCOPED_TRACE(ordner.toStdString());
    modell->t_Fileablage = ordner;
    EXPECT_EQ(modell->Datei(QStringLiteral("D1.rtf")), ablage() + QStringLiteral("D1.rtf"));
  }
  modell->lesen(QStringLiteral("D"));
  modell->t_Fileablage = ablage().chopped(1);
  modell->ArtNr.Text = QStringLiteral("1");
  modell->Speichern(QStringLiteral("D"), true);
  EXPECT_THAT(dateien(), ElementsAre(u"D1.rtf"));
}

// The body survives on an install whose text folder is not there yet: the store makes it,
// or names the folder it cannot make.
TEST_F(EigenbauSpeicherTest, AMissingTextFolderIsMadeOrNamed) {
  modell->lesen(QStringLiteral("D"));
  modell->t_Fileablage = ablage() + QStringLiteral("neu/texte");
  modell->ArtNr.Text = QStringLiteral("1");
  rtf.setRichText(QStringLiteral("{\\rtf1 Rumpf}"));
  modell->Speichern(QStringLiteral("D"), true);
  EXPECT_TRUE(boxTexte().empty());
  EXPECT_EQ(datei(ablage() + QStringLiteral("neu/texte/D1.rtf")), QStringLiteral("{\\rtf1 Rumpf}"));

  schreiben(ablage() + QStringLiteral("datei"), QStringLiteral("keine Ablage"));
  modell->t_Fileablage = ablage() + QStringLiteral("datei/texte");
  modell->Speichern(QStringLiteral("D"), true);
  ASSERT_EQ(boxTexte().size(), 1u);
  EXPECT_THAT(boxTexte()[0], HasSubstr("Der Ordner \"" + (ablage() + QStringLiteral("datei/texte")).toStdString() +
                                       "\" für die Eigenbau-Texte fehlt"));
}

// Ticking an extra price of an article read into a design without articles: the price
// gets its default place, and a place stored empty draws there too.
TEST_F(EigenbauSpeicherTest, ExtraPricesWithoutAPlaceSitAtTheDefaultPlace) {
  EigenbauModell neu;
  neu.RTF = &rtf;
  neu.t_Fileablage = ablage();
  neu.neustart = [] {};
  neu.artikelLesen = modell->artikelLesen;
  neu.SpeicherName.Text = QStringLiteral("Leer");
  neu.ArtNr.Text = QStringLiteral("100021");
  neu.Read_Click();
  neu.chk_PZ_Click(2, true);
  neu.Speichern(QStringLiteral("Leer"));
  const std::string app = "Vovida\\Eigenbau\\Leer\\Artikel\\100021";
  EXPECT_EQ(kesto::registry::GetSetting(app, "ZPreis2", "X-Wert"), "50");
  EXPECT_EQ(kesto::registry::GetSetting(app, "ZPreis2", "Y-Wert"), "25");
  // A place typed away: ticking again gives it back.
  neu.txt_PZ_X[2].clear();
  neu.chk_PZ_Click(2, true);
  EXPECT_EQ(neu.txt_PZ_X[2], u"50");
}

// A place that is no number is refused before anything is stored.
TEST_F(EigenbauSpeicherTest, AnExtraPricePlaceThatIsNoNumberIsNotStored) {
  modell->SpeicherName.Text = QStringLiteral("Platz");
  modell->ArtNr.Text = QStringLiteral("100021");
  modell->chk_PZ[1] = 1;
  modell->txt_PZ_Y[1] = QStringLiteral("abc");
  modell->Speichern(QStringLiteral("Platz"));
  ASSERT_EQ(boxTexte().size(), 1u);
  EXPECT_THAT(boxTexte()[0], HasSubstr("Zusatzpreis 2: \"abc\" ist keine Zahl"));
  EXPECT_THAT(gespeicherteWerte(), IsEmpty());
  EXPECT_THAT(dateien(), IsEmpty());
  modell->txt_PZ_Y[1] = QStringLiteral("12,5");
  modell->Speichern(QStringLiteral("Platz"));
  EXPECT_EQ(boxTexte().size(), 1u);
  EXPECT_EQ(kesto::registry::GetSetting("Vovida\\Eigenbau\\Platz\\Artikel\\100021", "ZPreis1", "Y-Wert"), "12,5");
}

TEST_F(EigenbauSpeicherTest, NamesThatWouldNestKeysOrLeaveTheFolderAreRefused) {
  // F21
  struct Fall {
    const char* design;
    const char* artikel;
  };
  for (const Fall& f : {Fall{"a/b", "1"}, Fall{"a\\b", "1"}, Fall{"..", "1"}, Fall{"ok", "..\\x"}, Fall{"ok", "1/2"}}) {
    SCOPED_TRACE(std::string(f.design) + " " + f.artikel);
    const std::size_t vorher = boxen->shown().size();
    modell->SpeicherName.Text = QString::fromUtf8(f.design);
    modell->ArtNr.Text = QString::fromUtf8(f.artikel);
    modell->Speichern(QString::fromUtf8(f.design));
    ASSERT_EQ(boxen->shown().size(), vorher + 1);
    EXPECT_THAT(boxen->shown().back().text, HasSubstr("darf weder"));
    EXPECT_EQ(boxen->shown().back().title, "Vovida Eigenbau");
    EXPECT_THAT(gespeicherteWerte(), IsEmpty());
    EXPECT_THAT(modell->SpeicherName.List, IsEmpty());
  }
  EXPECT_THAT(dateien(), IsEmpty());
  EXPECT_FALSE(QFile::exists(ablage() + QStringLiteral("../x.rtf")));
}

TEST_F(EigenbauSpeicherTest, CopyTakesOverTheOtherDesignWithItsFirstArticle) {
  zweiArtikel(QStringLiteral("Quelle"));
  modell->B = QStringLiteral("70");
  modell->Speichern(QStringLiteral("Quelle"));
  modell->DesignlisteFuellen();
  modell->SpeicherName.Text = QStringLiteral("Ziel");
  modell->ÜbernehmenName.Text = QStringLiteral("Quelle");
  modell->b_SchriftDefÜbernehmen_Click();
  EXPECT_EQ(QString::fromStdString(kesto::registry::GetSetting("Vovida\\Eigenbau", "Ziel", "Breite")), u"70");
  EXPECT_EQ(QString::fromStdString(kesto::registry::GetSetting("Vovida\\Eigenbau\\Ziel\\Artikel\\100021", "ZPreis0",
                                                               "X-Wert")),
            u"11");
  EXPECT_EQ(datei(ablage() + QStringLiteral("Ziel100021.rtf")), u"{\\rtf1 100021}");
  EXPECT_THAT(modell->SpeicherName.List, ElementsAre(u"Quelle", u"Ziel"));

  // The same name, or none: nothing happens.
  const auto vorher = gespeicherteWerte();
  modell->ÜbernehmenName.Text = QStringLiteral("Ziel");
  modell->b_SchriftDefÜbernehmen_Click();
  modell->ÜbernehmenName.Text.clear();
  modell->b_SchriftDefÜbernehmen_Click();
  EXPECT_EQ(gespeicherteWerte(), vorher);
}

TEST_F(EigenbauSpeicherTest, DeletingADesignRemovesItsTreeAndFilesAndKeepsTheNameForCopying) {
  zweiArtikel(QStringLiteral("Alt"));
  schreiben(ablage() + QStringLiteral("Alt.rtf"), QStringLiteral("x"));
  schreiben(ablage() + QStringLiteral("Alt.txt"), QStringLiteral("x"));
  modell->ArtNr.Text = QStringLiteral("100021");
  modell->Speichern(QStringLiteral("Bleibt"));
  modell->DesignlisteFuellen();
  modell->SpeicherName.Text = QStringLiteral("Alt");
  int synchron = 0;
  modell->synchronisieren = [&] { ++synchron; };
  modell->Löschen_Click();
  for (const QString& wert : gespeicherteWerte()) EXPECT_FALSE(wert.startsWith(u"Alt")) << wert.toStdString();
  EXPECT_THAT(dateien(), ElementsAre(u"Bleibt100021.rtf"));
  EXPECT_THAT(modell->SpeicherName.List, ElementsAre(u"Bleibt"));
  EXPECT_EQ(modell->SpeicherName.Text, u"Bleibt");
  EXPECT_THAT(modell->ÜbernehmenName.List, ElementsAre(u"Alt", u"Bleibt"));
  EXPECT_THAT(modell->ArtNr.List, ElementsAre(u"100021"));
  EXPECT_EQ(synchron, 1);

  // Copying from the deleted name takes over defaults and the template.
  modell->ÜbernehmenName.Text = QStringLiteral("Alt");
  modell->B = QStringLiteral("60");
  modell->b_SchriftDefÜbernehmen_Click();
  EXPECT_EQ(QString::fromStdString(kesto::registry::GetSetting("Vovida\\Eigenbau", "Bleibt", "Breite")), u"95");

  // The last design: the name box ends empty and nothing is loaded.
  modell->Löschen_Click();
  EXPECT_THAT(modell->SpeicherName.List, IsEmpty());
  EXPECT_TRUE(modell->SpeicherName.Text.isEmpty());
  EXPECT_THAT(gespeicherteWerte(), IsEmpty());
}

TEST_F(EigenbauSpeicherTest, DeletingAnArticleRemovesItsEntriesAndFileAndLoadsTheFirstLeft) {
  zweiArtikel(QStringLiteral("Art"));
  modell->ArtNr.Text = QStringLiteral("100021");
  modell->ArtNrLöschen_Click();
  for (const QString& wert : gespeicherteWerte()) EXPECT_FALSE(wert.contains(u"100021")) << wert.toStdString();
  EXPECT_THAT(dateien(), ElementsAre(u"Art100022.rtf"));
  EXPECT_THAT(modell->ArtNr.List, ElementsAre(u"100022"));
  EXPECT_EQ(modell->ArtNr.Text, u"100022");
  EXPECT_EQ(modell->txt_PZ_X[0], u"22");
  EXPECT_EQ(rtf.RichText(), u"{\\rtf1 100022}");
}

TEST_F(EigenbauSpeicherTest, ArticleReadFromTheDemoServer) {
  modell->artikelLesen = [](const QString& nr, QVector<QVariant>& daten) { ArtikelLesen(nr, daten); };
  modell->ArtNr.Text = QStringLiteral("200001");
  modell->Read_Click();
  EXPECT_THAT(modell->Bez1.toStdString(), HasSubstr("Capri"));
  EXPECT_FALSE(modell->PreisDB.isEmpty());
}

}  // namespace
}  // namespace vovida::test
