#include "Eigenbauumgebung.h"

#include <gmock/gmock.h>

#include "Druckartikel.h"
#include "Eigenbau.h"
#include "Kestoapi.h"
#include "EigenbauGlobale.h"
#include "Fensterliste.h"
#include "FrmSchriftdef.h"
#include "Preisinfo.h"
#include "Schildfenster.h"
#include "Startglobale.h"
#include "Bilder.h"
#include "ServerZugriff.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTextDocument>

#include <registry/Settings.h>
#include <services/InputBox.h>

namespace vovida::test {
namespace {

using ::testing::ElementsAre;

class EigenbauEditorTest : public Eigenbauumgebung {
 protected:
  void SetUp() override {
    Eigenbauumgebung::SetUp();
    eingaben = std::make_shared<kesto::services::ScriptedInputBox>();
    kesto::services::setInputBoxPort(eingaben);
    modell->neustart = [this] { ++neustarts; };
    modell->artikelLesen = [this](const QString& nr, QVector<QVariant>& daten) {
      gelesen.push_back(nr);
      daten[13] = QStringLiteral("Ok");
    };
  }
  void TearDown() override {
    kesto::services::setInputBoxPort(nullptr);
    Eigenbauumgebung::TearDown();
  }
  void waehrung(const char* code, const char* faktor) {
    Preisinfo& p = fensterliste().holen<Preisinfo>();
    p.WWSHW->setText(QString::fromUtf8(code));
    p.Faktor->setText(QString::fromUtf8(faktor));
  }

  std::shared_ptr<kesto::services::ScriptedInputBox> eingaben;
  int neustarts = 0;
  std::vector<QString> gelesen;
};

TEST_F(EigenbauEditorTest, EuroPriceGivesTheSchillingPriceAndEnterFormatsIt) {
  waehrung("EUR", "13,7603");
  modell->PreisEUR = QStringLiteral("10");
  modell->PreisEUR_Change();
  EXPECT_EQ(modell->PreisATS, u"137,60");
  EXPECT_EQ(EigenbauModell::PreisEingabe(QStringLiteral("10")), u"10,-");
  EXPECT_EQ(EigenbauModell::PreisEingabe(QStringLiteral("-")), u"-");
  modell->txt_PZ_EUR[3] = QStringLiteral("2,5");
  modell->txt_PZ_EUR_Change(3);
  EXPECT_EQ(modell->txt_PZ_ATS[3], u"34,40");
  // The schilling box has no say while the euro is the main currency.
  modell->PreisATS = QStringLiteral("500");
  modell->PreisATS_Change();
  EXPECT_EQ(modell->PreisEUR, u"10");
}

TEST_F(EigenbauEditorTest, PriceBoxesSkipWhatIsNoNumber) {
  // F29
  struct Fall {
    const char* ats;
    const char* faktor;
  };
  waehrung("ATS", "13,7603");
  modell->PreisATS = QStringLiteral("137,60");
  modell->PreisATS_Change();
  EXPECT_EQ(modell->PreisEUR, u"10,-");
  for (const Fall& f : {Fall{"abc", "13,7603"}, Fall{",", "13,7603"}, Fall{"15%", "13,7603"}, Fall{"-", "13,7603"},
                        Fall{"100", "0"}, Fall{"100", ""}}) {
    SCOPED_TRACE(std::string(f.ats) + " / " + f.faktor);
    waehrung("ATS", f.faktor);
    modell->PreisEUR = QStringLiteral("unverändert");
    modell->PreisATS = QString::fromUtf8(f.ats);
    EXPECT_NO_THROW(modell->PreisATS_Change());
    if (std::string(f.ats) == "abc") continue;  // filtered to "0": a number
    EXPECT_EQ(modell->PreisEUR, u"unverändert");
  }
}

TEST_F(EigenbauEditorTest, DatabasePriceGoesIntoTheMainCurrencyBox) {
  waehrung("EUR", "13,7603");
  modell->PreisDB = QStringLiteral("19.90");
  modell->PreisDB_Change();
  EXPECT_EQ(modell->PreisDB, u"19,90");
  EXPECT_EQ(modell->PreisEUR, u"19,90");
  EXPECT_EQ(modell->PreisATS, u"273,83");
}

TEST_F(EigenbauEditorTest, SizesAreClampedToThePageOfTheOrientation) {
  struct Fall {
    bool quer;
    const char* feld;
    const char* eingabe;
    const char* ergebnis;
  };
  for (const Fall& f : {Fall{false, "B", "500", "180"}, Fall{true, "B", "500", "267"}, Fall{false, "B", "120", "120"},
                        Fall{false, "H", "500", "267"}, Fall{true, "H", "500", "180"}, Fall{false, "B", "1a2", "12"}}) {
    SCOPED_TRACE(std::string(f.feld) + " " + f.eingabe + (f.quer ? " quer" : " hoch"));
    modell->t_SrLinks = QStringLiteral("15");
    modell->t_SrOben = QStringLiteral("15");
    if (f.quer) modell->O_Quer_Click(); else modell->O_Hoch_Click();
    if (std::string(f.feld) == "B") {
      modell->B = QString::fromUtf8(f.eingabe);
      modell->B_Change();
      EXPECT_EQ(modell->B, QString::fromUtf8(f.ergebnis));
    } else {
      modell->H = QString::fromUtf8(f.eingabe);
      modell->H_Change();
      EXPECT_EQ(modell->H, QString::fromUtf8(f.ergebnis));
    }
  }
  modell->B = QStringLiteral("80");
  modell->t_BreiteTextmarke = QStringLiteral("90");
  modell->t_BreiteTextmarke_Change();
  EXPECT_EQ(modell->t_BreiteTextmarke, u"80");
  modell->O_Hoch_Click();
  modell->t_SrLinks = QStringLiteral("15");
  modell->t_EinrückungLR = QStringLiteral("5");
  const auto [links, rechts] = modell->RTFRaender();
  EXPECT_DOUBLE_EQ(links, 2.0);
  EXPECT_DOUBLE_EQ(rechts, 21 - 8 - 1.5 - 1);
}

TEST_F(EigenbauEditorTest, AlignmentButtonsSelectAndReleaseAsTheyDo) {
  auto& g = eigenbauGlobale();
  modell->B_LB = false;  // the user pressed the left button
  modell->B_LB_Click();
  EXPECT_EQ(g.EigenbauAusrichtung, 1);
  EXPECT_TRUE(modell->B_Z);
  EXPECT_TRUE(modell->B_RB);
  modell->B_LB = true;  // pressed again: released; the right one goes down, the value stays
  modell->B_LB_Click();
  EXPECT_FALSE(modell->B_RB);
  EXPECT_EQ(g.EigenbauAusrichtung, 1);
  modell->B_Z = false;
  modell->B_Z_Click();
  EXPECT_EQ(g.EigenbauAusrichtung, 2);
  EXPECT_TRUE(modell->B_LB);
  EXPECT_TRUE(modell->B_RB);
  modell->B_Z = true;
  modell->B_Z_Click();
  EXPECT_FALSE(modell->B_LB);

  modell->b_RBZP[4] = false;
  modell->b_RBZP_Click(4);
  EXPECT_EQ(g.ZusatzpreisAusrichtung[4], 3);
  EXPECT_TRUE(modell->b_LBZP[4]);
  modell->b_RBZP[4] = true;  // released: none goes down
  modell->b_RBZP_Click(4);
  EXPECT_TRUE(modell->b_LBZP[4]);
  EXPECT_TRUE(modell->b_ZZP[4]);
  modell->b_LBZP[4] = false;
  modell->b_LBZP_Click(4);
  modell->b_LBZP[4] = true;
  modell->b_LBZP_Click(4);
  EXPECT_FALSE(modell->b_RBZP[4]);
  EXPECT_EQ(g.ZusatzpreisAusrichtung[4], 1);
  EXPECT_EQ(neustarts, 8);
}

TEST_F(EigenbauEditorTest, HeadlineOptions) {
  modell->chk_Brisal = 1;
  modell->chk_Brisal_Click();
  EXPECT_EQ(modell->Ueberschrift, u"FÜR SEHENSWERTE PREISE!");
  modell->chk_Brisal = 0;
  modell->chk_Brisal_Click();
  EXPECT_EQ(modell->Ueberschrift, u"SEHENSWERTE PREISE");
  modell->RadioKein_Click();
  EXPECT_EQ(modell->Ueberschrift, u" ");
  modell->c_Werbetext = 0;
  modell->c_Werbetext_Click();
  EXPECT_EQ(modell->c_Textmarke, 0);
  EXPECT_FALSE(modell->c_TextmarkeEnabled);
  modell->c_Werbetext = 1;
  modell->c_Werbetext_Click();
  EXPECT_TRUE(modell->c_TextmarkeEnabled);
}

TEST_F(EigenbauEditorTest, NamePromptRepeatsOnEmptyAndCancelClosesTheEditor) {
  // F22
  kesto::registry::SaveSetting("Vovida", "Eigenbau", "Fileablage", ablage().toStdString());
  eingaben->cancel();
  EXPECT_FALSE(modell->Laden());
  ASSERT_EQ(eingaben->shown().size(), 1u);
  EXPECT_EQ(eingaben->shown()[0].title, "Vovida Eigenbau Nahmenseingabe");
  EXPECT_EQ(eingaben->shown()[0].prompt, "Geben Sie Einen Namen ein unter dem Ihr Vovida gespeichert werden soll!");

  EigenbauModell neu;
  neu.RTF = &rtf;
  eingaben->answer("");
  eingaben->answer("Sommer");
  EXPECT_TRUE(neu.Laden());
  EXPECT_EQ(eingaben->shown().size(), 3u);
  EXPECT_EQ(neu.SpeicherName.Text, u"Sommer");
  EXPECT_EQ(neu.B, u"95");
  EXPECT_EQ(neu.t_Fileablage, ablage());
  EXPECT_EQ(rtf.RichText(), kVorlage);
  EXPECT_TRUE(rtf.Vorlage());
}

TEST_F(EigenbauEditorTest, ChoosingADesignLoadsItOnce) {
  // F19
  design("Anna", "1", "11");
  design("Berta", "2", "22");
  modell->DesignlisteFuellen();
  modell->SpeicherName.Text = QStringLiteral("Berta");
  gelesen.clear();
  modell->SpeicherName_Click();
  EXPECT_THAT(gelesen, ElementsAre(u"2"));
  EXPECT_EQ(modell->txt_PZ_X[0], u"22");
  gelesen.clear();
  modell->SpeicherName.Text = QStringLiteral("Neu");
  modell->SpeicherName_KeyUp(13);
  EXPECT_TRUE(gelesen.empty());
  EXPECT_TRUE(modell->ArtNr.List.isEmpty());
}

TEST_F(EigenbauEditorTest, AnEntryThatIsNoNumberLeavesTheListAndTheFirstArticleLoads) {
  design("D", "1", "11");
  design("D", "2", "22");
  modell->ArtNr.Text = QStringLiteral("1");
  modell->ArtNr.List.append(QStringLiteral("x1"));
  modell->ArtNr.Text = QStringLiteral("x1");
  int synchron = 0;
  modell->synchronisieren = [&] { ++synchron; };
  modell->ArtikelAusListeEntfernen();
  EXPECT_THAT(modell->ArtNr.List, ElementsAre(u"1", u"2"));
  EXPECT_EQ(modell->ArtNr.Text, u"1");
  EXPECT_EQ(modell->txt_PZ_X[0], u"11");
  EXPECT_EQ(synchron, 1);
}

TEST_F(EigenbauEditorTest, FontButtonOpensTheEditorOnItsOneSlot) {
  EigenbauModell::SchriftdefBearbeiten(69);
  FrmSchriftdef& editor = fensterliste().holen<FrmSchriftdef>();
  EXPECT_TRUE(editor.isVisible());
  ASSERT_EQ(editor.Beschreibung->count(), 1);
  EXPECT_EQ(editor.P2->currentText(), u"69");
  EXPECT_EQ(startglobale().SchriftNrVon, 3);
  EXPECT_EQ(startglobale().SchriftNrBis, 67);
  EigenbauModell::SchriftdefBearbeiten(72);
  EXPECT_EQ(fensterliste().holen<FrmSchriftdef>().P2->currentText(), u"72");
}

TEST_F(EigenbauEditorTest, PageOfTheCurrentArticle) {
  // The i-th article needs i + 1 pages.
  kesto::activex::VSPrinter vp;
  vp.StartDoc();
  vp.NewPage();
  vp.NewPage();
  vp.EndDoc();
  modell->ArtNr.List = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
  vp.setPreviewPage(1);
  modell->ArtNr.Text = QStringLiteral("3");
  EXPECT_TRUE(BlattAnzeigen(*modell, vp));
  EXPECT_EQ(vp.PreviewPage(), 3);
  modell->ArtNr.Text = QStringLiteral("4");  // no fourth page: stays
  EXPECT_TRUE(BlattAnzeigen(*modell, vp));
  EXPECT_EQ(vp.PreviewPage(), 3);
  modell->ArtNr.Text = QStringLiteral("9");
  EXPECT_FALSE(BlattAnzeigen(*modell, vp));
  EXPECT_EQ(vp.PreviewPage(), 3);
}

TEST_F(EigenbauEditorTest, LandscapeDesignDoesNotLeaveThePreviewLandscape) {
  design("Quer", "1", "11");
  modell->O_Quer_Click();
  EigenbauUmfeld u = eigenbauUmfeld();
  u.RTF = &rtf;
  EigenbauZeichnen(*modell, u);
  ASSERT_EQ(u.vp->PageCount(), 1);
  EXPECT_EQ(u.vp->pages()[0].orientation, kesto::activex::PageOrientation::Landscape);
  EXPECT_EQ(u.vp->Orientation(), 0);
  // The next sign kind's document is upright.
  u.vp->StartDoc();
  u.vp->EndDoc();
  EXPECT_EQ(u.vp->pages()[0].orientation, kesto::activex::PageOrientation::Portrait);
}

TEST_F(EigenbauEditorTest, PageBarMovesTheEditorToAnArticleWithoutSavingTheOneLeft) {
  design("Bar", "1", "11");
  design("Bar", "2", "22");
  kesto::registry::SaveSetting("Vovida", "Eigenbau", "Fileablage", ablage().toStdString());
  eigenbauModellEntladen();
  EigenbauEintragen();
  EigenbauModell& m = eigenbauModell();
  EXPECT_EQ(m.SpeicherName.Text, u"Bar");
  EXPECT_EQ(m.ArtNr.Text, u"1");
  m.txt_PZ_X[0] = QStringLiteral("99");  // edited, not saved
  const Schildfenster* fenster = SchildfensterZu(QStringLiteral("EIGENBAU"));
  ASSERT_NE(fenster, nullptr);
  EXPECT_THAT(fenster->ArtNr(), ElementsAre(u"1", u"2"));
  fenster->artikelZeigen(QStringLiteral("2"));
  EXPECT_EQ(m.ArtNr.Text, u"2");
  EXPECT_EQ(m.txt_PZ_X[0], u"22");
  EXPECT_EQ(kesto::registry::GetSetting("Vovida\\Eigenbau\\Bar\\Artikel\\1", "ZPreis0", "X-Wert"), "11");
  EXPECT_EQ(kesto::registry::GetSetting("Vovida\\Eigenbau\\Bar\\Artikel\\2", "ZPreis0", "X-Wert"), "22");
  eigenbauModellEntladen();
}

TEST_F(EigenbauEditorTest, PrintChoiceListsEveryArticleAndClosesEachObject) {
  // An article the server does not know is listed too, without a text.
  const QStringList zeilen = DruckartikelZeilen({QStringLiteral("200001"), QStringLiteral("999999"), QStringLiteral("200002")});
  ASSERT_EQ(zeilen.size(), 3);
  EXPECT_EQ(zeilen[0], u";200001;Wandfliese Capri");
  EXPECT_EQ(zeilen[1], u";999999;");
  EXPECT_TRUE(zeilen[2].startsWith(u";200002;"));
  EXPECT_EQ(Serverarbeitstiefe(), 0);
  EXPECT_TRUE(DruckartikelZeilen({}).isEmpty());
}

// A body with a document, as the rich-text control has one.
class DokumentKoerper final : public Textkoerper {
 public:
  QString RichText() const override { return dokument.toPlainText(); }
  void setRichText(const QString& t) override { dokument.setPlainText(t); }
  void SaveFile(const QString& pfad) override {
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly)) f.write(dokument.toPlainText().toUtf8());
  }
  int LoadFile(const QString& pfad) override {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return 1;
    dokument.setPlainText(QString::fromUtf8(f.readAll()));
    return 0;
  }
  bool Vorlage() const override { return vorlage; }
  void setVorlage(bool an) override { vorlage = an; }
  QTextDocument* Dokument() override { return &dokument; }
  void geaendert() override { ++auffrischungen; }
  QTextDocument dokument;
  bool vorlage = false;
  int auffrischungen = 0;
};

TEST_F(EigenbauEditorTest, ReadingAnArticleIntoTheTemplateTakesItsDescriptionAndSavesTheArticle) {
  // The template's first three lines are placeholders.
  const QString logo = PfadAbbilden(ParameterText(QStringLiteral("PLAKAT"), QStringLiteral("FIRMENLOGO")).replace(u'@', u'\\'));
  QFile vorlage(logo + QStringLiteral("/eigenbau.rtf"));
  ASSERT_TRUE(vorlage.open(QIODevice::WriteOnly));
  vorlage.write("ZEILE 1\nZEILE 2\nZEILE 3\nAngebot gilt solange der Vorrat reicht.");
  vorlage.close();
  DokumentKoerper koerper;
  modell->RTF = &koerper;
  modell->artikelLesen = [](const QString&, QVector<QVariant>& daten) {
    daten[0] = QStringLiteral("Wandfliese Capri");
    daten[1] = QStringLiteral("30 x 60 cm");
    daten[2] = QStringLiteral("weiß glänzend");
    daten[13] = QStringLiteral("Ok");
  };
  modell->lesen(QStringLiteral("Neu"));
  modell->SpeicherName.Text = QStringLiteral("Neu");
  modell->ArtNr.Text = QStringLiteral("200001");
  modell->lesen(QStringLiteral("Neu"), QStringLiteral("200001"), true);
  EXPECT_EQ(koerper.dokument.toPlainText(),
            u"Wandfliese Capri\n30 x 60 cm\nweiß glänzend\nAngebot gilt solange der Vorrat reicht.");
  EXPECT_EQ(koerper.auffrischungen, 1);
  EXPECT_EQ(neustarts, 1);
  EXPECT_TRUE(QFile::exists(ablage() + QStringLiteral("Neu200001.rtf")));
  EXPECT_EQ(kesto::registry::GetSetting("Vovida\\Eigenbau\\Neu\\Artikel\\200001", "ZPreis0", "X-Wert"), "50");
}

}  // namespace
}  // namespace vovida::test
