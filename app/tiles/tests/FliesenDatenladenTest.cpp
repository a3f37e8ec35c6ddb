#include "Fliesenumgebung.h"

#include "PlakatGlobal.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVector>

namespace vovida::test {
namespace {

class FliesenDatenladenTest : public Fliesenumgebung {};

QVector<QVariant> artikel(const char* nummer) {
  QVector<QVariant> a(kArtikelDatenGroesse);
  ArtikelLesen(QString::fromLatin1(nummer), a);
  return a;
}

TEST_F(FliesenDatenladenTest, ServerTileDataFillTheRecordsAndTheMemoryKeepsOnlyNumbers) {
  frmFliesenSchild& f = editor();
  ASSERT_TRUE(fliesendaten().Automatik);
  eingeben(*f.ArtNr, QStringLiteral("200001"));
  const Fliesendaten& d = fliesendaten();
  EXPECT_EQ(d.haupt(1), QStringLiteral("Capri"));
  EXPECT_EQ(d.haupt(5), QStringLiteral("PEI 2"));
  EXPECT_EQ(d.haupt(8), QStringLiteral("Nein"));  // FROST "N"
  EXPECT_EQ(d.haupt(18), QStringLiteral("F10"));
  EXPECT_EQ(d.haupt(6), QStringLiteral("Lagernd"));  // article type "L"
  ASSERT_EQ(f.Fliesentype->count(), 2);
  EXPECT_EQ(f.Fliesentype->itemText(0), QStringLiteral("Wandfliese"));
  EXPECT_EQ(f.Fliesentype->itemText(1), QStringLiteral("Unifliese"));
  const char* unter[] = {"200101", "200102", "200103"};
  for (int zeile = 1; zeile <= 3; ++zeile) {
    SCOPED_TRACE(zeile);
    EXPECT_EQ(d.unter(zeile, 1), QString::fromLatin1(unter[zeile - 1]));
    EXPECT_EQ(d.unter(zeile, 10), QStringLiteral("0"));
    EXPECT_EQ(d.unter(zeile, 6), artikel(unter[zeile - 1])[3].toString());
  }
  EXPECT_EQ(d.unter(1, 2), QStringLiteral("Bordüre"));
  EXPECT_EQ(d.unter(1, 3), QStringLiteral("Capri BO"));
  EXPECT_TRUE(d.zeileLeer(4));

  klicken(f.Uebernehmen);
  const auto werte = speicher(kWandfliese, "200001");
  std::map<std::string, std::string> erwartet{{"Default", ""}, {"Pos1", "200101"}, {"Pos2", "200102"}, {"Pos3", "200103"}};
  for (int i = 4; i <= 11; ++i) erwartet["Pos" + std::to_string(i)] = "";
  EXPECT_EQ(werte, erwartet);
}

TEST_F(FliesenDatenladenTest, ServerFailuresNameTheArticleExactly) {
  struct Fall {
    const char* nummer;
    const char* vorgang;
  };
  const Fall faelle[] = {
      {"200016", "Vorgang: Fliesendaten zu Artikel 200016 nicht angelegt."},
      {"200017", "Vorgang: Fliesendaten zu Artikel 200112 nicht angelegt."},  // the twelfth row
      {"200018", "Vorgang: Fliesentype nicht bekannt bitte anlegen! 9."},
      {"200019", "Vorgang: Fliesendaten zu Artikel 200141 nicht angelegt."},
  };
  frmFliesenSchild& f = editor();
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.nummer);
    const std::size_t vorher = boxen->shown().size();
    eingeben(*f.ArtNr, QString::fromLatin1(fall.nummer));
    const auto gezeigt = boxen->shown();
    ASSERT_EQ(gezeigt.size(), vorher + 1);
    EXPECT_TRUE(gezeigt.back().text.starts_with(std::string(fall.vorgang) + "\r\n\r\nFehler: ")) << gezeigt.back().text;
    EXPECT_EQ(gezeigt.back().title, "Kesto Zugriffsfehler");
  }
  // Rows taken before the twelfth keep their new values.
  eingeben(*f.ArtNr, QStringLiteral("200017"));
  EXPECT_EQ(fliesendaten().unter(1, 1), QStringLiteral("200101"));
  EXPECT_EQ(fliesendaten().unter(11, 1), QStringLiteral("200111"));
}

TEST_F(FliesenDatenladenTest, StoredRowsComeBackByTheirOwnFiguresFlag) {
  automatik(false);
  const QString typ = kWandfliese;
  speichern(typ, "200001", "Alias", "Gespeichert");
  speichern(typ, "200001", "Pos2", "200102|Bordüre|A2|4711|xx|0|a|b|c|d|0");
  speichern(typ, "200001", "Pos3", "200103|Dekor|Mein Alias|TAM|m²|1|Stk|6|1,44|6|0");
  speichern(typ, "200001", "Pos5", "200105|Bild");
  frmFliesenSchild& f = editor();
  ASSERT_FALSE(fliesendaten().Automatik);
  ASSERT_EQ(f.ArtNr->currentText(), QStringLiteral("200001"));
  const Fliesendaten& d = fliesendaten();
  // The main read gives the alias from the article while automatic data is off; the
  // memory's alias is the one of the boxes only after a take-over.
  EXPECT_EQ(d.haupt(6), QStringLiteral("Lagernd"));
  EXPECT_EQ(f.Fliesentype->count(), 12);
  EXPECT_EQ(f.ZeilenText->itemText(11), QStringLiteral("Listelle"));

  // Own figures: per text and packaging from the memory, no company number.
  EXPECT_EQ(d.unter(3, 1), QStringLiteral("200103"));
  EXPECT_EQ(d.unter(3, 2), QStringLiteral("Dekor"));
  EXPECT_EQ(d.unter(3, 3), QStringLiteral("Mein Alias"));
  EXPECT_EQ(d.unter(3, 4), QStringLiteral("m²"));
  EXPECT_EQ(d.unter(3, 9), QString());
  EXPECT_EQ(d.unter(3, 10), QStringLiteral("1"));
  EXPECT_EQ(d.unter(3, 11), QStringLiteral("Stk"));
  EXPECT_EQ(d.unter(3, 13), QStringLiteral("1,44"));
  EXPECT_EQ(d.unter(3, 16), QStringLiteral("0"));
  // Article figures: the sub-article read fills per text and company number.
  const auto a = artikel("200102");
  EXPECT_EQ(d.unter(2, 4), a[4].toString());
  EXPECT_EQ(d.unter(2, 9), a[6].toString());
  EXPECT_EQ(d.unter(2, 11), a[8].toString());
  EXPECT_EQ(d.unter(2, 16), QStringLiteral("0"));
  // A short value: missing pieces empty, explanation shown.
  EXPECT_EQ(d.unter(5, 2), QStringLiteral("Bild"));
  EXPECT_EQ(d.unter(5, 3), QString());
  EXPECT_EQ(d.unter(5, 16), QStringLiteral("1"));
}

TEST_F(FliesenDatenladenTest, ZeroOrNoNumberLoadsNothing) {
  automatik(false);
  frmFliesenSchild& f = editor();
  fliesendaten().haupt(2) = QStringLiteral("bleibt");
  fliesendaten().unter(1, 1) = QStringLiteral("200101");
  for (const char* nummer : {"0", ""}) {
    f.ArtNr->setCurrentText(QString::fromLatin1(nummer));
    f.Fliesendatenladen();
    EXPECT_EQ(fliesendaten().haupt(2), QStringLiteral("bleibt"));
    EXPECT_EQ(fliesendaten().unter(1, 1), QStringLiteral("200101"));
  }
}

TEST_F(FliesenDatenladenTest, MainReadTranslatesTheArticleType) {
  automatik(false);
  frmFliesenSchild& f = editor();
  eingeben(*f.ArtNr, QStringLiteral("200024"));
  EXPECT_EQ(fliesendaten().haupt(6), QStringLiteral("Bestellung"));
  eingeben(*f.ArtNr, QStringLiteral("200003"));
  EXPECT_EQ(fliesendaten().haupt(6), QStringLiteral("Lagernd"));
  EXPECT_EQ(fliesendaten().haupt(1), f.Bez1->text());  // alias from the description
  EXPECT_EQ(f.Bez1->text(), QStringLiteral("Wandfliese Nordic"));
}

TEST_F(FliesenDatenladenTest, TakeOverOfAnOrderSignStoresTheFullForm) {
  frmFliesenSchild& f = editor();
  f.mBestellung->trigger();
  ASSERT_TRUE(fliesendaten().istBestellung());
  ASSERT_FALSE(fliesendaten().Automatik);
  eingeben(*f.ArtNr, QStringLiteral("900001"));
  EXPECT_TRUE(f.HVPI->isEnabled());
  f.Alias->setText(QStringLiteral("Sonder"));
  f.TamselArtNr->setText(QStringLiteral("L-77"));
  f.Per->setCurrentText(QStringLiteral("m²"));
  f.HVKE->setCurrentText(QStringLiteral("Pak"));
  f.HVPI->setText(QStringLiteral("10"));
  f.HVRM->setText(QStringLiteral("1,5"));
  f.HVPM->setText(QStringLiteral("15"));
  f.subArtikelNummer->setCurrentText(QStringLiteral("900002"));
  f.ZeilenText->setCurrentText(QStringLiteral("Dekor"));
  f.DAlias->setText(QStringLiteral("Blume"));
  // An order sign's rows start with their own figures.
  ASSERT_TRUE(f.DInfo->isChecked());
  EXPECT_TRUE(f.SVPI->isEnabled());
  f.DPer->setCurrentText(QStringLiteral("Stk"));
  f.SVKE->setCurrentText(QStringLiteral("Stk"));
  f.SVPI->setText(QStringLiteral("4"));
  f.SVRM->setText(QStringLiteral("1"));
  f.SVPM->setText(QStringLiteral("4"));
  klicken(f.Uebernehmen);

  const auto werte = speicher(kBestellung, "900001");
  EXPECT_EQ(werte.at("Alias"), "Sonder");
  EXPECT_EQ(werte.at("TamselArtNr"), "L-77");
  EXPECT_EQ(werte.at("Per"), "m²");
  EXPECT_EQ(werte.at("VKE"), "Pak");
  EXPECT_EQ(werte.at("VRM"), "1,5");
  EXPECT_EQ(werte.at("Verfügbarkeit"), "");
  EXPECT_EQ(werte.at("Pos1"), "900002|Dekor|Blume||Stk|1|Stk|4|1|4|1");
  EXPECT_EQ(werte.at("Pos11"), "||||||||||");
  EXPECT_EQ(werte.count("Default"), 0u);
}

TEST_F(FliesenDatenladenTest, TakeOverWithoutNumberEmptiesTheRow) {
  automatik(false);
  frmFliesenSchild& f = editor();
  eingeben(*f.ArtNr, QStringLiteral("200001"));
  eingeben(*f.subArtikelNummer, QStringLiteral("200101"));
  ASSERT_EQ(fliesendaten().unter(1, 1), QStringLiteral("200101"));
  f.subArtikelNummer->setCurrentText(QString());
  klicken(f.Uebernehmen);
  for (int feld = 1; feld < kUnterfelder; ++feld) EXPECT_EQ(fliesendaten().unter(1, feld), QString()) << feld;
  EXPECT_EQ(f.Detail->item(0)->text(),
            QStringLiteral("ArtNr :  Art :  Bez :  Tamsel :  per :  Best :  VKE :  VPI :  VRM :  VPM :  Info : 1"));
}

TEST_F(FliesenDatenladenTest, BackslashInTheNumberDoesNotNestKeys) {
  // An order sign takes the number as typed (a stock sign turns it into a number first).
  frmFliesenSchild& f = editor();
  f.mBestellung->trigger();
  eingeben(*f.ArtNr, QStringLiteral("12\\34"));
  ASSERT_EQ(f.ArtNr->currentText(), QStringLiteral("12\\34"));
  klicken(f.Uebernehmen);
  EXPECT_TRUE(kesto::registry::GetAllSettings("Vovida\\Bestellung\\12", "34").empty());
  EXPECT_FALSE(speicher(kBestellung, "12%5C34").empty());
  f.mWandfliese->trigger();
  f.mBestellung->trigger();
  ASSERT_EQ(f.ArtNr->count(), 1);
  EXPECT_EQ(f.ArtNr->itemText(0), QStringLiteral("12\\34"));
}

}  // namespace
}  // namespace vovida::test
