#include "Farbe.h"

#include "Fensterliste.h"
#include "FrmSchriftdef.h"
#include "NumberText.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

#include <registry/Settings.h>

#include <array>
#include <utility>

namespace vovida {

namespace {

constexpr const char* kUnbekannteEigeneFarbe = "12632256";

Farbdialog& farbdialog() {
  static Farbdialog d;
  return d;
}

std::optional<std::uint32_t> qtFarbdialog(std::uint32_t anfang) {
  const QColor gewaehlt = QColorDialog::getColor(QColor(anfang & 0xFF, (anfang >> 8) & 0xFF, (anfang >> 16) & 0xFF));
  if (!gewaehlt.isValid()) return std::nullopt;
  return static_cast<std::uint32_t>(gewaehlt.red()) | static_cast<std::uint32_t>(gewaehlt.green()) << 8 |
         static_cast<std::uint32_t>(gewaehlt.blue()) << 16;
}

QPixmap farbfeld(std::uint32_t farbe) {
  QPixmap bild(12, 12);
  bild.fill(QColor(farbe & 0xFF, (farbe >> 8) & 0xFF, (farbe >> 16) & 0xFF));
  return bild;
}

}  // namespace

void setFarbdialog(Farbdialog dialog) { farbdialog() = std::move(dialog); }

std::optional<std::uint32_t> FarbdialogZeigen(std::uint32_t anfang) {
  return farbdialog() ? farbdialog()(anfang) : qtFarbdialog(anfang);
}

Taste::Taste(const char* name, const QString& text, QWidget* parent) : QToolButton(parent) {
  setObjectName(QString::fromLatin1(name));
  setText(text);
  setCheckable(true);
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void Taste::setState(bool state) {
  state_ = state;
  setChecked(!state);
}

Farbe::Farbe(const QString& name, std::function<QString()> slotText, QWidget* parent)
    : QWidget(parent), steuerName_(name), slotText_(std::move(slotText)) {
  setObjectName(name);
  auto* raster = new QGridLayout(this);
  UCName = new QLabel(name, this);
  UCName->setObjectName(QStringLiteral("UCName"));
  raster->addWidget(UCName, 0, 0, 1, 4);
  R = new Taste("R", QStringLiteral("Rot"), this);
  G = new Taste("G", QStringLiteral("Grün"), this);
  B = new Taste("B", QStringLiteral("Blau"), this);
  S = new Taste("S", QStringLiteral("Schwarz"), this);
  W = new Taste("W", QStringLiteral("Weiß"), this);
  N = new Taste("N", QStringLiteral("Keine Farbe (Transparent)"), this);
  A = new Taste("A", QStringLiteral("Einzeldefinition"), this);
  int spalte = 0;
  for (const auto& [taste, farbe] : festeFarben()) {
    taste->setIcon(farbfeld(farbe));
    raster->addWidget(taste, 1 + spalte / 4, spalte % 4);
    ++spalte;
    connect(taste, &QToolButton::clicked, this, [this, t = taste] { Ereignis([this, t] { TasteDruecken(t); }); });
  }
  raster->addWidget(A, 1 + spalte / 4, spalte % 4);
  connect(A, &QToolButton::pressed, this, [this] { Ereignis([this] { A_MouseDown(1, 0, 0, 0); }); });
  // A new control is black.
  setFarbe(0);
}

std::array<std::pair<Taste*, std::uint32_t>, 6> Farbe::festeFarben() const {
  // In the order in which the colour is read from the buttons.
  return {{{R, 255}, {G, 65280}, {B, 16711680}, {S, 0}, {W, 16777215}, {N, 16711935}}};
}

void Farbe::TasteDruecken(Taste* taste) {
  for (Taste* t : {R, G, B, A, S, W, N}) t->setState(true);
  taste->setState(false);
}

QString Farbe::Schluessel() const {
  const QString slot = slotText_ ? slotText_() : SchriftdefSlotText();
  const std::int32_t nr = ganzzahl32(slot, QStringLiteral("Farbe"));
  return QString::number(nr) + u'_' + steuerName_;
}

std::optional<std::uint32_t> Farbe::eigeneFarbe() const {
  try {
    const std::string text =
        kesto::registry::GetSetting("Vovida", "Farben", Schluessel().toStdString(), kUnbekannteEigeneFarbe);
    return static_cast<std::uint32_t>(ganzzahl32(QString::fromStdString(text), QStringLiteral("Farbe")));
  } catch (const std::exception&) {
    // A slot or stored text that is no number: no own colour, and no message.
    return std::nullopt;
  }
}

std::uint32_t Farbe::FarbeErmitteln() const {
  for (const auto& [taste, farbe] : festeFarben())
    if (!taste->State()) return farbe;
  if (!A->State()) return eigeneFarbe().value_or(0);
  return 0;
}

void Farbe::TasteWaehlen(std::uint32_t farbe) {
  for (const auto& [taste, fest] : festeFarben())
    if (fest == farbe) return TasteDruecken(taste);
  if (eigeneFarbe() == farbe) TasteDruecken(A);
}

void Farbe::A_MouseDown(int, int, float, float) {
  const QString schluessel = Schluessel();
  // The dialog starts on the slot's own colour; a cancel keeps it and the pressed button.
  const std::uint32_t anfang = eigeneFarbe().value_or(12632256);
  const std::optional<std::uint32_t> gewaehlt = FarbdialogZeigen(anfang);
  if (!gewaehlt) return;
  kesto::registry::SaveSetting("Vovida", "Farben", schluessel.toStdString(), std::to_string(*gewaehlt));
  TasteDruecken(A);
}

void Farbe::setFarbe(std::uint32_t farbe) {
  TasteWaehlen(farbe);
  geaendert("Farbe");
}

bool Farbe::Transparenz() const { return !N->isHidden(); }

void Farbe::setTransparenz(bool sichtbar) {
  N->setVisible(sichtbar);
  geaendert("Transparenz");
}

QString Farbe::Name() const { return UCName->text(); }

void Farbe::setName(const QString& name) {
  UCName->setText(name);
  geaendert("Name");
}

void Farbe::geaendert(const char* eigenschaft) {
  if (eigenschaftGeaendert) eigenschaftGeaendert(eigenschaft);
}

void Farbe::ReadProperties(const QVariantMap& gespeichert) {
  setFarbe(gespeichert.value(QStringLiteral("Farbe"), 0u).toUInt());
  setTransparenz(gespeichert.value(QStringLiteral("Transparenz"), true).toBool());
  setName(gespeichert.value(QStringLiteral("Name"), steuerName_).toString());
  // Once more, so that the buttons match the colour read.
  setFarbe(farbe());
}

QVariantMap Farbe::WriteProperties() const {
  return {{QStringLiteral("Farbe"), farbe()}, {QStringLiteral("Transparenz"), Transparenz()}, {QStringLiteral("Name"), Name()}};
}

}  // namespace vovida
