// Where windows open: beside the main window, never over its sign kinds, "Druck" or
// "Aktualisieren", in front of their owner, and inside the screen with their title bar.
#include "Umgebung.h"

#include "FMStart.h"
#include "Fensterliste.h"
#include "Platzierung.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

namespace vovida::test {
namespace {

TEST(Platzierung, FramesGoBesideTheOwnerElseBesideItsFreePartAndStayInside) {
  const QRect bereich(0, 0, 1600, 900);
  const QRect besitzer(100, 50, 800, 600);
  const QRect frei(105, 80, 250, 560);
  struct Fall {
    const char* was;
    QSize groesse;
    int mindestBreite;
    QRect besitzer;
    QRect erwartet;
  };
  const Fall faelle[] = {
      {"right of the owner", {400, 500}, 300, besitzer, {900, 50, 400, 500}},
      {"left of an owner at the right edge", {400, 500}, 300, {1150, 50, 450, 600}, {750, 50, 400, 500}},
      {"over the owner, right of its free part", {700, 500}, 300, {500, 50, 800, 600}, {755, 50, 700, 500}},
      {"narrowed down right of the free part", {1400, 500}, 300, besitzer, {355, 50, 1245, 500}},
      {"taller than the area: as tall as it", {400, 1200}, 300, besitzer, {900, 0, 400, 900}},
      {"owner low on the screen: moved up", {400, 500}, 300, {100, 700, 800, 600}, {900, 400, 400, 500}},
  };
  for (const Fall& f : faelle) {
    QRect freiTeil = frei.translated(f.besitzer.topLeft() - besitzer.topLeft());
    EXPECT_EQ(PlatzNeben(f.groesse, f.mindestBreite, f.besitzer, freiTeil, bereich), f.erwartet) << f.was;
  }
}

TEST(Platzierung, FramesCentredOverTheOwnerAndKeptInside) {
  const QRect bereich(0, 24, 1024, 744);
  EXPECT_EQ(PlatzUeber({200, 100}, {100, 100, 400, 300}, bereich), QRect(200, 200, 200, 100));
  // An owner partly off the screen: the frame, title bar included, is on it.
  EXPECT_EQ(PlatzUeber({300, 200}, {-400, -100, 400, 300}, bereich), QRect(0, 24, 300, 200));
  EXPECT_EQ(InBereich({900, 700, 300, 900}, bereich), QRect(724, 24, 300, 744));
}

// An editor as a sign module opens it: through the window list, owned by the main window.
class Editor : public QWidget {
 public:
  static constexpr const char* kName = "TestEditor";
  Editor() {
    auto* spalte = new QVBoxLayout(this);
    spalte->addWidget(new QLabel(QStringLiteral("Art.-Nr.:")));
    spalte->addWidget(new QPushButton(QStringLiteral("Lesen")));
    resize(300, 400);
  }
  void Form_Load() {}
};

class PlatzierungTest : public Umgebung {
 protected:
  FMStart& start() { return fensterliste().holen<FMStart>(); }
  QRect frei() {
    QGroupBox& spalte = *start().Frame1;
    return QRect(spalte.mapToGlobal(QPoint(0, 0)), spalte.size());
  }
  void erwarteBeiseite(Editor& editor) {
    EXPECT_TRUE(editor.isVisible());
    ASSERT_NE(editor.windowHandle(), nullptr);
    EXPECT_EQ(editor.windowHandle()->transientParent(), start().windowHandle());
    // Window managers keep only dialogs in front of their owner.
    EXPECT_EQ(editor.windowType(), Qt::Dialog);
    EXPECT_FALSE(editor.frameGeometry().intersects(frei()))
        << "over the sign kinds, \"Druck\" and \"Aktualisieren\"";
    EXPECT_TRUE(editor.screen()->availableGeometry().contains(editor.frameGeometry()));
  }
};

TEST_F(PlatzierungTest, EditorsOpenInFrontOfTheMainWindowBesideItsControls) {
  FensterImBildschirmHalten();
  start().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&start()));
  Editor& editor = FormZeigen<Editor>(&start());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
  erwarteBeiseite(editor);
  // Where the user put it, it stays when it is shown again.
  editor.move(editor.pos() + QPoint(-5, 7));
  const QPoint gesetzt = editor.pos();
  FormZeigen<Editor>(&start());
  EXPECT_EQ(editor.pos(), gesetzt);
}

// At start-up the editor of the saved sign kind opens before the main window shows.
TEST_F(PlatzierungTest, AnEditorShownBeforeTheMainWindowGoesBesideItOnceItShows) {
  FensterImBildschirmHalten();
  Editor& editor = FormZeigen<Editor>(&start());
  start().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&start()));
  QCoreApplication::processEvents();  // the exposure's follow-up: the editor shown again
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
  erwarteBeiseite(editor);
}

}  // namespace
}  // namespace vovida::test
