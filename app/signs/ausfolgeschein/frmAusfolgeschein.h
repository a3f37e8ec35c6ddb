// The delivery-slip editor: one article's descriptions, free text, product picture and bar
// code, which the slip layout reads straight from the window. Nothing is stored.
#pragma once

#include <QImage>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kesto::activex {
class Barcode;
class RTFText2;
}  // namespace kesto::activex

namespace vovida {

class frmAusfolgeschein : public QWidget {
 public:
  static constexpr const char* kName = "frmAusfolgeschein";
  // The window's two widths (twips): without and with the text area.
  static constexpr int kSchmal = 4365;
  static constexpr int kBreit = 10000;
  static constexpr const char* kSchaltflaechen =
      "cfont|csize| |new|open|save| |cut|copy|paste| |undo|redo| |bold|italic|uline|colour| |left|right|centre|bullet";

  frmAusfolgeschein();
  ~frmAusfolgeschein() override;

  QLineEdit* ArtNr;
  QLineEdit* Bez1;
  QLineEdit* Bez2;
  QLineEdit* Bez3;
  QPushButton* Read;
  QPushButton* Suchen;
  kesto::activex::RTFText2* AusfolgeRft;
  QPushButton* RFTJN;
  QGroupBox* Frame1;
  QLabel* Image1;
  QImage Image1Bild;  // the picture the slip prints
  QPushButton* Oeffnen;
  QPushButton* Loeschen;
  kesto::activex::Barcode* Barcode1;
  QPushButton* OKButton;
  QPushButton* CancelButton;

  // Rich text from the template of the logo folder, the company logo into the main window.
  void Form_Load();
  void Read_Click();
  void ArtNr_KeyUp(int keyCode);
  void ArtNr_Click();
  void Bez_KeyUp(int keyCode);
  void Oeffnen_Click();
  void Loeschen_Click();
  void AusfolgeRft_Ereignis11();
  void RFTJN_Click();
  void OKButton_Click();
  void CancelButton_Click();

  // The window's width in twips.
  int BreiteTwips() const;

  // The folders of the "FIRMENLOGO" and "AUSFOLGE" parameters as Windows paths ("@" is "\";
  // in the picture folder also "$" is "_" when mitUnterstrich).
  static QString Logoordner();
  static QString Bildordner(bool mitUnterstrich = true);

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void bildSetzen(const QImage& bild);
  int breiteTwips_ = kSchmal;
};

}  // namespace vovida
