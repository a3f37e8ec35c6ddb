#include "AOBStandard.h"
#include "TestApp.h"

#include <QLineEdit>

#include <services/Program.h>

#include <stdexcept>

using namespace vovida;
using kesto::services::MessageBoxRequest;

namespace {

const char* const kGrenzenTitel = "Fehler Wertgrenzen Überschritten!";

TEST(ZahlFiltern, KeepsWhatANumberMayHold) {
  const struct {
    const char* ein;
    const char* aus;
  } faelle[] = {
      {"12,5,0", "12,50"}, {"-3-4", "-34"}, {"15%", "15%"}, {"1%5", "15"}, {"", "0"},
      {"abc", ""},         {"1.234,5", "1234,5"}, {"%", "%"}, {"-", "-"}, {" 7 ", "7"},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(ZahlFiltern(QString::fromUtf8(f.ein)), QString::fromUtf8(f.aus)) << f.ein;
  }
}

TEST(PreisFormatieren, WholeAndOtherAmounts) {
  const struct {
    QVariant wert;
    const char* text;
  } faelle[] = {
      {12, "12,-"},
      {12.5, "12,50"},
      {1234567, "1.234.567,-"},
      {QStringLiteral("12,5"), "12,50"},
      {QStringLiteral("1.234"), "1.234,-"},
      {-3.25, "-3,25"},
      {QVariant(), ""},
      {QString(), ""},
      {QStringLiteral("ab"), "ab"},  // no number: shown as typed
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(PreisFormatieren(f.wert), QString::fromUtf8(f.text)) << f.wert.toString().toStdString();
  }
}

TEST(PreisFeldFormatieren, PricesAndPercentages) {
  ensureTestApp();
  QLineEdit feld;
  const struct {
    QVariant wert;
    const char* text;
    QVariant danach;  // the caller's value afterwards
  } faelle[] = {
      {QStringLiteral("7,5%"), "7,50%", QStringLiteral("7,5")},
      {QStringLiteral("16%"), "16%", QStringLiteral("16")},
      {QStringLiteral("12,5"), "12,50", QStringLiteral("12,5")},
      {12.0, "12,-", 12.0},
  };
  for (const auto& f : faelle) {
    QVariant wert = f.wert;
    PreisFeldFormatieren(feld, wert);
    EXPECT_EQ(feld.text(), QString::fromUtf8(f.text)) << f.wert.toString().toStdString();
    EXPECT_EQ(wert, f.danach);
  }
}

struct Pruefung {
  const char* eingabe;
  double grenze1, grenze2;
  bool wertGrenzen;
  const char* feldDanach;
  std::vector<const char*> meldungen;
};

void PrintTo(const Pruefung& p, std::ostream* out) {
  *out << p.eingabe << (p.wertGrenzen ? " in [" : " digits (") << p.grenze2 << ", " << p.grenze1
       << (p.wertGrenzen ? "]" : ")");
}

class ZahlPruefenFall : public testing::TestWithParam<Pruefung> {};

TEST_P(ZahlPruefenFall, ReportsEachViolation) {
  const Pruefung& p = GetParam();
  FeldFenster fenster;
  BoxAufnahme boxen;
  QLineEdit& feld = fenster.feld();
  feld.setText(QString::fromUtf8(p.eingabe));
  bool fehler = false;

  ZahlPruefen(p.grenze1, p.grenze2, feld, p.wertGrenzen, fehler);

  EXPECT_EQ(feld.text(), QString::fromUtf8(p.feldDanach));
  const std::vector<MessageBoxRequest> gezeigt = boxen.gezeigt();
  ASSERT_EQ(gezeigt.size(), p.meldungen.size());
  for (std::size_t i = 0; i < gezeigt.size(); ++i) {
    EXPECT_EQ(gezeigt[i].text, p.meldungen[i]);
    EXPECT_EQ(gezeigt[i].title, kGrenzenTitel);
    EXPECT_EQ(gezeigt[i].flags, MB_OK);
  }
  EXPECT_EQ(fehler, !p.meldungen.empty());
  if (fehler) {
    EXPECT_TRUE(feld.hasFocus());
    EXPECT_EQ(feld.selectedText(), feld.text());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Grenzen, ZahlPruefenFall,
    testing::Values(
        Pruefung{"1234", 3, 2, false, "1234",
                 {"Zu viele Vorkommastellen Eingegeben!\r\nMaximal Erlaubt sind : 3"}},
        Pruefung{"1,234", 3, 2, false, "1,234",
                 {"Zu viele Nachkommastellen Eingegeben!\r\nMaximal Erlaubt sind : 2"}},
        Pruefung{"123,45", 3, 2, false, "123,45", {}},
        Pruefung{"1,230", 3, 2, false, "1,230", {}},
        Pruefung{"9999,999", 3, 2, false, "9999,999",
                 {"Zu viele Vorkommastellen Eingegeben!\r\nMaximal Erlaubt sind : 3",
                  "Zu viele Nachkommastellen Eingegeben!\r\nMaximal Erlaubt sind : 2"}},
        Pruefung{"-123", 3, 0, false, "-123",  // the sign is one of the characters
                 {"Zu viele Vorkommastellen Eingegeben!\r\nMaximal Erlaubt sind : 3"}},
        Pruefung{"150", 100, 0, true, "150",
                 {"Wert zu groß eingegeben!\r\nGrößter erlaubter Wert : 100"}},
        Pruefung{"-5", 100, 0, true, "-5",
                 {"Wert zu klein eingegeben!\r\nKleinster erlaubter Wert : 0"}},
        Pruefung{"100", 100, 0, true, "100", {}},
        Pruefung{"5", 1, 10, true, "5",  // crossed limits: both checks run
                 {"Wert zu groß eingegeben!\r\nGrößter erlaubter Wert : 1",
                  "Wert zu klein eingegeben!\r\nKleinster erlaubter Wert : 10"}},
        Pruefung{"1,5", 99, 0.5, true, "1,5", {}},
        Pruefung{"0,25", 99, 0.5, true, "0,25",
                 {"Wert zu klein eingegeben!\r\nKleinster erlaubter Wert : 0,5"}},
        Pruefung{"12a,5", 100, 0, true, "12,5", {}},  // the filtered text goes back
        Pruefung{"150%", 100, 0, true, "150%",        // "%" is no part of the number
                 {"Wert zu groß eingegeben!\r\nGrößter erlaubter Wert : 100"}},
        Pruefung{"-,", 100, 0, true, "-,", {}},       // still no number: nothing to check
        Pruefung{"-", 100, 0, true, "-", {}},
        Pruefung{"x,", 100, 0, true, "x,", {}},       // filters to ",": left as typed
        Pruefung{"", 100, 1, true, "", {}},           // an empty box stays empty
        Pruefung{"", 13, 0, false, "", {}}));

TEST(ZahlPruefen, NeverResetsTheErrorFlag) {
  FeldFenster fenster;
  BoxAufnahme boxen;
  fenster.feld().setText(QStringLiteral("50"));
  bool fehler = true;
  ZahlPruefen(100, 0, fenster.feld(), true, fehler);
  EXPECT_TRUE(fehler);
  EXPECT_TRUE(boxen.gezeigt().empty());
}

class ArtikelNr : public testing::Test {
 protected:
  FeldFenster fenster;
  BoxAufnahme boxen;
  QStringList gefragt;
  QString antwort;
  bool ergebnis = false;

  EanSuche suche() {
    return [this](const QString& ean) {
      gefragt << ean;
      return antwort;
    };
  }
  QString ermittle(const char* eingabe) {
    fenster.feld().setText(QString::fromUtf8(eingabe));
    fenster.fokusWeg();
    ergebnis = ArtikelNrErmitteln(fenster.feld(), suche());
    return fenster.feld().text();
  }
};

TEST_F(ArtikelNr, ArticleNumbersAndOwnEansNeedNoServer) {
  EXPECT_EQ(ermittle("000123"), u"123");
  EXPECT_EQ(ermittle(" 4711 "), u"4711");
  EXPECT_EQ(ermittle("12ab"), u"12");
  EXPECT_EQ(ermittle("20001234"), u"1234");
  EXPECT_EQ(ermittle("2000456000007"), u"4560");
  EXPECT_EQ(ermittle(""), u"");
  EXPECT_TRUE(ergebnis);
  EXPECT_TRUE(gefragt.isEmpty());
  EXPECT_TRUE(boxen.gezeigt().empty());
}

TEST_F(ArtikelNr, ForeignEansAreLookedUp) {
  antwort = QStringLiteral("004711");
  EXPECT_EQ(ermittle("4006381333931"), u"4711");
  EXPECT_TRUE(ergebnis);
  EXPECT_EQ(gefragt, QStringList{QStringLiteral("4006381333931")});
  EXPECT_TRUE(boxen.gezeigt().empty());
}

TEST_F(ArtikelNr, UnknownEanKeepsTheTextAndReports) {
  EXPECT_EQ(ermittle("4006381333931"), u"4006381333931");
  EXPECT_FALSE(ergebnis);
  ASSERT_EQ(boxen.gezeigt().size(), 1u);
  EXPECT_EQ(boxen.gezeigt()[0].text, "EAN nicht gefunden");
  EXPECT_EQ(boxen.gezeigt()[0].title, "Fehler");
  EXPECT_TRUE(fenster.feld().hasFocus());
}

TEST_F(ArtikelNr, FailedLookUpCountsAsNotFound) {
  fenster.feld().setText(QStringLiteral("40063813"));
  ArtikelNrErmitteln(fenster.feld(), [](const QString&) -> QString {
    throw std::runtime_error("Verbindung verloren");
  });
  EXPECT_EQ(fenster.feld().text(), u"40063813");
  ASSERT_EQ(boxen.gezeigt().size(), 1u);
  EXPECT_EQ(boxen.gezeigt()[0].text, "EAN nicht gefunden");
}

TEST_F(ArtikelNr, ProgramEndIsNotSwallowed) {
  fenster.feld().setText(QStringLiteral("40063813"));
  EXPECT_THROW(ArtikelNrErmitteln(fenster.feld(),
                                  [](const QString&) -> QString {
                                    throw kesto::services::ProgramEnded(0);
                                  }),
               kesto::services::ProgramEnded);
}

TEST_F(ArtikelNr, OtherLengthsAreRefused) {
  for (const char* eingabe : {"1234567", "123456789", "12345678901234"}) {
    EXPECT_EQ(ermittle(eingabe), QString::fromUtf8(eingabe));
    EXPECT_FALSE(ergebnis) << eingabe;
    EXPECT_TRUE(fenster.feld().hasFocus()) << eingabe;
  }
  ASSERT_EQ(boxen.gezeigt().size(), 3u);
  EXPECT_EQ(boxen.gezeigt()[0].text, "Art.-Nr/EAN kann nur 6,8 oder 13-stellig sein");
  EXPECT_EQ(boxen.gezeigt()[0].title, "Fehler");
  EXPECT_TRUE(gefragt.isEmpty());
}

TEST_F(ArtikelNr, UsesTheInstalledLookUp) {
  fenster.feld().setText(QStringLiteral("40063813"));
  setEanSuche(nullptr);
  EXPECT_THROW(ArtikelNrErmitteln(fenster.feld()), std::logic_error);
  antwort = QStringLiteral("815");
  setEanSuche(suche());
  ArtikelNrErmitteln(fenster.feld());
  EXPECT_EQ(fenster.feld().text(), u"815");
  setEanSuche(nullptr);
}

}  // namespace
