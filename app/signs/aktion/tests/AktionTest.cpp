// The sign kind "AKTION" against the demo server: the promotion list, the article list,
// and what OK does to the poster editor's queue, the sign kind and the poster preview.
#include "PlakatFenster.h"

#include "Eingabe.h"

#include "Aktion.h"
#include "Eingabe.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "Startglobale.h"
#include "Warteschlange.h"
#include "frmAktionsauswahl.h"
#include "frmArtikelauswahl.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionViewItem>
#include <QTest>

#include <activex/ColumnList.h>
#include <activex/Renderer.h>

namespace vovida::test {
namespace {

using kesto::test::boxtext;
const char* const kPlakatarten[] = {"A4N", "A3N", "A4F", "A3F"};

class AktionTest : public PlakatFenster {
 protected:
  void SetUp() override {
    PlakatFenster::SetUp();
    AktionEinrichten();
    einrichten("A4N");
    start().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&start()));
  }

  // A click on the round box of an option button.
  static void knopf(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); }

  // The user picks "Aktionsartikel" on the main window, or "Daten Eingabe" when it is
  // picked already: the promotion list, active.
  frmAktionsauswahl& aktionWaehlen() {
    QRadioButton* option = start().Option(QStringLiteral("AKTION"));
    if (option->isChecked())
      QTest::mouseClick(start().CBDaten, Qt::LeftButton);
    else
      knopf(option);
    EXPECT_EQ(startglobale().Plakatart, QStringLiteral("AKTION"));
    EXPECT_TRUE(fensterliste().geladen<frmAktionsauswahl>());
    frmAktionsauswahl& f = FormHolen<frmAktionsauswahl>();
    // The window manager activates a window that opens; the headless platform does not
    // for a window with an owner.
    aktivieren(f);
    return f;
  }
  static void zeileKlicken(kesto::activex::ColumnList& liste, int zeile) {
    const QRect r = liste.visualItemRect(liste.topLevelItem(zeile));
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, r.center());
  }
  // Clicks the check box of the row, where the list's own delegate looks for it.
  static void ankreuzen(kesto::activex::ColumnList& liste, int zeile) {
    const QModelIndex index = liste.model()->index(zeile, 0);
    QStyleOptionViewItem opt;
    opt.initFrom(liste.viewport());
    opt.rect = liste.visualRect(index);
    opt.features = QStyleOptionViewItem::HasCheckIndicator;
    const QRect kasten = liste.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, &liste);
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, kasten.center());
  }
  // Chooses the promotion in the list by a click and confirms: the article list.
  frmArtikelauswahl& promotionOeffnen(const QString& code) {
    frmAktionsauswahl& auswahl = aktionWaehlen();
    kesto::activex::ColumnList& liste = *auswahl.lst_AKZ;
    for (int r = 0; r < liste.ListCount(); ++r)
      if (liste.ColumnText(r, 1) == code) zeileKlicken(liste, r);
    QTest::mouseClick(auswahl.OKButton, Qt::LeftButton);
    EXPECT_FALSE(fensterliste().geladen<frmAktionsauswahl>());
    EXPECT_TRUE(fensterliste().geladen<frmArtikelauswahl>());
    return FormHolen<frmArtikelauswahl>();
  }
  static QStringList zeilen(const kesto::activex::ColumnList& liste) {
    QStringList z;
    for (int r = 0; r < liste.ListCount(); ++r) z << liste.List(r);
    return z;
  }
  frmPlakat& poster() { return editor(); }
};

TEST_F(AktionTest, PromotionListShowsEveryPromotionWithItsDaysAndNoDuplicatesOnReactivation) {
  auto& vorschau = start().VSPrinter1;
  vorschau.StartDoc();
  vorschau.Text("vorher");
  vorschau.EndDoc();
  frmAktionsauswahl& f = aktionWaehlen();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Auswahl der zur Verfügung stehenden Aktionskennzeichen"));
  // In front of the main window, like every editor.
  EXPECT_EQ(f.windowHandle()->transientParent(), start().windowHandle());
  const QStringList erwartet{QStringLiteral("FJ;08.03.2024;05.04.2024;Frühjahrsaktion"),
                             QStringLiteral("GA;29.03.2024;26.04.2024;Gartenwochen"),
                             QStringLiteral("LE;15.03.2024;25.03.2024;Lagerräumung"),
                             QStringLiteral("WI;16.12.2023;14.02.2024;Winterschluss")};
  EXPECT_EQ(zeilen(*f.lst_AKZ), erwartet);
  EXPECT_EQ(f.lst_AKZ->topLevelItem(0)->data(0, Qt::CheckStateRole), QVariant());  // no check column

  // Away to the main window and back: filled anew, not added to.
  start().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&start()));
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  EXPECT_EQ(zeilen(*f.lst_AKZ), erwartet);
  // "AKTION" draws nothing: the preview keeps its page.
  ASSERT_EQ(seiten().size(), 1u);
  EXPECT_EQ(seiten()[0].ops.size(), 1u);
}

TEST_F(AktionTest, OkWithoutASelectedPromotionDoesNothing) {
  frmAktionsauswahl& f = aktionWaehlen();
  QTest::mouseClick(f.OKButton, Qt::LeftButton);
  EXPECT_TRUE(fensterliste().geladen<frmAktionsauswahl>());
  EXPECT_FALSE(fensterliste().geladen<frmArtikelauswahl>());
  EXPECT_TRUE(boxTexte().empty());
}

TEST_F(AktionTest, CancelClosesEitherWindowWithoutChanges) {
  QTest::mouseClick(aktionWaehlen().CancelButton, Qt::LeftButton);
  EXPECT_FALSE(fensterliste().geladen<frmAktionsauswahl>());
  EXPECT_FALSE(fensterliste().geladen<frmArtikelauswahl>());

  frmArtikelauswahl& artikel = promotionOeffnen(QStringLiteral("FJ"));
  ankreuzen(*artikel.lst_Artikel, 0);
  QTest::mouseClick(artikel.CancelButton, Qt::LeftButton);
  EXPECT_FALSE(fensterliste().geladen<frmArtikelauswahl>());
  EXPECT_EQ(startglobale().Plakatart, QStringLiteral("AKTION"));
  EXPECT_TRUE(poster().Liste().isEmpty());
}

TEST_F(AktionTest, ThreeTickedArticlesOnPlainA3BecomeThreeA3NPosters) {
  frmArtikelauswahl& f = promotionOeffnen(QStringLiteral("FJ"));
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Auswahl der zur Verfügung stehenden Aktionsartikel"));
  kesto::activex::ColumnList& liste = *f.lst_Artikel;
  ASSERT_EQ(liste.ListCount(), 8);
  EXPECT_EQ(liste.List(0), QStringLiteral(";100001;08.03.2024;05.04.2024;6,29;Zement CEM II 42,5"));
  for (int r = 0; r < 8; ++r) {
    EXPECT_EQ(liste.ColumnText(r, 3), QStringLiteral("08.03.2024")) << r;
    EXPECT_EQ(liste.ColumnText(r, 4), QStringLiteral("05.04.2024")) << r;
  }
  for (int r : {1, 4, 7}) ankreuzen(liste, r);
  for (int r = 0; r < 8; ++r) EXPECT_EQ(liste.ItemMark(r), (r == 1 || r == 4 || r == 7) ? 1 : 0) << r;
  knopf(f.radio_A3);
  knopf(f.radio_Normalpapier);
  ASSERT_TRUE(f.radio_A3->isChecked());

  QTest::mouseClick(f.OKButton, Qt::LeftButton);

  EXPECT_FALSE(fensterliste().geladen<frmArtikelauswahl>());
  EXPECT_EQ(startglobale().Plakatart, QStringLiteral("A3N"));
  EXPECT_TRUE(start().Option(QStringLiteral("A3N"))->isChecked());
  // The article numbers of column 2, in list order.
  EXPECT_EQ(poster().Liste(), (QStringList{liste.ColumnText(1, 2), liste.ColumnText(4, 2), liste.ColumnText(7, 2)}));
  EXPECT_EQ(poster().Liste(),
            (QStringList{QStringLiteral("100003"), QStringLiteral("100010"), QStringLiteral("100021")}));
  ASSERT_EQ(seiten().size(), 3u);
  const char* const bezeichnungen[] = {"Dispersionsfarbe", "Mineralwolle", "Außenputz"};
  for (std::size_t p = 0; p < 3; ++p) {
    EXPECT_EQ(seiten()[p].paperSize, 8) << p;  // A3
    EXPECT_NE(boxtext(seiten()[p].ops, bezeichnungen[p]), nullptr) << p;
  }
  if (const QString ordner = qEnvironmentVariable("KESTO_SCREENSHOTS"); !ordner.isEmpty())
    kesto::activex::renderPageImage(seiten()[0], 50).save(ordner + QStringLiteral("/aktion-a3n-100003.png"));
}

TEST_F(AktionTest, PromotionWithoutArticlesEmptiesThePosterListAndDrawsOnePage) {
  poster().setArtNrText(QStringLiteral("100001"));
  poster().Read_Click();
  ASSERT_EQ(poster().Liste().size(), 1);

  frmArtikelauswahl& f = promotionOeffnen(QStringLiteral("LE"));
  EXPECT_EQ(f.lst_Artikel->ListCount(), 0);
  f.EinlesenAktionsartikel(QString());  // an empty code lists nothing
  EXPECT_EQ(f.lst_Artikel->ListCount(), 0);
  QTest::mouseClick(f.OKButton, Qt::LeftButton);

  EXPECT_TRUE(poster().Liste().isEmpty());
  EXPECT_EQ(startglobale().Plakatart, QStringLiteral("A4N"));
  EXPECT_EQ(seiten().size(), 1u);
  // The store keeps the sections of posters queued before.
  EXPECT_TRUE(WarteschlangeAbschnitte().contains(QStringLiteral("100001")));
}

TEST_F(AktionTest, AnArticleWithoutRecordIsReportedAndNotQueued) {
  frmArtikelauswahl& f = promotionOeffnen(QStringLiteral("WI"));
  ASSERT_EQ(f.lst_Artikel->ListCount(), 5);
  EXPECT_EQ(f.lst_Artikel->ColumnText(4, 2), QStringLiteral("100099"));
  for (int r = 0; r < 5; ++r) ankreuzen(*f.lst_Artikel, r);
  QTest::mouseClick(f.OKButton, Qt::LeftButton);
  EXPECT_EQ(poster().Liste(), (QStringList{QStringLiteral("100008"), QStringLiteral("100009"), QStringLiteral("100014"),
                                           QStringLiteral("100015")}));
  const std::vector<std::string> texte = boxTexte();
  ASSERT_EQ(texte.size(), 1u);
  EXPECT_NE(texte[0].find("Angeforderte Artikelnummer (100099) nicht bekannt!"), std::string::npos) << texte[0];
  EXPECT_EQ(seiten().size(), 4u);
}

// A failed read leaves nothing of the article read before: not in the editor's boxes, not
// on the sheet; the number stays, so that the user sees which one failed.
TEST_F(AktionTest, AnUnknownArticleAfterAKnownOneShowsNoneOfTheKnownOnesTexts) {
  frmArtikelauswahl& f = promotionOeffnen(QStringLiteral("WI"));
  ASSERT_EQ(f.lst_Artikel->ColumnText(0, 2), QStringLiteral("100008"));
  ASSERT_EQ(f.lst_Artikel->ColumnText(4, 2), QStringLiteral("100099"));
  for (int r : {0, 4}) ankreuzen(*f.lst_Artikel, r);
  QTest::mouseClick(f.OKButton, Qt::LeftButton);
  EXPECT_EQ(poster().Liste(), QStringList{QStringLiteral("100008")});
  frmPlakat& p = poster();
  EXPECT_EQ(p.ArtNrText(), QStringLiteral("100099"));
  for (QLineEdit* feld : {p.Bez1, p.Bez2, p.Bez3, p.PreisDB, p.PreisEUR, p.Grundpreis, p.Per, p.Preis_Info})
    EXPECT_TRUE(feld->text().isEmpty()) << feld->objectName().toStdString() << ": " << feld->text().toStdString();
  const Schildtexte bekannt = SchildtexteLesen(QStringLiteral("100008"));
  ASSERT_FALSE(bekannt.bez1.isEmpty());
  for (const kesto::activex::Page& seite : seiten()) {
    EXPECT_EQ(boxtext(seite.ops, bekannt.bez1.toStdString()), nullptr);
    EXPECT_EQ(boxtext(seite.ops, "ArtNr.: 100008"), nullptr);
  }
}

// The information text typed for one article ("Statt ...") is not that of the next one read.
TEST_F(AktionTest, TheInformationTextStaysWithItsArticle) {
  frmPlakat& p = poster();
  FormZeigen<frmPlakat>(&start());
  ersetzen(*p.ArtNr, QStringLiteral("100008"));
  klicken(*p.Read);
  ersetzen(*p.Preis_Info, QStringLiteral("Statt 9,99"));
  klicken(*p.Uebernehmen);
  ersetzen(*p.ArtNr, QStringLiteral("100009"));
  klicken(*p.Read);
  EXPECT_TRUE(p.Preis_Info->text().isEmpty()) << p.Preis_Info->text().toStdString();
  EXPECT_EQ(SchildtexteLesen(QStringLiteral("100008")).info, QStringLiteral("Statt 9,99"));
  EXPECT_TRUE(SchildtexteLesen(QStringLiteral("100009")).info.isEmpty());
}

// Ticking nothing still empties the poster list; the paper choice alone sets the kind.
TEST_F(AktionTest, PaperChoiceSetsThePosterKind) {
  struct Fall {
    bool a3;
    bool firmen;
    const char* code;
  };
  const Fall faelle[] = {{false, true, "A4F"}, {false, false, "A4N"}, {true, false, "A3N"}, {true, true, "A3F"}};
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.code);
    poster().setArtNrText(QStringLiteral("100001"));
    poster().Read_Click();
    frmArtikelauswahl& f = promotionOeffnen(QStringLiteral("GA"));
    knopf(fall.a3 ? f.radio_A3 : f.radio_A4);
    knopf(fall.firmen ? f.radio_Firmenpapier : f.radio_Normalpapier);
    QTest::mouseClick(f.OKButton, Qt::LeftButton);
    EXPECT_EQ(startglobale().Plakatart, QString::fromLatin1(fall.code));
    for (const char* code : kPlakatarten)
      EXPECT_EQ(start().Option(QString::fromLatin1(code))->isChecked(), qstrcmp(code, fall.code) == 0) << code;
    EXPECT_TRUE(poster().Liste().isEmpty());
    // The kind's handler ran: the editor opened with the headline free on plain paper only.
    EXPECT_TRUE(poster().isVisible());
    EXPECT_EQ(poster().Ueberschrift->isEnabled(), !fall.firmen);
    QCoreApplication::processEvents();  // the closed pickers go
  }
}

// Both pickers as the user sees them; KESTO_SCREENSHOTS names a folder to keep them.
TEST_F(AktionTest, BothPickersOnScreen) {
  const QString ordner = qEnvironmentVariable("KESTO_SCREENSHOTS");
  frmAktionsauswahl& auswahl = aktionWaehlen();
  zeileKlicken(*auswahl.lst_AKZ, 0);
  const QImage liste = auswahl.grab().toImage();
  EXPECT_FALSE(liste.isNull());
  if (!ordner.isEmpty()) liste.save(ordner + QStringLiteral("/aktionsauswahl.png"));
  QTest::mouseClick(auswahl.OKButton, Qt::LeftButton);
  frmArtikelauswahl& artikel = FormHolen<frmArtikelauswahl>();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&artikel));
  for (int r : {1, 4, 7}) ankreuzen(*artikel.lst_Artikel, r);
  knopf(artikel.radio_A3);
  const QImage artikelbild = artikel.grab().toImage();
  EXPECT_FALSE(artikelbild.isNull());
  if (!ordner.isEmpty()) artikelbild.save(ordner + QStringLiteral("/artikelauswahl.png"));
}

TEST(Aktionsschluessel, CountAndKeys) {
  struct Fall {
    const char* antwort;
    QStringList schluessel;
  };
  const Fall faelle[] = {
      {"4|FJ|GA|LE|WI", {"FJ", "GA", "LE", "WI"}},
      {"0", {}},
      {"", {}},
      {"x|FJ", {}},              // a count that is no number counts 0
      {"3|FJ|GA", {"FJ", "GA"}}, // a key the list lacks is not asked for
      {"2|FJ||GA", {"FJ"}},      // nor an empty one (it would give the whole list)
      {"1|FJ|GA", {"FJ"}},
  };
  for (const Fall& fall : faelle)
    EXPECT_EQ(Aktionsschluessel(QString::fromUtf8(fall.antwort)), fall.schluessel) << fall.antwort;
}

TEST(AktionsDatum, ServerDatesInTheShortForm) {
  const std::pair<const char*, const char*> faelle[] = {
      {"1240315", "15.03.2024"}, {"991231", "31.12.1999"}, {"1240230", ""}, {"abc", ""}, {"", ""}};
  for (const auto& [zahl, text] : faelle)
    EXPECT_EQ(AktionsDatum(QString::fromLatin1(zahl)), QString::fromLatin1(text)) << zahl;
}

}  // namespace
}  // namespace vovida::test
