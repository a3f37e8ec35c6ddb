// The poster editor ("A4N", "A3N", "A4F", "A3F"): the queue editor with the headline
// options, the picture panel and the text alignment that the poster layout reads.
#pragma once

#include "Warteschlangenfenster.h"

#include <QImage>

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QScrollBar;

namespace kesto::activex {
class PushToggle;
}

namespace vovida {

class frmPlakat : public Warteschlangenfenster {
 public:
  static constexpr const char* kName = "frmPlakat";
  // The window's widths (twips): without and with the picture panel.
  static constexpr int kSchmal = 4440;
  static constexpr int kBreit = 8865;
  static constexpr int kTwipsProPixel = 15;
  static constexpr const char* kBildfilter =
      "Alle Bilddateien|*.bmp;*.dib;*.gif;*.jpg;*.wmf;*.emf;*.ico;*.cur|Bitmaps (*.bmp;*.dib)|*.bmp;*.dib|"
      "GIF-Bilder (*.gif)|*.gif|JPEG-Bilder (*.jpg)|*.jpg|Metafile-Dateien (*.wmf;*.emf)|*.wmf;*.emf|"
      "Symbole (*.ico;*.cur)|*.ico;*.cur|Alle Dateien|*.*";

  frmPlakat();
  ~frmPlakat() override;

  QGroupBox* Standardtexte;
  QRadioButton* RadioAktion;
  QRadioButton* RadionBestellung;
  QRadioButton* RadioPreise;
  QRadioButton* RadioRest;
  QRadioButton* RadioWerbung;

  QPushButton* BildJN;
  QGroupBox* Bildrahmen;
  QLabel* Image1;
  QImage Image1Bild;  // the picture the poster prints
  QPushButton* Oeffnen;
  QPushButton* Loeschen;
  QScrollBar* HZoom;
  QScrollBar* VZoom;
  QScrollBar* HPos;
  QScrollBar* Vpos;
  QLineEdit* HZoomtext;
  QLineEdit* VZoomText;
  QLineEdit* Hpostext;
  QLineEdit* Vpostext;
  QCheckBox* Seitenverhaeltnis;

  kesto::activex::PushToggle* B_LB;
  kesto::activex::PushToggle* B_Z;
  kesto::activex::PushToggle* B_RB;

  // The page of the current article in the main window's preview.
  void BlattAnzeigen();
  void ArtNr_Click() override;

  void RadioAktion_Click();
  void RadionBestellung_Click();
  void RadioPreise_Click();
  void RadioRest_Click();
  void RadioWerbung_Click();
  // Enables or disables the headline box and its options (disabled on letterhead).
  void UeberschriftFreigeben(bool frei);

  void cbSenden_Click();

  void BildJN_Click();
  void Oeffnen_Click();
  void Loeschen_Click();
  void HZoom_Change();
  void VZoom_Change();
  void HPos_Change();
  void Vpos_Change();
  void Seitenverhaeltnis_Click();
  // A key released in one of the four value boxes.
  void Wertfeld_KeyUp(QLineEdit& feld, int taste);

  void B_LB_Click();
  void B_Z_Click();
  void B_RB_Click();
  // 6 left, 8 right, 7 centred, from the buttons that are down.
  int Ausrichtung() const;

  // The window's width in twips.
  int BreiteTwips() const { return breiteTwips_; }

 protected:
  void nachSpeichern() override;
  void nachEntfernen() override;
  void nachListeLaden() override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void bildJNRegel();
  void bildSetzen(const QImage& bild);
  void breiteSetzen(int twips);
  void ausrichtungGeklickt(kesto::activex::PushToggle& geklickt, kesto::activex::PushToggle& partner);
  QWidget* bildPanel_ = nullptr;
  int breiteTwips_ = kSchmal;
};

}  // namespace vovida
