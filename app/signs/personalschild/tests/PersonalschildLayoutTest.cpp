#include "Personal.h"

#include "Eingabe.h"
#include "Seite.h"

#include "FMStart.h"
#include "Personalschild.h"
#include "Startglobale.h"
#include "Schriftdefinitionen.h"
#include "ServerZugriff.h"
#include "frmNamenbestaetigung.h"

#include <gmock/gmock.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>
#include <QTimer>

#include <activex/ColumnList.h>
#include <activex/Renderer.h>

#include <cmath>
#include <span>
#include <tuple>

namespace vovida::test {
namespace {

using kesto::test::alle;
using kesto::activex::DrawOp;
using kesto::activex::LineOp;
using kesto::activex::PictureOp;
using kesto::activex::PolygonOp;
using kesto::activex::TextBoxOp;

// A badge as the sheet holds it: its cell and its name.
struct Schild {
  int zeile, spalte;
  std::string name;
  bool operator==(const Schild&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Schild& s) {
  return out << "(" << s.zeile << "," << s.spalte << " " << s.name << ")";
}

double slotWert(int feld) { return QString(Schriftdefinitionen()(35, feld)).replace(u',', u'.').toDouble(); }

class PersonalschildLayout : public PersonalFixture {
 protected:
  void SetUp() override {
    PersonalFixture::SetUp();
    groesse("92", "33");
    anzahl("1");
  }
  void groesse(const char* b, const char* h) {
    editor().B->setText(QString::fromLatin1(b));
    editor().H->setText(QString::fromLatin1(h));
  }
  // The count as it stands in the box, past the box's own check.
  void anzahl(const char* text) {
    const QSignalBlocker still(editor().Etikettenanzahl);
    editor().Etikettenanzahl->setText(QString::fromLatin1(text));
  }
  void logo(const char* verhaeltnis) {
    ParameterSchreiben(QStringLiteral("PLAKAT"), QStringLiteral("F-LOGO-QZM"), QString::fromLatin1(verhaeltnis));
  }
  const kesto::activex::VSPrinter& vp() { return start().VSPrinter1; }
  std::span<const DrawOp> seite(int nr) { return vp().pages()[std::size_t(nr - 1)].ops; }
  // The badges of a page: each frame's cell with the name drawn after it.
  std::vector<Schild> schilder(int nr) {
    const double b = 92 + 5.2, h = 33 + 1.7;
    std::vector<Schild> out;
    for (const DrawOp& op : seite(nr)) {
      if (const auto* rahmen = std::get_if<PolygonOp>(&op)) {
        const int spalte = int(std::lround((rahmen->points[0].x.mm() - 10) / b)) + 1;
        const int zeile = int(std::lround((rahmen->points[0].y.mm() - 7.5) / h)) + 1;
        out.push_back({zeile, spalte, ""});
      } else if (const auto* text = std::get_if<TextBoxOp>(&op); text && !out.empty()) {
        out.back().name = text->text;
      }
    }
    return out;
  }
};

TEST_F(PersonalschildLayout, ThreeNamesTwiceFillThreeRowsInOrder) {
  namenSetzen({"Anna", "Bert", "Carl"});
  anzahl("2");
  PersonalschilderDrucken();
  ASSERT_EQ(vp().PageCount(), 1);
  EXPECT_THAT(schilder(1), ::testing::ElementsAre(Schild{1, 1, "Anna"}, Schild{1, 2, "Anna"}, Schild{2, 1, "Bert"},
                                                 Schild{2, 2, "Bert"}, Schild{3, 1, "Carl"}, Schild{3, 2, "Carl"}));
  EXPECT_FALSE(vp().documentOpen());
}

TEST_F(PersonalschildLayout, SeventeenthBadgeStartsPageTwoAtTheFirstCell) {
  namenSetzen({"Anna", "Bert"});
  anzahl("9");
  PersonalschilderDrucken();
  ASSERT_EQ(vp().PageCount(), 2);
  const auto erste = schilder(1);
  ASSERT_EQ(erste.size(), 16u);
  EXPECT_EQ(erste[15], (Schild{8, 2, "Bert"}));
  EXPECT_THAT(schilder(2), ::testing::ElementsAre(Schild{1, 1, "Bert"}, Schild{1, 2, "Bert"}));
}

TEST_F(PersonalschildLayout, StartCellOfAPartlyUsedSheet) {
  namenSetzen({"Anna"});
  anzahl("3");
  struct Fall {
    std::int16_t zeile, spalte;
    std::vector<Schild> seite1, seite2;
  };
  const Fall faelle[] = {
      {1, 2, {{1, 2, "Anna"}, {2, 1, "Anna"}, {2, 2, "Anna"}}, {}},
      {8, 2, {{8, 2, "Anna"}}, {{1, 1, "Anna"}, {1, 2, "Anna"}}},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.zeile * 10 + fall.spalte);
    personalschildGlobale().PersonalschildStartZeile = fall.zeile;
    personalschildGlobale().PersonalschildStartSpalte = fall.spalte;
    PersonalschilderDrucken();
    EXPECT_EQ(schilder(1), fall.seite1);
    if (!fall.seite2.empty()) {
      ASSERT_EQ(vp().PageCount(), 2);
      EXPECT_EQ(schilder(2), fall.seite2);
    }
  }
}

TEST_F(PersonalschildLayout, NoCountUnmarkedRowsOrNoNamesDrawOnlyTheGrid) {
  start().Raster->setChecked(true);
  namenSetzen({"Anna", "Bert"});
  for (const char* text : {"0", "", "x", "-2"}) {
    SCOPED_TRACE(text);
    anzahl(text);
    PersonalschilderDrucken();
    ASSERT_EQ(vp().PageCount(), 1);
    EXPECT_EQ(alle<LineOp>(seite(1)).size(), seite(1).size());
    EXPECT_GT(seite(1).size(), 40u);
  }
  anzahl("1");
  editor().Namen->setItemMark(0, 0);
  PersonalschilderDrucken();
  EXPECT_EQ(schilder(1), (std::vector<Schild>{{1, 1, "Bert"}}));

  start().Raster->setChecked(false);
  editor().Namen->Clear();
  PersonalschilderDrucken();
  ASSERT_EQ(vp().PageCount(), 1);
  EXPECT_TRUE(seite(1).empty());
}

TEST_F(PersonalschildLayout, LogoAndNameBoxFollowTheLogoProportion) {
  namenSetzen({"Anna"});
  const double rand = slotWert(5), oben = slotWert(6);
  struct Fall {
    const char* verhaeltnis;
    double logoHoehe;  // 0: no logo
  };
  // A proportion that is empty or no number gives no logo instead of ending the run.
  const Fall faelle[] = {{"0,3", 23.4}, {"0,5", 39}, {"", 0}, {"x", 0}, {"0", 0}};
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.verhaeltnis);
    logo(fall.verhaeltnis);
    PersonalschilderDrucken();
    const auto bilder = alle<PictureOp>(seite(1));
    if (fall.logoHoehe > 0) {
      ASSERT_EQ(bilder.size(), 1u);
      const auto& box = bilder[0]->box;
      EXPECT_NEAR(box.left.mm(), 17, 0.01);
      EXPECT_NEAR(box.top.mm(), 10, 0.01);
      EXPECT_NEAR(box.width.mm(), 78, 0.01);
      EXPECT_NEAR(box.height.mm(), fall.logoHoehe, 0.01);
    } else {
      EXPECT_TRUE(bilder.empty());
    }
    const auto texte = alle<TextBoxOp>(seite(1));
    ASSERT_EQ(texte.size(), 1u);
    EXPECT_NEAR(texte[0]->box.left.mm(), 10 + rand, 0.01);
    EXPECT_NEAR(texte[0]->box.top.mm(), 7.5 + 2.5 + fall.logoHoehe + 5 + oben, 0.01);
    EXPECT_NEAR(texte[0]->box.width.mm(), 92, 0.01);
    EXPECT_NEAR(texte[0]->box.height.mm(), 33 - 5 - fall.logoHoehe, 0.01);
    EXPECT_EQ(texte[0]->style.align, 7);
    EXPECT_EQ(texte[0]->style.font.name, "Helvetica");
  }
  EXPECT_THAT(boxTexte(), ::testing::IsEmpty());
}

TEST_F(PersonalschildLayout, LogoProportionIsReadOncePerRun) {
  namenSetzen({"Anna", "Bert", "Carl"});
  anzahl("6");
  const int vorher = aufrufeMit(QStringLiteral("F-LOGO-QZM"));
  PersonalschilderDrucken();
  ASSERT_EQ(vp().PageCount(), 2);
  EXPECT_EQ(alle<PictureOp>(seite(1)).size(), 16u);
  EXPECT_EQ(aufrufeMit(QStringLiteral("F-LOGO-QZM")) - vorher, 1);
}

TEST_F(PersonalschildLayout, SizeThatIsNoNumberEndsTheRunWithOneMessage) {
  namenSetzen({"Anna"});
  {
    const QSignalBlocker still(editor().B);
    editor().B->setText(QStringLiteral("x"));
  }
  start().Aktualisieren_Click();
  ASSERT_EQ(boxTexte().size(), 1u) << startglobale().Plakatart.toStdString() << " " << vp().PageCount() << " "
                                   << editor().B->text().toStdString() << " " << editor().Namen->ListCount();
  EXPECT_THAT(boxTexte()[0], ::testing::HasSubstr("Typen unverträglich"));
}

// Nothing else runs while the sheet is drawn: no pending event is let through before the
// document has ended (the main window's end-of-document handler may let them run).
TEST_F(PersonalschildLayout, TheRunLetsNoPendingEventRun) {
  namenSetzen({"Anna", "Bert", "Carl"});
  bool gelaufen = false, imDokument = false;
  QTimer::singleShot(0, [&] {
    gelaufen = true;
    imDokument = vp().documentOpen();
  });
  PersonalschilderDrucken();
  QCoreApplication::processEvents();
  EXPECT_TRUE(gelaufen);
  EXPECT_FALSE(imDokument);
}

// A redraw while the dialog asks for a row leaves the dialog writing to its own row.
TEST_F(PersonalschildLayout, RedrawDuringTheConfirmationKeepsTheDialogsRow) {
  namenSetzen({"Anna", "Bert", "Carl"});
  editor().Namen->setItemMark(1, 0);
  modalSkript.push_back([this](QWidget& fenster) {
    auto& d = dynamic_cast<frmNamenbestaetigung&>(fenster);
    aktivieren(d);
    start().Aktualisieren_Click();  // the countdown ran out meanwhile
    ersetzen(*d.Namen, QStringLiteral("Anna Maria"));
    taste(d, Qt::Key_Return);
  });
  editor().Namen_Edit();  // the dialog for row 2 follows unscripted and closes
  EXPECT_EQ(editor().Namen->List(0), QStringLiteral("Anna Maria"));
  EXPECT_EQ(editor().Namen->List(2), QStringLiteral("Carl"));
  EXPECT_EQ(schilder(1), (std::vector<Schild>{{1, 1, "Anna"}, {1, 2, "Carl"}}));  // drawn before OK
}

// The demo sheet as the user sees it; KESTO_SCREENSHOTS names a folder to keep it.
TEST_F(PersonalschildLayout, DemoSheetOnThePage) {
  fensterliste().entladen<frmPersonalschild>();  // the demo badge size
  namenLaden(QString());
  for (int i = 0; i < editor().Namen->ListCount(); ++i) markieren(i);
  QTest::mouseClick(start().Aktualisieren, Qt::LeftButton);
  ASSERT_EQ(vp().PageCount(), 1);
  ASSERT_EQ(alle<PolygonOp>(seite(1)).size(), 10u);
  constexpr double kDpi = 150;
  const QImage bild = kesto::activex::renderPageImage(vp().pages()[0], kDpi);
  if (const QByteArray ordner = qgetenv("KESTO_SCREENSHOTS"); !ordner.isEmpty())
    bild.save(QString::fromUtf8(ordner) + QStringLiteral("/personalschilder.png"));

  // Every name lies inside its badge, below the logo: nothing dark in the gap under a
  // badge, and something dark between the logo and the frame's bottom.
  const double b = editor().B->text().replace(u',', u'.').toDouble();
  const double h = editor().H->text().replace(u',', u'.').toDouble();
  const double logoUnten = 2.5 + (b - 14) * 0.3;
  auto px = [&](double mm) { return int(std::lround(mm / 25.4 * kDpi)); };
  auto dunkel = [&](double x0, double y0, double x1, double y1) {
    int n = 0;
    for (int y = px(y0); y < px(y1); ++y)
      for (int x = px(x0); x < px(x1); ++x) n += qGray(bild.pixel(x, y)) < 128;
    return n;
  };
  for (int zeile = 0; zeile < 5; ++zeile)
    for (int spalte = 0; spalte < 2; ++spalte) {
      SCOPED_TRACE(zeile * 2 + spalte);
      const double x = 10 + spalte * (b + 5.2), y = 7.5 + zeile * (h + 1.7);
      EXPECT_EQ(dunkel(x + 1, y + h + 0.3, x + b - 1, y + h + 1.4), 0);
      EXPECT_GT(dunkel(x + 1, y + logoUnten + 0.5, x + b - 1, y + h - 0.5), 50);
    }
}

}  // namespace
}  // namespace vovida::test
