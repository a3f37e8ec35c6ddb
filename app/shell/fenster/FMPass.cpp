#include "FMPass.h"

#include "Anmeldung.h"
#include "FMServer.h"
#include "FMStart.h"
#include "Fensterliste.h"
#include "Kestoapi.h"
#include "KestoapiHilfen.h"
#include "Platzierung.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <registry/Settings.h>

namespace vovida {

namespace {

QPushButton* knopf(const char* name, const QString& text) {
  auto* k = new QPushButton(text);
  k->setObjectName(QString::fromUtf8(name));
  k->setAutoDefault(false);
  return k;
}

void speichern(const char* schluessel, const QString& wert) {
  kesto::registry::SaveSetting("Kesto Login", "Login", schluessel, wert.toStdString());
}

}  // namespace

FMPass::FMPass() {
  setWindowTitle(QStringLiteral("Ferrix Benutzeranmeldung"));
  auto* form = new QFormLayout(this);
  BUSER = new QLineEdit;
  BUSER->setObjectName(QStringLiteral("BUSER"));
  BPASSWORT = new QLineEdit;
  BPASSWORT->setObjectName(QStringLiteral("BPASSWORT"));
  BPASSWORT->setEchoMode(QLineEdit::Password);
  form->addRow(QStringLiteral("User(WWS Personalcode):"), BUSER);
  form->addRow(QStringLiteral("Passwort:"), BPASSWORT);
  BUSpeich = knopf("BUSpeich", QStringLiteral("Anmelden"));
  BUSpeich->setDefault(true);
  BUAusst = knopf("BUAusst", QStringLiteral("Abbruch"));
  BUServer = knopf("BUServer", QStringLiteral("Server"));
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(BUSpeich);
  knoepfe->addWidget(BUAusst);
  knoepfe->addWidget(BUServer);
  form->addRow(knoepfe);
  BUSER->installEventFilter(this);
  BPASSWORT->installEventFilter(this);
  connect(BUSpeich, &QPushButton::clicked, this, [this] { Ereignis([this] { BUSpeich_Click(); }); });
  connect(BUAusst, &QPushButton::clicked, this, [this] { Ereignis([this] { BUAusst_Click(); }); });
  connect(BUServer, &QPushButton::clicked, this, [this] { Ereignis([this] { BUServer_Click(); }); });
}

bool FMPass::eventFilter(QObject* objekt, QEvent* ereignis) {
  auto* feld = qobject_cast<QLineEdit*>(objekt);
  if (feld && ereignis->type() == QEvent::FocusIn) {
    // After the click that focused the box, so that the click does not undo the selection.
    QTimer::singleShot(0, feld, [feld] { TextMarkieren(*feld, true); });
  } else if (feld == BUSER && ereignis->type() == QEvent::FocusOut) {
    BUSER->setText(BUSER->text().toUpper());
  }
  return QDialog::eventFilter(objekt, ereignis);
}

void FMPass::showEvent(QShowEvent* ereignis) {
  QDialog::showEvent(ereignis);
  BPASSWORT->setFocus();
}

void FMPass::focusInEvent(QFocusEvent* ereignis) {
  QDialog::focusInEvent(ereignis);
  BPASSWORT->setFocus();
}

void FMPass::BUSpeich_Click() {
  Sichern();
  Fensterliste& fenster = fensterliste();
  if (fenster.geladen<FMStart>() && fenster.holen<FMStart>().isVisible()) {
    // A change of user: a failed one keeps the previous user logged in and this window
    // open, so that no unchecked user code becomes the server context.
    if (!BenutzerWechseln()) return;
    fenster.holen<FMStart>().setWindowTitle(Fenstertitel(QStringLiteral("Ferrix Korrespondenz")));
  }
  QApplication::processEvents();
  hide();
}

void FMPass::BUAusst_Click() {
  kestoapi().Benutzerkennung.clear();
  AlleFormulareEntladen();
}

void FMPass::reject() {
  Ereignis([this] { BUAusst_Click(); });
}

void FMPass::BUServer_Click() {
  FMServer& server = fensterliste().holen<FMServer>();
  Zuordnen(server, this);
  ModalZeigen(server);
}

void FMPass::Sichern() {
  FMServer& server = fensterliste().holen<FMServer>();
  speichern("Firma", server.BFIRMA->text());
  speichern("Filiale", server.BFIL->text());
  speichern("Name", BUSER->text());
  speichern("Server", server.BSERVERIP->text());
  speichern("Port", server.BPORT->text());
  speichern("Namespace", server.BNAMESPACE->text());
}

}  // namespace vovida
