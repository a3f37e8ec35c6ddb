#include "Eingabe.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace vovida::test {

namespace {

QWindow* fensterVon(QWidget& widget) {
  QWidget* fenster = widget.window();
  fenster->winId();
  return fenster->windowHandle();
}

}  // namespace

void tippen(QWidget& imFenster, const QString& text) {
  QWindow* fenster = fensterVon(imFenster);
  for (const QChar c : text) {
    ASSERT_LT(c.unicode(), 128) << "only plain characters are typed";
    QTest::keyClick(fenster, static_cast<char>(c.unicode()));
  }
}

void taste(QWidget& imFenster, Qt::Key t, Qt::KeyboardModifiers zusatz) {
  QTest::keyClick(fensterVon(imFenster), t, zusatz);
}

void klicken(QWidget& ziel, QPoint stelle, Qt::MouseButton knopf) {
  if (stelle == QPoint(-1, -1)) stelle = ziel.rect().center();
  QTest::mouseClick(fensterVon(ziel), knopf, Qt::NoModifier, ziel.mapTo(ziel.window(), stelle));
}

void aktivieren(QWidget& fenster) {
  fenster.show();
  fenster.activateWindow();
  QApplication::setActiveWindow(&fenster);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
}

void ersetzen(QWidget& feld, const QString& text) {
  aktivieren(*feld.window());
  ASSERT_TRUE(feld.isVisible()) << "a person cannot type into a box that is not shown";
  klicken(feld);
  taste(feld, Qt::Key_A, Qt::ControlModifier);
  tippen(feld, text);
}

}  // namespace vovida::test
