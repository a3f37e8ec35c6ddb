#include "Suchumgebung.h"

#include "FMKnrsu.h"
#include "FMLnrsu.h"
#include "Fensterliste.h"
#include <activex/MaskEdit.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

#include <cmath>

namespace vovida::test {
namespace {

class KontosucheTest : public Suchumgebung {
 protected:
  template <class F>
  F& fenster() {
    F& f = fensterliste().holen<F>();
    f.Form_Load();
    return f;
  }
};

TEST_F(KontosucheTest, SupplierWindowLoadsAccountKindsAndColumns) {
  auto& f = fenster<FMLnrsu>();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Suche nach Lieferant"));
  ASSERT_EQ(f.SSKTOK->count(), 3);
  EXPECT_EQ(f.SSKTOK->itemText(1), QStringLiteral("2 | EU-Ausland"));
  EXPECT_EQ(f.SSKTOK->currentText(), QStringLiteral("1 | Inland"));
  EXPECT_EQ(f.LNRSULI->ColumnHeader(1), QStringLiteral("Lieferant.Nr."));
  EXPECT_EQ(f.LNRSULI->ColumnHeader(5), QStringLiteral("Straße"));
  const int breite = f.LNRSULI->WidthTwips();
  EXPECT_EQ(f.LNRSULI->ColumnWidthPx(3), int(std::lround(breite * 0.30 / 15)));
  EXPECT_EQ(f.LNRSULI->ColumnWidthPx(5), int(std::lround(breite * 0.44 / 15)));
}

TEST_F(KontosucheTest, CustomerWindowStartsWithAnEmptyGroup) {
  auto& f = fenster<FMKnrsu>();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Suche nach Kunden"));
  EXPECT_EQ(f.KNRSULI->ColumnHeader(1), QStringLiteral("KundenNr."));
  ASSERT_EQ(f.SKGRP->count(), 6);  // the empty item and the five active groups
  EXPECT_EQ(f.SKGRP->currentText(), QString());
  EXPECT_EQ(f.SKGRP->itemText(1), QStringLiteral("01 | Privatkunden"));
}

TEST_F(KontosucheTest, EmptySearchTermIsRefused) {
  auto& f = fenster<FMLnrsu>();
  f.BUSuch_Click();
  ASSERT_EQ(boxen->shown().size(), 1u);
  EXPECT_EQ(boxen->shown()[0].text, "Der Suchbegriff muss mindestens 1 Zeichen Lang sein");
  EXPECT_EQ(boxen->shown()[0].title, "Fehler: Suchbegriffseingabe");
  EXPECT_EQ(f.LNRSULI->Rows(), 0);
}

TEST_F(KontosucheTest, SupplierFilterSelectsTheCollectiveAccount) {
  auto& f = fenster<FMLnrsu>();
  f.SKBEZ->setText(QStringLiteral("b"));  // one character is enough
  struct Fall {
    const char* filter;
    int rest;  // suppliers 700001 + k belong to account 1 + k % 3
  };
  for (const Fall fall : {Fall{"2 | EU-Ausland", 1}, Fall{"", 0}, Fall{"3", 2}}) {
    SCOPED_TRACE(fall.filter);
    f.SSKTOK->setCurrentText(QString::fromUtf8(fall.filter));
    f.BUSuch_Click();
    const int n = f.LNRSULI->Rows();
    ASSERT_GT(n, 0);
    for (int r = 1; r <= n; ++r) {
      const int nr = zeile(*f.LNRSULI, r, 5).at(0).toInt();
      EXPECT_EQ((nr - 700001) % 3, fall.rest) << nr;
    }
  }
  EXPECT_TRUE(boxTexte().empty());
}

TEST_F(KontosucheTest, FilterThatIsNoNumberIsReportedAndKeepsTheRows) {
  auto& f = fenster<FMLnrsu>();
  f.SKBEZ->setText(QStringLiteral("B"));
  f.BUSuch_Click();
  const int vorher = f.LNRSULI->Rows();
  ASSERT_GT(vorher, 0);
  f.SSKTOK->setCurrentText(QStringLiteral("abc | x"));
  f.SKBEZ->setText(QStringLiteral("F"));
  f.BUSuch_Click();
  ASSERT_EQ(boxTexte().size(), 1u);
  EXPECT_EQ(boxTexte()[0].rfind("Vorgang: Suche Lieferantennummer.", 0), 0u) << boxTexte()[0];
  EXPECT_EQ(f.LNRSULI->Rows(), vorher);
}

TEST_F(KontosucheTest, RowsShowUmlautsAndAlternateColours) {
  auto& f = fenster<FMLnrsu>();
  f.SKBEZ->setText(QStringLiteral("BAUSTOFFWERKE"));
  f.BUSuch_Click();
  ASSERT_GE(f.LNRSULI->Rows(), 2);
  const QStringList erste = zeile(*f.LNRSULI, 1, 5);
  EXPECT_EQ(erste.at(0), QStringLiteral("700001"));
  EXPECT_EQ(erste.at(2), QStringLiteral("Baustoffwerke Müller"));
  EXPECT_EQ(erste.at(3), QStringLiteral("4020"));
  EXPECT_EQ(erste.at(4), QStringLiteral("Hauptstraße 1"));
  zeile(*f.LNRSULI, 2, 5);
  EXPECT_EQ(f.LNRSULI->zellFarbe(1, 5), VirtualList::Farbe(0xB4FFFF));
  EXPECT_EQ(f.LNRSULI->zellFarbe(2, 1), VirtualList::Farbe(0xFFFFFF));
}

TEST_F(KontosucheTest, CustomerSearchStopsAtFiveHundredRows) {
  auto& f = fenster<FMKnrsu>();
  KundenSuche();  // no term: every customer matches
  EXPECT_EQ(f.KNRSULI->Rows(), FerrixSuGlobale::kMaxKontoTreffer);
  EXPECT_FALSE(ferrixSu().KundenTreffer.back().Nummer.isEmpty());
  EXPECT_EQ(ferrixSu().KundenTreffer.size(), std::size_t(FerrixSuGlobale::kMaxKontoTreffer + 1));
}

TEST_F(KontosucheTest, CustomerGroupSendsItsTwoCharacters) {
  auto& f = fenster<FMKnrsu>();
  f.SKGRP->setCurrentIndex(1);  // "01 | Privatkunden"
  KundenSuche();
  const int n = f.KNRSULI->Rows();
  ASSERT_GT(n, 0);
  for (int r = 1; r <= n; ++r) EXPECT_EQ((ferrixSu().KundenTreffer[std::size_t(r)].Nummer.toInt() - 800001) % 5, 0);
  f.SKBEZ->setText(QStringLiteral("ZZZZ"));
  f.BUSuch_Click();
  EXPECT_EQ(f.KNRSULI->Rows(), 0);
}

// A person's click: the window may repaint between pressing and releasing the button.
void klicken(QWidget* knopf) {
  QTest::mousePress(knopf, Qt::LeftButton);
  for (int i = 0; i < 3; ++i) {
    knopf->window()->repaint();
    QCoreApplication::processEvents();
  }
  QTest::mouseRelease(knopf, Qt::LeftButton);
}

TEST_F(KontosucheTest, BothSearchButtonsSearchWhenClicked) {
  struct Fall {
    const char* begriff;
    std::function<QString()> dialog;
    const char* nummerBeginn;
  };
  const Fall faelle[] = {
      {"baustoff", [] { return LieferantenSuchDialog(); }, "7000"},
      {"b", [] {
         ferrixSu().KundenSuchErgebnis.clear();
         fensterliste().entladen<FMKnrsu>();
         auto& k = fensterliste().holen<FMKnrsu>();
         k.Form_Load();
         ModalZeigen(k);
         fensterliste().entladen<FMKnrsu>();
         return ferrixSu().KundenSuchErgebnis;
       }, "800"},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.begriff);
    int zeilen = -1;
    modalSkript.push_back([&](QWidget& w) {
      auto& f = dynamic_cast<Kontosuche&>(w);
      w.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
      QTest::keyClicks(f.SKBEZ, QString::fromUtf8(fall.begriff));
      klicken(f.BUSuch);
      zeilen = f.Liste->Rows();
      for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
      const QRect zelle = f.Liste->visualRect(f.Liste->model()->index(0, 0));
      QTest::mouseClick(f.Liste->viewport(), Qt::LeftButton, {}, zelle.center());
      QTest::mouseDClick(f.Liste->viewport(), Qt::LeftButton, {}, zelle.center());
    });
    const QString nummer = fall.dialog();
    EXPECT_GT(zeilen, 0);
    EXPECT_TRUE(nummer.startsWith(QString::fromUtf8(fall.nummerBeginn))) << nummer.toStdString();
    EXPECT_TRUE(boxTexte().empty());
  }
}

TEST_F(KontosucheTest, PickGivesTheNumberAndClosingGivesNothing) {
  QString zweite;
  modalSkript.push_back([&](QWidget& w) {
    auto& f = dynamic_cast<FMLnrsu&>(w);
    f.SKBEZ->setText(QStringLiteral("BAUSTOFF"));
    f.BUSuch_Click();
    zweite = zeile(*f.LNRSULI, 2, 5).at(0);
    f.LNRSULI->setCurRow(2);
    f.Liste_Pick();
  });
  EXPECT_EQ(LieferantenSuchDialog(), zweite);
  EXPECT_TRUE(zweite.startsWith(QStringLiteral("7000")));
  EXPECT_FALSE(fensterliste().geladen<FMLnrsu>());
  EXPECT_EQ(LieferantenSuchDialog(), QString());
}

}  // namespace
}  // namespace vovida::test
