#include "Fliesenumgebung.h"

#include "frmFlliesenSchildDimensionen.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace vovida::test {
namespace {

class FliesenDimensionenTest : public Fliesenumgebung {
 protected:
  // Opens the window from the editor's menu and runs schritt on it while it is shown.
  void oeffnen(const std::function<void(frmFlliesenSchildDimensionen&)>& schritt) {
    modalSkript.push_back([schritt](QWidget& fenster) {
      auto& d = dynamic_cast<frmFlliesenSchildDimensionen&>(fenster);
      d.show();
      schritt(d);
      d.hide();
    });
    editor().mBearbeiten->trigger();
    ASSERT_EQ(modalGezeigt.back(), frmFlliesenSchildDimensionen::kName);
  }
  static QString parameter(const char* schluessel) {
    return ParameterText(QStringLiteral("PLAKAT"), QString::fromLatin1(schluessel));
  }
  static void setzen(QLineEdit& box, const QString& text) {
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, text);
  }
  static void spalten(frmFlliesenSchildDimensionen& d, const char* abstand, std::array<const char*, 4> hf,
                      std::array<const char*, 7> zf) {
    setzen(*d.Abstand, QString::fromLatin1(abstand));
    for (std::size_t i = 0; i < hf.size(); ++i) setzen(*d.HF[i], QString::fromLatin1(hf[i]));
    for (std::size_t i = 0; i < zf.size(); ++i) setzen(*d.ZF[i], QString::fromLatin1(zf[i]));
  }
};

TEST_F(FliesenDimensionenTest, LoadShowsMillimetresOfTheSignWidth) {
  oeffnen([](frmFlliesenSchildDimensionen& d) {
    EXPECT_EQ(d.BGrosz->text(), QStringLiteral("170"));
    EXPECT_EQ(d.HKlein->text(), QStringLiteral("120"));
    EXPECT_EQ(d.HF[1]->text(), QStringLiteral("30"));
    // 30 % of 170 mm, as the layout prints the column.
    EXPECT_EQ(d.HGA[1]->text(), QStringLiteral("51"));
    EXPECT_EQ(d.ZGA[1]->text(), QStringLiteral("44,2"));
    EXPECT_EQ(d.AbstandG->text(), QStringLiteral("1,7"));
    EXPECT_EQ(d.Hauptartikel->text(), QStringLiteral("Spaltenbreiten Hauptartikel = 100 %"));
    EXPECT_EQ(d.Zusatzartikel->text(), QStringLiteral("Spaltenbreiten Zusatzartikel = 98 %"));
  });
}

TEST_F(FliesenDimensionenTest, SaveWarnsOnSumsOtherThanHundredButSaves) {
  struct Fall {
    const char* hf4;
    const char* zf7;
    std::vector<std::string> warnungen;
  };
  const std::string haupt =
      "Achtung: Hauptartikelspalten füllen nicht die Ganze Seitenbreite\r\nSeitenbreite = 5 * Abstand + Felder";
  const std::string zusatz =
      "Achtung: Zusatzartikelspalten füllen nicht die Ganze Seitenbreite\r\nSeitenbreite = 6 * Abstand + Felder";
  const Fall faelle[] = {{"25", "14", {}}, {"24", "14", {haupt}}, {"26", "15", {haupt, zusatz}}};
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.hf4);
    const std::size_t vorher = boxen->shown().size();
    oeffnen([&](frmFlliesenSchildDimensionen& d) {
      spalten(d, "2", {"20", "20", "25", fall.hf4}, {"12", "12", "12", "12", "12", "14", fall.zf7});
      klicken(d.Speichern);
    });
    const auto gezeigt = boxen->shown();
    ASSERT_EQ(gezeigt.size(), vorher + fall.warnungen.size());
    for (std::size_t i = 0; i < fall.warnungen.size(); ++i) {
      EXPECT_EQ(gezeigt[vorher + i].text, fall.warnungen[i]);
      EXPECT_EQ(gezeigt[vorher + i].title, "Warnung");
    }
    EXPECT_EQ(parameter("FSCHILD-B1"), QStringLiteral("20@20@25@") + QString::fromLatin1(fall.hf4) + u'@');
    EXPECT_EQ(parameter("FSCHILD-B2"), QStringLiteral("12@12@12@12@12@14@") + QString::fromLatin1(fall.zf7) + u'@');
    EXPECT_EQ(parameter("FSCHILD-B3"), QStringLiteral("2"));
  }
}

TEST_F(FliesenDimensionenTest, BoxThatIsNoNumberWritesNothing) {
  const QString vorher[] = {parameter("FSCHILD-BH"), parameter("FSCHILD-B1"), parameter("FSCHILD-B3")};
  oeffnen([](frmFlliesenSchildDimensionen& d) {
    setzen(*d.BGrosz, QStringLiteral("200"));
    setzen(*d.Abstand, QStringLiteral("2"));
    setzen(*d.HF[2], QStringLiteral("-"));
    klicken(d.Speichern);
  });
  EXPECT_EQ(boxTexte().back(), "Keine gültige Zahl eingegeben!");
  const QString nachher[] = {parameter("FSCHILD-BH"), parameter("FSCHILD-B1"), parameter("FSCHILD-B3")};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(nachher[i], vorher[i]);
}

TEST_F(FliesenDimensionenTest, CloseWritesNothingAndSavedValuesReachTheServer) {
  oeffnen([](frmFlliesenSchildDimensionen& d) {
    setzen(*d.BGrosz, QStringLiteral("180"));
    klicken(d.ctPush1);
  });
  EXPECT_EQ(parameter("FSCHILD-BH"), QStringLiteral("170@240@170@120"));
  oeffnen([](frmFlliesenSchildDimensionen& d) {
    setzen(*d.BGrosz, QStringLiteral("180"));
    setzen(*d.HKlein, QStringLiteral("110"));
    klicken(d.Speichern);
  });
  EXPECT_EQ(parameter("FSCHILD-BH"), QStringLiteral("180@240@170@110"));
  // The next opening reads them back from the server.
  oeffnen([](frmFlliesenSchildDimensionen& d) { EXPECT_EQ(d.BGrosz->text(), QStringLiteral("180")); });
}

}  // namespace
}  // namespace vovida::test
