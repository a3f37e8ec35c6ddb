// Every editor as it opens from its option of the main window, and after the user resizes
// it: each label, button and box shows whole, none lies over another, and the texts are
// German.
#include "Umgebung.h"

#include "Eigenbau.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "Fliesen.h"
#include "Schildarten.h"
#include "Schilder.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <services/InputBox.h>

#include <set>
#include <string>
#include <vector>

namespace vovida::test {
namespace {

// Digits every box shows at least; an article-number box shows a scanned EAN's 13.
constexpr int kZiffern = 6;
constexpr int kEanZiffern = 13;

bool innenteil(const QWidget& w) {
  // The parts of composite controls are the controls' business.
  for (const QWidget* p = w.parentWidget(); p && !p->isWindow(); p = p->parentWidget())
    if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractScrollArea*>(p) ||
        qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QTabBar*>(p))
      return true;
  return w.objectName().startsWith(QLatin1String("qt_"));
}

QString beschriftung(const QWidget& w) {
  if (const auto* l = qobject_cast<const QLabel*>(&w)) return l->pixmap().isNull() ? l->text() : QString();
  if (const auto* b = qobject_cast<const QAbstractButton*>(&w)) return b->text();
  return {};
}

// What a person would find cut, covered or English in the window.
std::vector<std::string> maengel(QWidget& fenster) {
  std::vector<std::string> m;
  const auto melden = [&](const QWidget& w, const char* was) {
    const QString name = w.objectName().isEmpty() ? QString::fromLatin1(w.metaObject()->className()) : w.objectName();
    m.push_back(QStringLiteral("%1 \"%2\": %3").arg(name, beschriftung(w), QString::fromUtf8(was)).toStdString());
  };
  static const std::set<QString> englisch = {QStringLiteral("Save"), QStringLiteral("Cancel"), QStringLiteral("Close"),
                                              QStringLiteral("Open"), QStringLiteral("Delete"), QStringLiteral("Apply"),
                                              QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Print")};
  const QRect innen = fenster.rect();
  for (QWidget* w : fenster.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&fenster) || w->isWindow() || innenteil(*w)) continue;
    const QString text = beschriftung(*w);
    if (!text.isEmpty()) {
      if (englisch.count(QString(text).remove(u'&'))) melden(*w, "English");
      if (w->width() < w->minimumSizeHint().width() || w->height() < w->minimumSizeHint().height()) melden(*w, "cut");
    }
    const QFontMetrics fm(w->font());
    const bool artikelnummer = w->objectName() == QLatin1String("ArtNr");
    if (auto* box = qobject_cast<QLineEdit*>(w); box && !qobject_cast<QComboBox*>(w->parentWidget())) {
      const int ziffern = artikelnummer ? kEanZiffern : std::min(box->maxLength(), kZiffern);
      const int noetig = fm.horizontalAdvance(QString(ziffern, u'0')) + 8;
      if (box->width() < noetig)
        melden(*w, QStringLiteral("%1 px, too narrow for %2 digits (%3 px)").arg(box->width()).arg(ziffern).arg(noetig).toUtf8().constData());
    }
    if (auto* box = qobject_cast<QComboBox*>(w); box && box->isEditable() && artikelnummer) {
      const int noetig = fm.horizontalAdvance(QString(kEanZiffern, u'0')) + box->height();  // the arrow
      if (box->width() < noetig) melden(*w, "too narrow for an EAN");
    }
    // Inside the window and not under a sibling.
    if (!innen.contains(QRect(w->mapTo(&fenster, QPoint(0, 0)), w->size()))) melden(*w, "outside the window");
    if (QWidget* eltern = w->parentWidget(); eltern && !innenteil(*eltern)) {
      for (QObject* o : eltern->children()) {
        auto* anderer = qobject_cast<QWidget*>(o);
        if (!anderer || anderer == w || anderer->isWindow() || !anderer->isVisibleTo(&fenster) || innenteil(*anderer)) continue;
        // Each pair once.
        if (eltern->children().indexOf(o) < eltern->children().indexOf(w)) continue;
        if (w->geometry().intersects(anderer->geometry())) {
          const auto ort = [](const QRect& r) { return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()); };
          melden(*w, QStringLiteral("%1 over %2 \"%3\" %4").arg(ort(w->geometry()), anderer->objectName(), beschriftung(*anderer), ort(anderer->geometry())).toUtf8().constData());
        }
      }
    }
  }
  return m;
}

class EditorenTest : public Umgebung {
 protected:
  void SetUp() override {
    Umgebung::SetUp();
    eingaben = std::make_shared<kesto::services::ScriptedInputBox>();
    kesto::services::setInputBoxPort(eingaben);
    SchilderEinrichten();
    FliesenEinrichten();
    EigenbauEintragen();
    serverStarten();
    anmeldungSkript(QStringLiteral("DEMO"), QStringLiteral("demo"));
    start().Form_Load();
    start().show();
  }
  void TearDown() override {
    Umgebung::TearDown();
    kesto::services::setInputBoxPort(nullptr);
  }
  FMStart& start() { return fensterliste().holen<FMStart>(); }

  std::shared_ptr<kesto::services::ScriptedInputBox> eingaben;
};

TEST_F(EditorenTest, EveryEditorShowsItsControlsWholeAsItOpensAndWhenResized) {
  for (const Schildart& art : kSchildarten) {
    const QString code = QString::fromUtf8(art.code);
    SCOPED_TRACE(art.code);
    eingaben->answer("Testentwurf");  // the free design asks for a name
    if (start().Option(code)->isChecked())
      start().CBDaten->click();
    else
      start().Option(code)->setChecked(true);
    QCoreApplication::processEvents();
    for (QWidget* fenster : QApplication::topLevelWidgets()) {
      if (!fenster->isVisible() || fenster == &start() || fenster->windowType() == Qt::Popup) continue;
      SCOPED_TRACE(fenster->objectName().toStdString());
      ASSERT_TRUE(QTest::qWaitForWindowExposed(fenster));
      EXPECT_EQ(maengel(*fenster), std::vector<std::string>{}) << "as it opens";
      const QSize geoeffnet = fenster->size();
      fenster->resize(1, 1);  // as small as it lets itself be made
      QCoreApplication::processEvents();
      EXPECT_EQ(maengel(*fenster), std::vector<std::string>{}) << "made small: " << fenster->width() << "x" << fenster->height();
      fenster->resize(geoeffnet * 3 / 2);
      QCoreApplication::processEvents();
      EXPECT_EQ(maengel(*fenster), std::vector<std::string>{}) << "made large";
      // Widened to show the picture or the rich text, and narrowed again.
      for (const char* breiter : {"BildJN", "RFTJN"}) {
        if (auto* knopf = fenster->findChild<QPushButton*>(QString::fromLatin1(breiter))) {
          knopf->click();
          QCoreApplication::processEvents();
          EXPECT_EQ(maengel(*fenster), std::vector<std::string>{}) << "widened";
          knopf->click();
          QCoreApplication::processEvents();
          EXPECT_EQ(maengel(*fenster), std::vector<std::string>{}) << "narrowed again";
        }
      }
      fenster->hide();
    }
  }
}

}  // namespace
}  // namespace vovida::test
