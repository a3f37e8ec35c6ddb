// The outdoor-sign editor: a queue editor whose entries also keep the arrow direction,
// with the sign size shared by the whole company and the arrow pictures the layout
// draws. Headlines go into the price information here; the window has no headline box.
#pragma once

#include "Warteschlangenfenster.h"

#include <QImage>

#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QRadioButton;

namespace vovida {

// The program-wide arrow direction: 0 none, 1 up, 2 down. It outlives the editor; the
// layout draws every sign with it.
struct FrSchildGlobale {
  std::int16_t Pfeilrichtung = 0;
};
FrSchildGlobale& frSchildGlobale();
void frSchildGlobaleZuruecksetzen();  // tests

// The queue key of the arrow direction, and the direction a stored text stands for:
// anything but "0", "1" or "2" is no direction.
inline constexpr const char* kPfeilRichtung = "PfeilRichtung";
std::int16_t PfeilrichtungAusText(const QString& text);

class frmFrSchild : public Warteschlangenfenster {
 public:
  static constexpr const char* kName = "frmFrSchild";
  static constexpr const char* kGroesse = "FRSCH-BH";

  frmFrSchild();
  ~frmFrSchild() override;

  QGroupBox* Standardtexte;
  QRadioButton* RadioLeer;
  QRadioButton* RadioAktion;
  QRadioButton* RadionBestellung;
  QRadioButton* RadioRest;
  QRadioButton* RadioWerbung;
  QGroupBox* frRichtung;
  std::array<QRadioButton*, 3> ORichtung{};
  // The arrow pictures by direction and the controls that show them.
  std::array<QLabel*, 3> Bild{};
  std::array<QImage, 3> BildBild;
  QLineEdit* B;
  QLineEdit* H;
  QPushButton* Save;

  // The currency box, then the size from the company parameter.
  void Form_Load() override;
  void Read_Click() override;
  void ArtNr_Click() override;
  void RadioLeer_Click();
  void RadioAktion_Click();
  void ORichtung_Click(int index);
  void B_Change() { groessePruefen(*B); }
  void H_Change() { groessePruefen(*H); }
  void Save_Click();

  // The picture of the program-wide direction.
  const QImage& Pfeilbild() const;

 protected:
  void eintragSchreiben(const QString& artNr) override;
  void eintragLesen(const QString& artNr) override;
  bool leereNummerAufnehmen() const override { return true; }
  bool mitUeberschrift() const override { return false; }
  // The standard text of the ticked option: it is the sheet's, not one article's.
  QString Infovorgabe() const override;
  void nachSpeichern() override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void standardtext(const QString& text);
  void groessePruefen(QLineEdit& feld);
};

}  // namespace vovida
