#include "KestoapiHilfen.h"
#include "RuntimeError.h"
#include "TestApp.h"

#include <QLineEdit>

#include <services/Timers.h>

#include <stdexcept>

using namespace vovida;

namespace {

TEST(EinheitText, FixedCodesNeedNoServer) {
  int anfragen = 0;
  const EinheitSuche suche = [&](const QString&) {
    ++anfragen;
    return QString();
  };
  const struct {
    const char* code;
    const char* name;
  } faelle[] = {{"CBM", "m³"}, {"CM", "cm"}, {"M", "lfm"}, {"ML", "mm"},
                {"QM", "m²"},  {"ST", "stk"}, {"KG", "kg"}};
  for (const auto& f : faelle) {
    EXPECT_EQ(EinheitText(QString::fromUtf8(f.code), suche), QString::fromUtf8(f.name));
  }
  EXPECT_EQ(anfragen, 0);
}

TEST(EinheitText, OtherCodesGoToTheServer) {
  QStringList gefragt;
  setEinheitSuche([&](const QString& code) {
    gefragt << code;
    return code == u"PAK" ? QStringLiteral("Paket") : QString();
  });
  EXPECT_EQ(EinheitText(QStringLiteral("PAK")), u"Paket");
  EXPECT_EQ(EinheitText(QStringLiteral("ml")), u"");  // codes compare exactly
  EXPECT_EQ(gefragt, (QStringList{QStringLiteral("PAK"), QStringLiteral("ml")}));
  setEinheitSuche(nullptr);
  EXPECT_THROW(EinheitText(QStringLiteral("PAK")), std::logic_error);
}

TEST(ServerDatumWandeln, ReadsServerDateNumbers) {
  EXPECT_EQ(ServerDatumWandeln(QStringLiteral("1020315")), QDate(2002, 3, 15));
  EXPECT_EQ(ServerDatumWandeln(QStringLiteral("991231")), QDate(1999, 12, 31));
  EXPECT_EQ(ServerDatumWandeln(QStringLiteral("1240229")), QDate(2024, 2, 29));
  // No date instead of a failure for what names no day.
  for (const char* kaputt : {"0", "", "abc", "1020230", "1021301", "1020300", "-5"}) {
    EXPECT_EQ(ServerDatumWandeln(QString::fromUtf8(kaputt)), std::nullopt) << kaputt;
  }
}

TEST(EANPruefziffer, AppendsOrReturnsTheCheckDigit) {
  EXPECT_EQ(EANPruefziffer(QStringLiteral("400638133393"), false), u"4006381333931");
  EXPECT_EQ(EANPruefziffer(QStringLiteral("400638133393"), true), u"1");
  EXPECT_EQ(EANPruefziffer(QStringLiteral("9638507"), true), u"4");  // EAN-8 96385074
  EXPECT_EQ(EANPruefziffer(QStringLiteral("55"), true), u"0");  // sum 20: 10 gives 0
  try {
    EANPruefziffer(QStringLiteral("40063813339x"), true);
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), kFehlerTypen);
  }
}

TEST(TextMarkieren, SelectsAllAndFocusesUnlessTold) {
  FeldFenster fenster;
  QLineEdit& feld = fenster.feld();
  feld.setText(QStringLiteral("12,50"));
  feld.setCursorPosition(2);

  TextMarkieren(feld, true);
  EXPECT_EQ(feld.selectedText(), u"12,50");
  EXPECT_FALSE(feld.hasFocus());

  feld.deselect();
  TextMarkieren(feld);
  EXPECT_EQ(feld.selectedText(), u"12,50");
  EXPECT_TRUE(feld.hasFocus());
}

// Moves on by a fixed step at every reading, so a wait ends after a few readings.
class SchrittUhr final : public kesto::services::Clock {
 public:
  explicit SchrittUhr(std::chrono::milliseconds schritt) : schritt_(schritt) {}
  std::chrono::milliseconds now() const override { return jetzt_ += schritt_; }

 private:
  std::chrono::milliseconds schritt_;
  mutable std::chrono::milliseconds jetzt_{0};
};

TEST(Warten, WaitsOnTheServiceClock) {
  ensureTestApp();
  using std::chrono::milliseconds;
  kesto::services::setTimerService(
      std::make_shared<kesto::services::TimerService>(std::make_shared<SchrittUhr>(milliseconds(400))));
  EXPECT_EQ(Warten(100), 1);  // readings at 400, 800, 1200 ms after the start
  EXPECT_EQ(Warten(0), 0);
  kesto::services::setTimerService(nullptr);
}

}  // namespace
