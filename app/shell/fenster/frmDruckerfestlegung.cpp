#include "frmDruckerfestlegung.h"

#include "Fensterliste.h"
#include "ServerZugriff.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>

#include <registry/Settings.h>

#include <cstring>

namespace vovida {

namespace {

constexpr const char* kAnwendung = "Vovida";
constexpr const char* kAbschnitt = "Drucker";

// The rows as the user sees them; the keys are read and written in kDruckerschluessel's order.
constexpr const char* kZeilen[] = {"PRTREGAL", "PRTPLA4N", "PRTPLA4F", "PRTPLA3N", "PRTPLA3F",
                                   "PRTPERSON", "PRTGARTENS", "PRTFLSCH", "PRTFLBESCH"};

std::size_t index(const char* schluessel) {
  for (std::size_t i = 0; i < kDruckerschluessel.size(); ++i)
    if (std::strcmp(kDruckerschluessel[i].schluessel, schluessel) == 0) return i;
  return kDruckerschluessel.size();
}

QPushButton* knopf(const char* name, const QString& text, QWidget* eltern) {
  auto* k = new QPushButton(text, eltern);
  k->setObjectName(QString::fromLatin1(name));
  return k;
}

}  // namespace

frmDruckerfestlegung::frmDruckerfestlegung() {
  setWindowTitle(QStringLiteral("Windows Drucker Festlegen"));
  auto* raster = new QGridLayout(this);
  int zeile = 0;
  for (const char* schluessel : kZeilen) {
    const std::size_t i = index(schluessel);
    auto* feld = new QLineEdit(this);
    feld->setObjectName(QString::fromLatin1(kDruckerschluessel[i].feld));
    felder_[i] = feld;
    raster->addWidget(new QLabel(QString::fromUtf8(kDruckerschluessel[i].beschriftung), this), zeile, 0);
    raster->addWidget(feld, zeile, 1);
    ++zeile;
  }
  auto* knoepfe = new QHBoxLayout;
  Uebernehmen = knopf("Uebernehmen", QStringLiteral("&Speichern"), this);
  ctPush1 = knopf("ctPush1", QStringLiteral("&Abbrechen"), this);
  knoepfe->addStretch();
  knoepfe->addWidget(Uebernehmen);
  knoepfe->addWidget(ctPush1);
  raster->addLayout(knoepfe, zeile, 0, 1, 2);
  connect(Uebernehmen, &QPushButton::clicked, this, [this] { Ereignis([this] { Uebernehmen_Click(); }); });
  connect(ctPush1, &QPushButton::clicked, this, [this] { Ereignis([this] { ctPush1_Click(); }); });
}

QLineEdit* frmDruckerfestlegung::Feld(const char* schluessel) const {
  const std::size_t i = index(schluessel);
  return i < felder_.size() ? felder_[i] : nullptr;
}

void frmDruckerfestlegung::Form_Load() {
  for (std::size_t i = 0; i < kDruckerschluessel.size(); ++i) {
    const char* schluessel = kDruckerschluessel[i].schluessel;
    const QString server = ParameterText(QStringLiteral("PLAKAT"), QString::fromLatin1(schluessel));
    const std::string name = kesto::registry::GetSetting(kAnwendung, kAbschnitt, schluessel, server.toStdString());
    felder_[i]->setText(QString::fromStdString(name));
  }
}

void frmDruckerfestlegung::Uebernehmen_Click() {
  // A store that cannot save raises before the window goes, so the names are not lost.
  for (std::size_t i = 0; i < kDruckerschluessel.size(); ++i)
    kesto::registry::SaveSetting(kAnwendung, kAbschnitt, kDruckerschluessel[i].schluessel,
                                 felder_[i]->text().toStdString());
  fensterliste().entladen<frmDruckerfestlegung>();
}

void frmDruckerfestlegung::ctPush1_Click() { fensterliste().entladen<frmDruckerfestlegung>(); }

void frmDruckerfestlegung::closeEvent(QCloseEvent* ereignis) {
  ereignis->accept();
  fensterliste().entladen<frmDruckerfestlegung>();
}

void DruckerfestlegungZeigen(QWidget* besitzer) { FormZeigen<frmDruckerfestlegung>(besitzer); }

}  // namespace vovida
