// The colour chooser of one role of a font definition: six fixed colours, no colour, or
// a colour of the user's own kept per font slot on this workstation. The colour is never
// stored in the control: it follows from the button that is pressed.
#pragma once

#include <QString>
#include <QToolButton>
#include <QVariantMap>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

class QLabel;

namespace vovida {

// The platform's colour dialog, opened on the colour given; nullopt when cancelled.
using Farbdialog = std::function<std::optional<std::uint32_t>(std::uint32_t anfang)>;
// An empty dialog goes back to the Qt colour dialog.
void setFarbdialog(Farbdialog dialog);
// Opens the installed colour dialog (the Qt one by default) on the colour given.
std::optional<std::uint32_t> FarbdialogZeigen(std::uint32_t anfang);

// A push button with the "State" of the outside control: False means pressed.
class Taste : public QToolButton {
 public:
  Taste(const char* name, const QString& text, QWidget* parent);
  bool State() const { return state_; }
  void setState(bool state);

 protected:
  // Only the chooser decides which button is pressed.
  void nextCheckState() override {}

 private:
  bool state_ = true;
};

class Farbe : public QWidget {
 public:
  // name: the control's name on its window, the role of the own colours it keeps.
  // slotText gives the text of the font editor's slot field P2; without it the font
  // editor is asked (and created when it is not loaded).
  explicit Farbe(const QString& name, std::function<QString()> slotText = {}, QWidget* parent = nullptr);

  Taste* R;
  Taste* G;
  Taste* B;
  Taste* S;
  Taste* W;
  Taste* N;
  Taste* A;
  QLabel* UCName;

  // The property Farbe: read from the buttons, set by pressing the matching one.
  std::uint32_t farbe() const { return FarbeErmitteln(); }
  void setFarbe(std::uint32_t farbe);
  bool Transparenz() const;
  void setTransparenz(bool sichtbar);
  QString Name() const;
  void setName(const QString& name);
  // Told the name of each property set, so that the host can keep its layout.
  std::function<void(const char* eigenschaft)> eigenschaftGeaendert;

  void TasteDruecken(Taste* taste);
  std::uint32_t FarbeErmitteln() const;
  void TasteWaehlen(std::uint32_t farbe);

  // Opens the colour dialog and keeps its colour as the slot's own colour.
  void A_MouseDown(int button, int shift, float x, float y);

  // The properties kept with the hosting window's layout.
  void ReadProperties(const QVariantMap& gespeichert);
  QVariantMap WriteProperties() const;

  // "Vovida"/"Farben" key of the own colour: slot number without leading zeros, "_",
  // the control's name. Throws when the slot field holds no whole number.
  QString Schluessel() const;

 private:
  std::array<std::pair<Taste*, std::uint32_t>, 6> festeFarben() const;
  std::optional<std::uint32_t> eigeneFarbe() const;
  void geaendert(const char* eigenschaft);

  QString steuerName_;
  std::function<QString()> slotText_;
};

}  // namespace vovida
