#include "FMServer.h"

#include "Anmeldung.h"
#include "FMPass.h"
#include "Fensterliste.h"
#include "Kestoapi.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <services/MessageBox.h>

namespace vovida {

namespace {

QLineEdit* feld(QFormLayout* form, const char* name, const QString& beschriftung, const QString& text) {
  auto* f = new QLineEdit(text);
  f->setObjectName(QString::fromUtf8(name));
  f->setEnabled(false);
  form->addRow(beschriftung, f);
  return f;
}

bool frage(const char* text) {
  return kesto::services::messageBox(text, "Anmeldung an Kesto", MB_YESNO) == IDYES;
}

}  // namespace

FMServer::FMServer() : Lock(std::chrono::milliseconds(30000), [] { LockAbgelaufen(); }) {
  setWindowTitle(QStringLiteral("Ferrix Server"));
  auto* form = new QFormLayout(this);
  BNAMESPACE = feld(form, "BNAMESPACE", QStringLiteral("Namespace:"), QStringLiteral("Ferrix"));
  BFIRMA = feld(form, "BFIRMA", QStringLiteral("Firma:"), QStringLiteral("1"));
  BFIL = feld(form, "BFIL", QStringLiteral("Filiale:"), QStringLiteral("0"));
  BSERVERIP = feld(form, "BSERVERIP", QStringLiteral("ServerIP:"), QString::fromLatin1(kStandardServer));
  BPORT = feld(form, "BPORT", QStringLiteral("Port:"), QStringLiteral("1973"));
  BUEdit = new QPushButton(QStringLiteral("Ändern"));
  BUEdit->setObjectName(QStringLiteral("BUEdit"));
  BUEdit->setCheckable(true);
  BUZurueck = new QPushButton(QStringLiteral("Zurück"));
  BUZurueck->setObjectName(QStringLiteral("BUZurück"));
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(BUEdit);
  knoepfe->addWidget(BUZurueck);
  form->addRow(knoepfe);
  connect(BUEdit, &QPushButton::clicked, this, [this] { Ereignis([this] { BUEdit_Click(); }); });
  connect(BUZurueck, &QPushButton::clicked, this, [this] { Ereignis([this] { BUZurueck_Click(); }); });
}

void FMServer::felderFreigeben(bool an) {
  for (QLineEdit* f : {BNAMESPACE, BFIRMA, BFIL, BSERVERIP, BPORT}) f->setEnabled(an);
}

void FMServer::BUEdit_Click() {
  if (BUEdit->isChecked()) {
    if (frage("Änderungen erlauben?")) {
      felderFreigeben(true);
    } else {
      const QSignalBlocker sperre(BUEdit);
      BUEdit->setChecked(false);
    }
    return;
  }
  felderFreigeben(false);
  if (frage("Änderungen sichern?")) {
    ServerarbeitBeenden();
    ServerTrennen();
    fensterliste().holen<FMPass>().Sichern();
    LoginEinstellungenLesen();
  }
}

void FMServer::BUZurueck_Click() { hide(); }

}  // namespace vovida
