#include "Platzierung.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace vovida {

namespace {

class Platzhalter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override {
    if (ereignis->type() == QEvent::Show && objekt->isWidgetType()) {
      auto* w = static_cast<QWidget*>(objekt);
      const Qt::WindowType art = w->windowType();
      // Menus, tool tips and combo box pop-ups place themselves.
      if (w->isWindow() && (art == Qt::Window || art == Qt::Dialog)) ImVerfuegbarenBereich(*w);
    }
    return QObject::eventFilter(objekt, ereignis);
  }
};

}  // namespace

void ImVerfuegbarenBereich(QWidget& fenster) {
  const QScreen* bildschirm = fenster.screen() ? fenster.screen() : QGuiApplication::primaryScreen();
  if (!bildschirm) return;
  const QRect bereich = bildschirm->availableGeometry();
  // The frame is known only once the window manager has framed the window.
  const QRect rahmen = fenster.frameGeometry();
  const int randBreite = rahmen.width() - fenster.width();
  const int randHoehe = rahmen.height() - fenster.height();
  const int breite = std::min(fenster.width(), bereich.width() - randBreite);
  const int hoehe = std::min(fenster.height(), bereich.height() - randHoehe);
  if (breite != fenster.width() || hoehe != fenster.height()) fenster.resize(breite, hoehe);
  const int x = std::clamp(rahmen.x(), bereich.left(), bereich.left() + bereich.width() - breite - randBreite);
  const int y = std::clamp(rahmen.y(), bereich.top(), bereich.top() + bereich.height() - hoehe - randHoehe);
  if (x != rahmen.x() || y != rahmen.y()) fenster.move(x, y);
}

void FensterImBildschirmHalten() {
  static Platzhalter* filter = nullptr;
  if (filter) return;
  filter = new Platzhalter(qApp);
  qApp->installEventFilter(filter);
}

}  // namespace vovida
