#include "frmAbout.h"

#include "Bilder.h"
#include "Fensterliste.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>

#include <services/MessageBox.h>

#include <array>
#include <cstdint>
#include <utility>

namespace vovida {

namespace {

Programmstarter& starter() {
  static Programmstarter s;
  return s;
}

bool starten(const QString& programm) {
  if (starter()) return starter()(programm);
  return QProcess::startDetached(programm, {});
}

QLabel* label(const char* name, const QString& text, QWidget* eltern) {
  auto* l = new QLabel(text, eltern);
  if (name) l->setObjectName(QString::fromLatin1(name));
  return l;
}

QPushButton* knopf(const char* name, const QString& text, QWidget* eltern) {
  auto* k = new QPushButton(text, eltern);
  k->setObjectName(QString::fromLatin1(name));
  return k;
}

QLabel* verweis(const char* name, const QString& ziel, const QString& text, QWidget* eltern) {
  QLabel* l = label(name, QStringLiteral("<a href=\"%1\">%2</a>").arg(ziel, text.toHtmlEscaped()), eltern);
  l->setTextFormat(Qt::RichText);
  l->setOpenExternalLinks(true);
  return l;
}

}  // namespace

Programmversion& programmversion() {
  static Programmversion v;
  return v;
}

QString VersionText(const Programmversion& v) {
  return QStringLiteral("%1.%2.%3").arg(v.Major).arg(v.Minor).arg(v.Revision);
}

void setProgrammstarter(Programmstarter s) { starter() = std::move(s); }

bool GetKeyValue(HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef, QString& KeyVal) {
  HKEY schluessel = nullptr;
  // Reading needs no more than read access; full access fails on keys the user may not change.
  if (RegOpenKeyEx(KeyRoot, KeyName.toUtf8().constData(), 0, KEY_READ, &schluessel) != ERROR_SUCCESS)
    return false;
  std::array<unsigned char, 1024> puffer{};
  std::uint32_t groesse = puffer.size();
  std::uint32_t typ = REG_NONE;
  const std::int32_t rc =
      RegQueryValueEx(schluessel, SubKeyRef.toUtf8().constData(), nullptr, &typ, puffer.data(), &groesse);
  if (rc != ERROR_SUCCESS || groesse > puffer.size()) {
    RegCloseKey(schluessel);
    return false;
  }
  std::size_t laenge = groesse;
  if (laenge > 0 && puffer[laenge - 1] == 0) --laenge;
  if (typ == REG_SZ) {
    KeyVal = QString::fromUtf8(reinterpret_cast<const char*>(puffer.data()), static_cast<qsizetype>(laenge));
  } else if (typ == REG_DWORD) {
    // The bytes from the last to the first make the number.
    std::uint32_t zahl = 0;
    for (std::size_t i = laenge; i > 0; --i) zahl = (zahl << 8) | puffer[i - 1];
    KeyVal = QString::number(zahl);
  }
  RegCloseKey(schluessel);
  return true;
}

frmAbout::frmAbout() {
  auto* raster = new QGridLayout(this);
  picIcon = label("picIcon", {}, this);
  picIcon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
  lblTitle = label("lblTitle", {}, this);
  lblVersion = label("lblVersion", {}, this);
  lblDescription = label("lblDescription", QStringLiteral("Plakatdruckprogramm mit Vorschaufunktion"), this);
  ctHyperLink1 = verweis("ctHyperLink1", QStringLiteral("https://www.example.com/"), QStringLiteral("www.example.com"), this);
  ctHyperLink2 = verweis("ctHyperLink2", QStringLiteral("mailto:info@example.com"), QStringLiteral("info@example.com"), this);
  cmdOK = knopf("cmdOK", QStringLiteral("OK"), this);
  cmdSysInfo = knopf("cmdSysInfo", QStringLiteral("&Systeminfo..."), this);

  raster->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
  raster->addWidget(label(nullptr, QStringLiteral("Produktname"), this), 0, 1);
  raster->addWidget(lblTitle, 0, 2);
  raster->addWidget(label(nullptr, QStringLiteral("Version "), this), 1, 1);
  raster->addWidget(lblVersion, 1, 2);
  raster->addWidget(label(nullptr, QStringLiteral("Beschreibung"), this), 2, 1);
  raster->addWidget(lblDescription, 2, 2);
  raster->addWidget(label(nullptr, QStringLiteral("Erstellt am 21.03.'00 Letzte Korrektur 24.02.'03"), this), 3, 1, 1, 2);
  raster->addWidget(ctHyperLink1, 4, 1, 1, 2);
  raster->addWidget(ctHyperLink2, 5, 1, 1, 2);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch();
  knoepfe->addWidget(cmdOK);
  knoepfe->addWidget(cmdSysInfo);
  raster->addLayout(knoepfe, 6, 0, 1, 3);
  connect(cmdOK, &QPushButton::clicked, this, [this] { Ereignis([this] { cmdOK_Click(); }); });
  connect(cmdSysInfo, &QPushButton::clicked, this, [this] { Ereignis([this] { cmdSysInfo_Click(); }); });
  Form_Load();
}

void frmAbout::Form_Load() {
  const QString titel = QCoreApplication::applicationName();
  setWindowTitle(QStringLiteral("Info zu ") + titel);
  lblTitle->setText(titel);
  lblVersion->setText(VersionText(programmversion()));
}

void frmAbout::cmdOK_Click() { fensterliste().entladen<frmAbout>(); }

void frmAbout::StartSysInfo() {
  QString pfad;
  if (GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), QStringLiteral("PATH"), pfad)) {
    if (starten(PfadAbbilden(pfad))) return;
  } else if (GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), QStringLiteral("MSINFO"), pfad)) {
    const QString datei = PfadAbbilden(pfad + QStringLiteral("\\MSINFO32.EXE"));
    if (QFileInfo(datei).isFile() && starten(datei)) return;
  }
  kesto::services::messageBox("Systeminformationen sind momentan nicht verfügbar",
                              QCoreApplication::applicationName().toStdString(), MB_OK);
}

void frmAbout::closeEvent(QCloseEvent* ereignis) {
  ereignis->accept();
  fensterliste().entladen<frmAbout>();
}

void AboutZeigen() {
  frmAbout& fenster = fensterliste().holen<frmAbout>();
  fenster.show();
  fenster.raise();
}

}  // namespace vovida
