// The search tests: the server started with the demo data and the login globals set, so
// that the search windows reach it without the login window.
#pragma once

#include "Umgebung.h"

#include "FerrixSu.h"
#include "Kestoapi.h"
#include <activex/VirtualList.h>

#include <QStringList>

#include <registry/Settings.h>

namespace vovida::test {

class Suchumgebung : public Umgebung {
 protected:
  void SetUp() override {
    Umgebung::SetUp();
    ferrixSuZuruecksetzen();
    serverStarten();
    KestoapiGlobale& g = kestoapi();
    g.ServerAdresse = QStringLiteral("127.0.0.1");
    g.ServerPort = QString::fromStdString(kesto::registry::GetSetting("Kesto Login", "Login", "Port", ""));
    g.Verbindungstext = verbindungstext();
    g.Firma = QStringLiteral("1");
    g.Filiale = QStringLiteral("0");
    g.LoginBenutzer = QStringLiteral("DEMO");
  }

  // The cells of a row as the list shows them, after asking its owner for them.
  static QStringList zeile(VirtualList& liste, int nr, int spalten) {
    liste.zeileAnfordern(nr);
    QStringList zellen;
    for (int s = 1; s <= spalten; ++s) zellen << liste.zellText(nr, s);
    return zellen;
  }
};

}  // namespace vovida::test
