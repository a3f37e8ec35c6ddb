#include "Platzierung.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace vovida {

namespace {

constexpr const char* kFreiTeil = "vovidaFreiTeil";
constexpr const char* kFrisch = "vovidaFrischGezeigt";  // shown, not yet on the screen

bool istFenster(const QWidget& w) {
  const Qt::WindowType art = w.windowType();
  // Menus, tool tips and combo box pop-ups place themselves.
  return w.isWindow() && (art == Qt::Window || art == Qt::Dialog);
}

QMargins randVon(const QWidget& w) {
  const QWindow* handle = w.windowHandle();
  return handle && w.isVisible() ? handle->frameMargins() : QMargins();
}

// The window manager frames a window only once it is shown; until then the frame of a
// framed window of the program stands in for it, so that no title bar ends up above the
// screen.
QMargins rahmenRand(const QWidget& fenster, const QWidget* besitzer) {
  if (const QMargins eigen = randVon(fenster); !eigen.isNull()) return eigen;
  if (besitzer)
    if (const QMargins m = randVon(*besitzer); !m.isNull()) return m;
  for (const QWidget* w : QApplication::topLevelWidgets())
    if (w != &fenster && istFenster(*w))
      if (const QMargins m = randVon(*w); !m.isNull()) return m;
  return {};
}

QRect bereichVon(const QWidget& fenster, const QWidget* besitzer) {
  const QScreen* bildschirm = besitzer && besitzer->screen() ? besitzer->screen() : fenster.screen();
  if (!bildschirm) bildschirm = QGuiApplication::primaryScreen();
  return bildschirm ? bildschirm->availableGeometry() : QRect();
}

// Puts the window's frame at the rectangle, the inner size following the frame's.
void setzen(QWidget& fenster, const QRect& rahmen, const QMargins& rand) {
  const QSize innen = rahmen.marginsRemoved(rand).size();
  if (innen != fenster.size()) fenster.resize(innen);
  // For a window, move() places the frame.
  if (rahmen.topLeft() != fenster.pos()) fenster.move(rahmen.topLeft());
}

void platzieren(QWidget& fenster, QWidget& besitzer) {
  const QRect bereich = bereichVon(fenster, &besitzer);
  if (bereich.isEmpty()) return;
  // A window never shown takes the size it will open with.
  if (!fenster.testAttribute(Qt::WA_Resized)) fenster.adjustSize();
  const QMargins rand = rahmenRand(fenster, &besitzer);
  const QSize groesse = fenster.size().grownBy(rand);
  const QRect besitzerRahmen = besitzer.isVisible() ? besitzer.frameGeometry() : besitzer.geometry().marginsAdded(rand);
  QRect ziel;
  const auto* teil = qobject_cast<const QWidget*>(besitzer.property(kFreiTeil).value<QObject*>());
  if (teil) {
    const QRect frei(teil->mapTo(&besitzer, QPoint(0, 0)) + besitzer.geometry().topLeft(), teil->size());
    const int mindestBreite = fenster.minimumSizeHint().expandedTo(fenster.minimumSize()).width() + rand.left() + rand.right();
    ziel = PlatzNeben(groesse, mindestBreite, besitzerRahmen, frei, bereich);
  } else {
    ziel = PlatzUeber(groesse, besitzerRahmen, bereich);
  }
  setzen(fenster, ziel, rand);
}

// Each window is kept inside when it is shown, with the frame the window manager is
// likely to give it, and once more when it is first on the screen, with the frame it got
// and where the window manager put it.
class Platzhalter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override {
    if (ereignis->type() == QEvent::Show && objekt->isWidgetType()) {
      auto* w = static_cast<QWidget*>(objekt);
      if (istFenster(*w)) {
        ImVerfuegbarenBereich(*w);
        w->setProperty(kFrisch, true);
      }
    } else if (ereignis->type() == QEvent::Expose) {
      auto* handle = qobject_cast<QWindow*>(objekt);
      if (QWidget* w = handle && handle->isExposed() ? widgetVon(*handle) : nullptr; w && w->property(kFrisch).toBool()) {
        w->setProperty(kFrisch, false);
        QTimer::singleShot(0, w, [w] { ImVerfuegbarenBereich(*w); });
      }
    }
    return QObject::eventFilter(objekt, ereignis);
  }

 private:
  static QWidget* widgetVon(const QWindow& handle) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->windowHandle() == &handle) return w;
    return nullptr;
  }
};

// Shown before its owner, a window is owned only in name: the window manager learns of the
// owner when the window is mapped, and an owner it does not manage yet does not count. Once
// the owner is on the screen, the window is shown again beside it.
class Nachzieher : public QObject {
 public:
  Nachzieher(QWidget& fenster, QWidget& besitzer) : QObject(&fenster), fenster_(&fenster), besitzer_(&besitzer) {
    besitzer.windowHandle()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override {
    auto* handle = qobject_cast<QWindow*>(objekt);
    if (ereignis->type() == QEvent::Expose && handle && handle->isExposed()) {
      handle->removeEventFilter(this);
      // After the exposure has been handled: the owner is managed by then.
      QTimer::singleShot(0, this, [this] {
        if (fenster_ && besitzer_ && fenster_->isVisible()) {
          fenster_->hide();
          platzieren(*fenster_, *besitzer_);
          fenster_->show();
          fenster_->raise();
        }
        deleteLater();
      });
    }
    return QObject::eventFilter(objekt, ereignis);
  }

 private:
  QPointer<QWidget> fenster_;
  QPointer<QWidget> besitzer_;
};

}  // namespace

QRect InBereich(QRect rahmen, const QRect& bereich) {
  rahmen.setWidth(std::min(rahmen.width(), bereich.width()));
  rahmen.setHeight(std::min(rahmen.height(), bereich.height()));
  rahmen.moveLeft(std::clamp(rahmen.left(), bereich.left(), bereich.right() + 1 - rahmen.width()));
  rahmen.moveTop(std::clamp(rahmen.top(), bereich.top(), bereich.bottom() + 1 - rahmen.height()));
  return rahmen;
}

QRect PlatzNeben(QSize groesse, int mindestBreite, const QRect& besitzer, const QRect& frei, const QRect& bereich) {
  const int w = groesse.width();
  const auto passt = [&](int x) { return x >= bereich.left() && x + w - 1 <= bereich.right(); };
  for (const int x : {besitzer.right() + 1, besitzer.left() - w, frei.right() + 1}) {
    if (passt(x)) return InBereich(QRect(QPoint(x, besitzer.top()), groesse), bereich);
  }
  // Too wide for any place beside: narrower, right of the free part, as far as it may.
  const int raum = bereich.right() - frei.right();
  const int breite = std::max(std::min(w, raum), std::min(mindestBreite, w));
  return InBereich(QRect(frei.right() + 1, besitzer.top(), breite, groesse.height()), bereich);
}

QRect PlatzUeber(QSize groesse, const QRect& besitzer, const QRect& bereich) {
  QRect rahmen(QPoint(0, 0), groesse);
  rahmen.moveCenter(besitzer.center());
  return InBereich(rahmen, bereich);
}

void ImVerfuegbarenBereich(QWidget& fenster) {
  const QRect bereich = bereichVon(fenster, nullptr);
  if (bereich.isEmpty()) return;
  const QMargins rand = rahmenRand(fenster, fenster.parentWidget());
  const QRect rahmen = fenster.geometry().marginsAdded(rand);
  const QRect ziel = InBereich(rahmen, bereich);
  if (ziel != rahmen) setzen(fenster, ziel, rand);
}

void FensterImBildschirmHalten() {
  static Platzhalter* filter = nullptr;
  if (filter) return;
  filter = new Platzhalter(qApp);
  qApp->installEventFilter(filter);
}

void FreiHalten(QWidget& fenster, QWidget& teil) {
  fenster.setProperty(kFreiTeil, QVariant::fromValue(static_cast<QObject*>(&teil)));
}

void Zuordnen(QWidget& fenster, QWidget* besitzer) {
  if (!besitzer) return;
  QWidget& eigner = *besitzer->window();
  // Window managers keep only dialogs in front of their owner; X11 names no owner of a
  // plain window at all.
  if (!fenster.isVisible() && fenster.windowType() == Qt::Window)
    fenster.setWindowFlags((fenster.windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
  eigner.winId();
  fenster.winId();
  fenster.windowHandle()->setTransientParent(eigner.windowHandle());
  if (fenster.isVisible()) return;  // where the user put it
  platzieren(fenster, eigner);
  if (!eigner.isVisible()) new Nachzieher(fenster, eigner);
}

}  // namespace vovida
