#include "Suchumgebung.h"

#include "FMArtsu.h"
#include "FMLnrsu.h"
#include "Fensterliste.h"
#include <activex/MaskEdit.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>

namespace vovida::test {
namespace {

class ArtikelsucheTest : public Suchumgebung {
 protected:
  FMArtsu& fenster() {
    FMArtsu& f = fensterliste().holen<FMArtsu>();
    if (f.SAKTIV->count() == 0) f.Form_Load();
    return f;
  }
  // Selects the item that starts with the code.
  static void waehlen(QComboBox& box, const QString& code) {
    for (int i = 0; i < box.count(); ++i)
      if (ErstesWort(box.itemText(i)) == code) {
        box.setCurrentIndex(i);
        return;
      }
    FAIL() << "no item " << code.toStdString();
  }
};

TEST_F(ArtikelsucheTest, LoadingFillsFiltersAndColumns) {
  FMArtsu& f = fenster();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Suche nach Artikel"));
  ASSERT_GT(f.SHGRP->count(), 2);
  EXPECT_EQ(f.SHGRP->itemText(0), QString());
  EXPECT_EQ(f.SHGRP->itemText(1), QStringLiteral("1 Baustoffe"));
  EXPECT_EQ(f.SABTNR->itemText(0), QString());
  EXPECT_EQ(f.SABTNR->itemText(1), QStringLiteral("10 Baustoffe"));
  EXPECT_EQ(f.SAKTIV->currentText(), QStringLiteral("J"));
  EXPECT_EQ(f.SAKTIV->count(), 4);
  EXPECT_EQ(f.SGEL->currentText(), QString());
  EXPECT_EQ(f.SGEL->count(), 6);
  EXPECT_EQ(f.SUGRP->count(), 0);
  EXPECT_EQ(f.ARTSULI->ColumnHeader(2), QStringLiteral("Bezeichnung"));
  EXPECT_EQ(f.ARTSULI->ColumnWidthPx(2), 350);
  EXPECT_EQ(f.ARTSULI->ColumnWidthPx(3), 45);
  EXPECT_EQ(ferrixSu().Trefferanzahl, 0);
  EXPECT_TRUE(boxTexte().empty());
}

TEST_F(ArtikelsucheTest, MainGroupFillsOrEmptiesTheSubgroups) {
  FMArtsu& f = fenster();
  waehlen(*f.SHGRP, QStringLiteral("1"));
  f.SHGRP_Click();
  ASSERT_GT(f.SUGRP->count(), 1);
  EXPECT_EQ(f.SUGRP->itemText(0), QString());
  EXPECT_EQ(f.SUGRP->itemText(1), QStringLiteral("11 Zement & Mörtel"));
  f.SHGRP->setCurrentIndex(0);
  f.SHGRP_Click();
  EXPECT_EQ(f.SUGRP->count(), 0);
}

TEST_F(ArtikelsucheTest, SearchTermIsUpperCasedSpelledOutAndCut) {
  FMArtsu& f = fenster();
  f.SKBEZ->setText(QStringLiteral("straße über"));
  EXPECT_EQ(f.SKBEZ->text(), QStringLiteral("STRASSE UEBER"));
  f.SKBEZ->setText(QStringLiteral("äöüäöüäöüäöü"));
  EXPECT_EQ(f.SKBEZ->text(), QStringLiteral("AEOEUEAEOEUEAEOEUE"));
}

TEST_F(ArtikelsucheTest, ScrollingPagesThroughTheHits) {
  FMArtsu& f = fenster();
  f.SKBEZ->setText(QStringLiteral("holzschraube"));
  f.BUSuch_Click();
  const FerrixSuGlobale& g = ferrixSu();
  EXPECT_EQ(g.Trefferanzahl, 4);
  EXPECT_EQ(f.ARTSULI->Rows(), 6);  // more may follow
  EXPECT_EQ(zeile(*f.ARTSULI, 5, 3).at(1).left(12), QStringLiteral("Holzschraube"));
  EXPECT_EQ(g.Trefferanzahl, 8);
  EXPECT_EQ(f.ARTSULI->Rows(), 12);
  // Rows already loaded ask the server nothing.
  zeile(*f.ARTSULI, 2, 3);
  EXPECT_EQ(g.Trefferanzahl, 8);
  // Scroll on until the search is complete.
  while (f.ARTSULI->Rows() > g.Trefferanzahl) zeile(*f.ARTSULI, g.Trefferanzahl + 1, 3);
  EXPECT_GT(g.Trefferanzahl, 12);
  EXPECT_EQ(f.ARTSULI->Rows(), g.Trefferanzahl);
  EXPECT_EQ(f.ARTSULI->CurRow(), g.Trefferanzahl);
  for (int r = 1; r <= g.Trefferanzahl; ++r)
    EXPECT_TRUE(g.ArtikelTreffer[std::size_t(r)].Bezeichnung.startsWith(QStringLiteral("Holzschraube"))) << r;
  EXPECT_TRUE(boxTexte().empty());
}

TEST_F(ArtikelsucheTest, RowsAlternatePaleYellowAndWhite) {
  FMArtsu& f = fenster();
  f.SKBEZ->setText(QStringLiteral("HOLZSCHRAUBE"));
  f.BUSuch_Click();
  const QStringList erste = zeile(*f.ARTSULI, 1, 3);
  EXPECT_EQ(erste.at(0), ferrixSu().ArtikelTreffer[1].ArtNr);
  EXPECT_EQ(erste.at(2), ferrixSu().ArtikelTreffer[1].AbtNr);
  zeile(*f.ARTSULI, 2, 3);
  for (int s = 1; s <= 3; ++s) {
    EXPECT_EQ(f.ARTSULI->zellFarbe(1, s), VirtualList::Farbe(0xB4FFFF));
    EXPECT_EQ(f.ARTSULI->zellFarbe(2, s), VirtualList::Farbe(0xFFFFFF));
  }
}

// How many hits a search ends with, and how the list looks on the way.
TEST_F(ArtikelsucheTest, SmallSearchesEndAsTheyShould) {
  struct Fall {
    const char* begriff;
    const char* aktiv;
    const char* gelistet;
    int ersteZeilen;  // rows offered after the first page
    int treffer;      // hits once complete
  };
  const Fall faelle[] = {
      {"QQQQ", "J", "", 0, 0},             // nothing: no rows, no current row
      {"RESTPOSTEN", "", "J", 2, 2},       // fewer than a page: complete at once
      {"LAMINAT", "J", "", 1, 1},          // one hit
      {"RESTPOSTEN", "J", "", 3, 3},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.begriff);
    FMArtsu& f = fenster();
    f.SKBEZ->setText(QString::fromUtf8(fall.begriff));
    f.SAKTIV->setCurrentText(QString::fromUtf8(fall.aktiv));
    f.SGEL->setCurrentText(QString::fromUtf8(fall.gelistet));
    f.BUSuch_Click();
    EXPECT_EQ(f.ARTSULI->Rows(), fall.ersteZeilen);
    EXPECT_EQ(ferrixSu().Trefferanzahl, fall.treffer);
    EXPECT_EQ(f.ARTSULI->CurRow(), fall.treffer);
  }
}

TEST_F(ArtikelsucheTest, ExactlyOnePageOffersMoreRowsUntilTheEmptyPage) {
  FMArtsu& f = fenster();
  f.SKBEZ->setText(QStringLiteral("HOLZSCHRAUBE GR."));  // sizes "Gr. 1" to "Gr. 4"
  f.BUSuch_Click();
  ASSERT_EQ(ferrixSu().Trefferanzahl, 4);
  EXPECT_EQ(f.ARTSULI->Rows(), 6);
  EXPECT_EQ(zeile(*f.ARTSULI, 5, 3), QStringList({QString(), QString(), QString()}));
  EXPECT_EQ(f.ARTSULI->Rows(), 4);
  EXPECT_EQ(f.ARTSULI->CurRow(), 4);
}

TEST_F(ArtikelsucheTest, PaintingAsksForRowsOnlyOnceControlIsBack) {
  FMArtsu& f = fenster();
  f.SKBEZ->setText(QStringLiteral("HOLZSCHRAUBE"));
  f.BUSuch_Click();
  const QModelIndex zelle = f.ARTSULI->model()->index(4, 1);  // row 5, beyond the loaded hits
  EXPECT_EQ(f.ARTSULI->model()->data(zelle).toString(), QString());
  EXPECT_EQ(ferrixSu().Trefferanzahl, 4);
  QCoreApplication::processEvents();
  EXPECT_EQ(ferrixSu().Trefferanzahl, 8);
  EXPECT_EQ(f.ARTSULI->model()->data(zelle).toString(), ferrixSu().ArtikelTreffer[5].Bezeichnung);
}

TEST_F(ArtikelsucheTest, NewSearchForgetsTheHitsOfTheLastOne) {
  FMArtsu& f = fenster();
  f.SKBEZ->setText(QStringLiteral("HOLZSCHRAUBE"));
  f.BUSuch_Click();
  zeile(*f.ARTSULI, 5, 3);
  f.SKBEZ->setText(QStringLiteral("LAMINAT"));
  f.BUSuch_Click();
  EXPECT_EQ(ferrixSu().Trefferanzahl, 1);
  EXPECT_TRUE(ferrixSu().ArtikelTreffer[2].ArtNr.isEmpty());
}

// What the user sees in a row of the shown list.
QStringList angezeigt(VirtualList& liste, int zeile) {
  QStringList zellen;
  for (int s = 0; s < liste.model()->columnCount(); ++s)
    zellen << liste.model()->data(liste.model()->index(zeile - 1, s)).toString();
  return zellen;
}

void suchenMitMaus(FMArtsu& f, const QString& begriff) {
  f.SKBEZ->clear();
  QTest::keyClicks(f.SKBEZ, begriff);
  QTest::mouseClick(f.BUSuch, Qt::LeftButton);
  // The list asks for the rows it shows once control is back.
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

TEST_F(ArtikelsucheTest, SecondSearchShowsAndGivesOnlyItsOwnRows) {
  QString gezeigt, gewaehlt;
  modalSkript.push_back([&](QWidget& w) {
    auto& f = dynamic_cast<FMArtsu&>(w);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    suchenMitMaus(f, QStringLiteral("restposten"));  // three hits, complete at once
    ASSERT_EQ(ferrixSu().Trefferanzahl, 3);
    EXPECT_EQ(angezeigt(*f.ARTSULI, 1).at(1), ferrixSu().ArtikelTreffer[1].Bezeichnung);
    suchenMitMaus(f, QStringLiteral("holzschraube"));  // full pages, loaded as the list shows them
    ASSERT_GE(ferrixSu().Trefferanzahl, 4);
    for (int r = 1; r <= 3; ++r)
      EXPECT_TRUE(angezeigt(*f.ARTSULI, r).at(1).startsWith(QStringLiteral("Holzschraube"))) << r;
    // The article number column shows the whole number.
    const QString nummer = angezeigt(*f.ARTSULI, 1).at(0);
    EXPECT_GT(f.ARTSULI->columnWidth(0), f.ARTSULI->fontMetrics().horizontalAdvance(nummer) + 6);
    gezeigt = nummer;
    const QRect zelle = f.ARTSULI->visualRect(f.ARTSULI->model()->index(0, 1));
    QTest::mouseClick(f.ARTSULI->viewport(), Qt::LeftButton, {}, zelle.center());
    QTest::mouseDClick(f.ARTSULI->viewport(), Qt::LeftButton, {}, zelle.center());
    gewaehlt = ferrixSu().ArtikelSuchErgebnis;
  });
  EXPECT_EQ(ArtikelSuchDialog(), gewaehlt);
  EXPECT_FALSE(gezeigt.isEmpty());
  EXPECT_EQ(gewaehlt, gezeigt);
  EXPECT_EQ(gewaehlt, ferrixSu().ArtikelTreffer[1].ArtNr);
}

TEST_F(ArtikelsucheTest, FullStoreEndsTheSearch) {
  FMArtsu& f = fenster();
  f.SKBEZ->setText(QStringLiteral("HOLZSCHRAUBE"));
  f.BUSuch_Click();
  FerrixSuGlobale& g = ferrixSu();
  g.Trefferanzahl = FerrixSuGlobale::kMaxArtikelTreffer - 2;
  ArtikelSucheAusfuehren();  // a full page, of which two fit
  EXPECT_EQ(g.Trefferanzahl, FerrixSuGlobale::kMaxArtikelTreffer);
  EXPECT_EQ(f.ARTSULI->Rows(), FerrixSuGlobale::kMaxArtikelTreffer);
  EXPECT_FALSE(g.ArtikelTreffer.back().ArtNr.isEmpty());
}

TEST_F(ArtikelsucheTest, QuotesInTheSearchTermReachTheServerAsText) {
  FMArtsu& f = fenster();
  f.SKBEZ->setText(QStringLiteral("ZE\",\"\",\"\""));
  f.BUSuch_Click();
  EXPECT_TRUE(boxTexte().empty());
  EXPECT_EQ(ferrixSu().Trefferanzahl, 0);
}

TEST_F(ArtikelsucheTest, PickedRowIsTheDialogsResult) {
  QString gewaehlt;
  modalSkript.push_back([&](QWidget& w) {
    auto& f = dynamic_cast<FMArtsu&>(w);
    f.SKBEZ->setText(QStringLiteral("HOLZSCHRAUBE"));
    f.BUSuch_Click();
    gewaehlt = ferrixSu().ArtikelTreffer[3].ArtNr;
    f.ARTSULI->setCurRow(3);
    f.ARTSULI_Pick();
  });
  EXPECT_EQ(ArtikelSuchDialog(), gewaehlt);
  EXPECT_FALSE(gewaehlt.isEmpty());
  EXPECT_FALSE(fensterliste().geladen<FMArtsu>());
  // Closed without a pick: nothing chosen, and the next dialog starts afresh.
  modalSkript.push_back([](QWidget& w) {
    auto& f = dynamic_cast<FMArtsu&>(w);
    EXPECT_EQ(f.SKBEZ->text(), QString());
    EXPECT_EQ(ferrixSu().Trefferanzahl, 0);
    w.hide();
  });
  EXPECT_EQ(ArtikelSuchDialog(), QString());
}

// The name field's mask upper-cases and cuts the server's name.
TEST_F(ArtikelsucheTest, SupplierNumberShowsTheName) {
  FMArtsu& f = fenster();
  f.SLNR->setText(QStringLiteral("700001"));
  f.SLNR_KeyUp(13, 0);
  EXPECT_EQ(f.LBEZ->text(), QStringLiteral("BAUSTOFFWERKE MÜLL"));
  f.SLNR->setText(QStringLiteral("799999"));
  f.SLNR_KeyUp(13, 0);
  EXPECT_EQ(f.LBEZ->text(), QString());
}

TEST_F(ArtikelsucheTest, HomeOpensTheSupplierSearch) {
  FMArtsu& f = fenster();
  modalSkript.push_back([](QWidget& w) {
    auto& l = dynamic_cast<FMLnrsu&>(w);
    l.SKBEZ->setText(QStringLiteral("BAUSTOFF"));
    l.BUSuch_Click();
    l.LNRSULI->setCurRow(1);
    l.Liste_Pick();
  });
  f.SLNR_KeyUp(36, 0);
  EXPECT_EQ(f.SLNR->text(), QStringLiteral("700001"));
  EXPECT_EQ(f.LBEZ->text(), QStringLiteral("BAUSTOFFWERKE MÜLL"));
  // Closed without a choice: the number goes, the name stays.
  modalSkript.push_back([](QWidget& w) { w.hide(); });
  f.Suchen_Click();
  EXPECT_EQ(f.SLNR->text(), QString());
  EXPECT_EQ(f.LBEZ->text(), QStringLiteral("BAUSTOFFWERKE MÜLL"));
  EXPECT_EQ(modalGezeigt, (std::vector<std::string>{"FMLnrsu", "FMLnrsu"}));
}

}  // namespace
}  // namespace vovida::test
