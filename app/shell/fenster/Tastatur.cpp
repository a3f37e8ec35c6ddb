#include "Tastatur.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QWidget>

#include <map>
#include <utility>

namespace vovida {

namespace {

bool istEnter(int qtTaste) { return qtTaste == Qt::Key_Return || qtTaste == Qt::Key_Enter; }

// Remembers the window each key last went down in. A key-up elsewhere is dropped; the
// record stays, since an unhandled key-up travels on to the parents in the same window.
class Tastenpaare final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override {
    const QEvent::Type art = ereignis->type();
    if (art != QEvent::KeyPress && art != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(objekt);
    if (!widget) return false;
    const int taste = static_cast<QKeyEvent*>(ereignis)->key();
    QWidget* fenster = widget->window();
    if (art == QEvent::KeyPress) {
      unten_[taste] = fenster;
      return false;
    }
    const auto it = unten_.find(taste);
    return it == unten_.end() || it->second != fenster;
  }

 private:
  std::map<int, QPointer<QWidget>> unten_;
};

class Kombifeldtasten final : public QObject {
 public:
  Kombifeldtasten(QComboBox& box, QEvent::Type wann, std::function<void(int)> handler)
      : QObject(&box), wann_(wann), handler_(std::move(handler)) {}

 protected:
  bool eventFilter(QObject*, QEvent* ereignis) override {
    const QEvent::Type art = ereignis->type();
    if (art != QEvent::KeyPress && art != QEvent::KeyRelease) return false;
    const int qtTaste = static_cast<QKeyEvent*>(ereignis)->key();
    if (!istEnter(qtTaste) && qtTaste != Qt::Key_Home) return false;
    if (istEnter(qtTaste) && art == QEvent::KeyPress) {
      // The box would take a listed text for a choice once it loses the focus.
      auto& box = static_cast<QComboBox&>(*parent());
      const int i = box.findText(box.currentText(), Qt::MatchExactly);
      if (i >= 0 && i != box.currentIndex()) {
        const QSignalBlocker sperre(box);
        box.setCurrentIndex(i);
      }
    }
    if (art == wann_) handler_(Tastencode(qtTaste));
    // Enter going down would reach the line edit, which takes a listed text for a choice.
    return art == QEvent::KeyPress && (istEnter(qtTaste) || wann_ == QEvent::KeyPress);
  }

 private:
  QEvent::Type wann_;
  std::function<void(int)> handler_;
};

class Dialogtasten final : public QObject {
 public:
  Dialogtasten(QWidget& fenster, QWidget& erstesFeld, QAbstractButton& ok, QAbstractButton& abbrechen)
      : QObject(&fenster), fenster_(fenster), erstesFeld_(erstesFeld), ok_(ok), abbrechen_(abbrechen) {}

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override {
    if (objekt != &fenster_) return false;
    if (ereignis->type() == QEvent::Show) {
      // Not the control used last: the dialog opens ready for typing.
      erstesFeld_.setFocus(Qt::OtherFocusReason);
      if (auto* feld = qobject_cast<QLineEdit*>(&erstesFeld_)) feld->selectAll();
      return false;
    }
    if (ereignis->type() != QEvent::KeyPress) return false;
    const int taste = static_cast<QKeyEvent*>(ereignis)->key();
    QAbstractButton* knopf = istEnter(taste) ? &ok_ : taste == Qt::Key_Escape ? &abbrechen_ : nullptr;
    // Return on a button of the dialog is that button's.
    if (auto* fokus = qobject_cast<QAbstractButton*>(fenster_.focusWidget()); fokus && istEnter(taste)) knopf = fokus;
    if (!knopf || !knopf->isEnabled()) return false;
    knopf->click();
    return true;
  }

 private:
  QWidget& fenster_;
  QWidget& erstesFeld_;
  QAbstractButton& ok_;
  QAbstractButton& abbrechen_;
};

}  // namespace

int Tastencode(int qtTaste) {
  if (istEnter(qtTaste)) return kTasteEnter;
  if (qtTaste == Qt::Key_Home) return kTastePos1;
  return qtTaste;
}

void TastenpaareEinrichten() {
  static QPointer<Tastenpaare> filter;
  if (filter || !QCoreApplication::instance()) return;
  filter = new Tastenpaare(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(filter);
}

void DialogTasten(QWidget& fenster, QWidget& erstesFeld, QAbstractButton& ok, QAbstractButton& abbrechen) {
  fenster.installEventFilter(new Dialogtasten(fenster, erstesFeld, ok, abbrechen));
}

void KombifeldTasten(QComboBox& box, QEvent::Type wann, std::function<void(int taste)> handler) {
  box.installEventFilter(new Kombifeldtasten(box, wann, std::move(handler)));
}

}  // namespace vovida
