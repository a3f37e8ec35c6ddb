// Keys as they reach the windows: an editable combo box hands Enter and Home to its
// handler, a dialog opens ready for typing and answers Return and Escape, and the Enter
// that closes a message box never triggers the field beneath.
#include "Eingabe.h"
#include "Umgebung.h"

#include "AOBStandard.h"
#include "Fensterliste.h"
#include "Tastatur.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <services/qt/QtMessageBox.h>

#include <vector>

namespace vovida::test {
namespace {

struct Kombifenster {
  QWidget fenster;
  QComboBox* box = new QComboBox;
  QLineEdit* danach = new QLineEdit;
  std::vector<int> tasten;
  int gewaehlt = 0;

  explicit Kombifenster(QEvent::Type wann) {
    auto* spalte = new QVBoxLayout(&fenster);
    spalte->addWidget(box);
    spalte->addWidget(danach);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItem(QStringLiteral("100003"));
    box->setEditText(QString());
    KombifeldTasten(*box, wann, [this](int t) { tasten.push_back(t); });
    QObject::connect(box, &QComboBox::activated, &fenster, [this] { ++gewaehlt; });
  }
};

class Tastatur : public Umgebung {};

TEST_F(Tastatur, ComboBoxHandsEnterAndHomeToItsHandlerOnTheKeyUp) {
  Kombifenster k(QEvent::KeyRelease);
  aktivieren(k.fenster);
  klicken(*k.box->lineEdit());
  tippen(k.fenster, QStringLiteral("100003"));
  taste(k.fenster, Qt::Key_Return);
  taste(k.fenster, Qt::Key_Enter);
  taste(k.fenster, Qt::Key_Home);
  taste(k.fenster, Qt::Key_A);
  EXPECT_EQ(k.tasten, (std::vector<int>{kTasteEnter, kTasteEnter, kTastePos1}));
  // Home going down is still the line edit's: the cursor went to the start.
  EXPECT_EQ(k.box->currentText(), QStringLiteral("a100003"));
  // A listed number confirmed with Enter is the handler's business, not a choice.
  EXPECT_EQ(k.gewaehlt, 0);
  EXPECT_EQ(k.box->count(), 1);
}

TEST_F(Tastatur, ComboBoxHandsEnterAndHomeToItsHandlerOnTheKeyDown) {
  Kombifenster k(QEvent::KeyPress);
  aktivieren(k.fenster);
  klicken(*k.box->lineEdit());
  QTest::keyPress(k.fenster.windowHandle(), Qt::Key_Return);
  EXPECT_EQ(k.tasten, std::vector<int>{kTasteEnter});
  QTest::keyRelease(k.fenster.windowHandle(), Qt::Key_Return);
  taste(k.fenster, Qt::Key_Home);
  EXPECT_EQ(k.tasten, (std::vector<int>{kTasteEnter, kTastePos1}));
  EXPECT_EQ(k.gewaehlt, 0);
}

struct Dialogfenster {
  QWidget fenster;
  QLineEdit* name = new QLineEdit(QStringLiteral("Berta"));
  QPushButton* ok = new QPushButton(QStringLiteral("OK"));
  QPushButton* abbrechen = new QPushButton(QStringLiteral("Abbrechen"));
  int bestaetigt = 0;
  int abgebrochen = 0;

  Dialogfenster() {
    auto* spalte = new QVBoxLayout(&fenster);
    for (QWidget* w : std::initializer_list<QWidget*>{name, ok, abbrechen}) spalte->addWidget(w);
    DialogTasten(fenster, *name, *ok, *abbrechen);
    QObject::connect(ok, &QPushButton::clicked, &fenster, [this] { ++bestaetigt; fenster.hide(); });
    QObject::connect(abbrechen, &QPushButton::clicked, &fenster, [this] { ++abgebrochen; fenster.hide(); });
  }
};

TEST_F(Tastatur, DialogOpensWithTheFocusInItsBoxReturnConfirmsEscapeCancels) {
  Dialogfenster d;
  aktivieren(d.fenster);
  tippen(d.fenster, QStringLiteral("Anna Maier"));
  EXPECT_EQ(d.name->text(), QStringLiteral("Anna Maier"));
  taste(d.fenster, Qt::Key_Return);
  EXPECT_EQ(d.bestaetigt, 1);
  EXPECT_FALSE(d.fenster.isVisible());

  // Opened again after a button had the focus: the box has it again.
  d.ok->setFocus();
  aktivieren(d.fenster);
  EXPECT_TRUE(d.name->hasFocus());
  taste(d.fenster, Qt::Key_Space);
  EXPECT_EQ(d.bestaetigt + d.abgebrochen, 1);
  taste(d.fenster, Qt::Key_Escape);
  EXPECT_EQ(d.abgebrochen, 1);
  EXPECT_EQ(d.bestaetigt, 1);

  // Return on the focused cancel button is the button's.
  aktivieren(d.fenster);
  d.abbrechen->setFocus();
  taste(d.fenster, Qt::Key_Return);
  EXPECT_EQ(d.abgebrochen, 2);
  EXPECT_EQ(d.bestaetigt, 1);
}

// A real message box that a person closes with Enter: the key goes down in the box, which
// closes, and comes up over the window beneath.
class MitEnterGeschlossen final : public kesto::services::MessageBoxPort {
 public:
  explicit MitEnterGeschlossen(QWidget& darunter) : darunter_(darunter) {}
  int show(const kesto::services::MessageBoxRequest& anfrage) override {
    // The fault would raise the box again and again.
    if (++gezeigt > 3) return IDOK;
    QTimer::singleShot(0, &darunter_, [this] {
      QWidget* box = QApplication::activeModalWidget();
      ASSERT_NE(box, nullptr);
      QTest::keyPress(box->windowHandle(), Qt::Key_Return);
      QTest::keyRelease(darunter_.windowHandle(), Qt::Key_Return);
    });
    return kesto::services::qt::QtMessageBox().show(anfrage);
  }
  int gezeigt = 0;

 private:
  QWidget& darunter_;
};

// A value box as the editors have them: Enter on the key-up checks the range.
class Wertfenster : public QWidget {
 public:
  QLineEdit* wert = new QLineEdit(this);
  Wertfenster() {
    (new QVBoxLayout(this))->addWidget(wert);
    wert->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override {
    if (objekt == wert && ereignis->type() == QEvent::KeyRelease &&
        Tastencode(static_cast<QKeyEvent*>(ereignis)->key()) == kTasteEnter)
      Ereignis([this] {
        bool fehler = false;
        ZahlPruefen(250, 0, *wert, true, fehler);
      });
    return QWidget::eventFilter(objekt, ereignis);
  }
};

TEST_F(Tastatur, EnterThatClosesAMessageBoxNeverTriggersTheFieldBeneath) {
  Wertfenster fenster;
  aktivieren(fenster);
  auto boxen = std::make_shared<MitEnterGeschlossen>(fenster);
  kesto::services::setMessageBoxPort(boxen);
  klicken(*fenster.wert);
  tippen(fenster, QStringLiteral("300"));
  taste(fenster, Qt::Key_Return);
  EXPECT_EQ(boxen->gezeigt, 1);

  // The field's own Enter still counts.
  taste(fenster, Qt::Key_Return);
  EXPECT_EQ(boxen->gezeigt, 2);
}

}  // namespace
}  // namespace vovida::test
