// A main window logged in against the demo server with the tile signs set up, the editor
// shown, and helpers that type and click as a user does.
#pragma once

#include "Hauptfenster.h"

#include "Eingabe.h"

#include "Fliesen.h"
#include "Fliesendaten.h"
#include "Fliesenschild.h"
#include "Fliesenspeicher.h"
#include "Fensterliste.h"
#include "ServerZugriff.h"
#include "frmFliesenSchild.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTest>

#include <registry/Settings.h>

#include <map>
#include <string>

namespace vovida::test {

class Fliesenumgebung : public Hauptfenster {
 protected:
  void SetUp() override {
    Hauptfenster::SetUp();
    fliesendatenZuruecksetzen();
    FliesenEditorwerteVergessen();
    WeggelasseneZeilenVergessen();
    anmelden("A4N");
    FliesenEinrichten();
  }
  void TearDown() override {
    Hauptfenster::TearDown();
    fliesendatenZuruecksetzen();
    FliesenEditorwerteVergessen();
  }
  // Automatic tile data on or off on the server, before the editor opens.
  static void automatik(bool an) {
    ParameterSchreiben(QStringLiteral("PLAKAT"), QStringLiteral("FLIESEN"), an ? QStringLiteral("A") : QString());
  }
  frmFliesenSchild& editor() {
    frmFliesenSchild& f = FormZeigen<frmFliesenSchild>(&start());
    return f;
  }
  // Types the text into the box and presses Enter there.
  static void eingeben(QWidget& box, const QString& text) {
    // A box on another page: first its tab, as a person clicks it.
    if (auto* f = dynamic_cast<frmFliesenSchild*>(box.window()); f && !box.isVisible())
      for (int nr = 1; nr <= 3; ++nr)
        if (f->Frame1[static_cast<std::size_t>(nr - 1)]->isAncestorOf(&box)) seite(*f, nr);
    ersetzen(box, text);
    test::taste(box, Qt::Key_Return);
  }
  static void eingeben(QComboBox& liste, const QString& text) { eingeben(*liste.lineEdit(), text); }
  static void klicken(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  // Option and check boxes take clicks on their box and label, at the left.
  static void ankreuzen(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2)); }
  static void seite(frmFliesenSchild& f, int nr) {
    aktivieren(f);
    test::klicken(*f.TabStrip1, f.TabStrip1->tabRect(nr - 1).center());
  }
  // Clicks line zeile (from 1) of the detail list.
  static void detailWaehlen(QListWidget& detail, int zeile) {
    const QRect r = detail.visualItemRect(detail.item(zeile - 1));
    QTest::mouseClick(detail.viewport(), Qt::LeftButton, {}, r.center());
  }
  // The values of one section of the per-type memory.
  static std::map<std::string, std::string> speicher(const QString& typ, const char* abschnitt) {
    std::map<std::string, std::string> werte;
    for (const auto& [k, v] : kesto::registry::GetAllSettings(FliesenAnwendung(typ).toStdString(), abschnitt))
      werte[k] = v;
    return werte;
  }
  static void speichern(const QString& typ, const char* abschnitt, const char* schluessel, const char* wert) {
    kesto::registry::SaveSetting(FliesenAnwendung(typ).toStdString(), abschnitt, schluessel, wert);
  }
};

}  // namespace vovida::test
