// The shelf-label editor: a queue editor with the label size that all users share, the
// colour of the labels' text mark, and a hidden bar-code control that the shelf-label
// layout renders the EANs with. Sending hands its list to the poster editor.
#pragma once

#include "Warteschlangenfenster.h"

#include <cstdint>

class QGroupBox;
class QRadioButton;

namespace kesto::activex {
class Barcode;
}

namespace vovida {

class frmRegalBesch : public Warteschlangenfenster {
 public:
  static constexpr const char* kName = "frmRegalBesch";
  static constexpr std::uint32_t kGruen = 0xFF00;

  frmRegalBesch();
  ~frmRegalBesch() override;

  QGroupBox* Standardtexte;
  QRadioButton* RadioAktion;
  QRadioButton* RadionBestellung;
  QRadioButton* RadioRest;
  QRadioButton* RadioWerbung;
  QLineEdit* B;
  QLineEdit* H;
  QPushButton* Save;
  QPushButton* Farbe;
  kesto::activex::Barcode* Barcode1;
  // The colour the colour dialog holds; the layout fills the text mark with it.
  std::uint32_t TextMarkeFarbe = kGruen;

  // Green text mark, currency boxes, and B and H from "RBESCH-BH".
  void Form_Load() override;

  void RadioAktion_Click();
  void RadionBestellung_Click();
  void RadioRest_Click();
  void RadioWerbung_Click();
  // A list item chosen: loaded or read as on Enter, then its page shown.
  void ArtNr_Click() override;
  void B_Change() { GroessePruefen(*B); }
  void H_Change() { GroessePruefen(*H); }
  // "RBESCH-BH" for all users, after the question.
  void Save_Click();
  void Farbe_Click();
  // The list to the poster editor, which gets every article with the poster headline.
  void cbSenden_Click();

  // The page (from 1) that shows the label of the current article, 0 when it is not
  // listed or the height is no valid label height.
  int SeiteDesArtikels() const;
  // The article of each page's first label, in page order: what the page bar shows in
  // the editor for a page. The whole list when the height is no valid label height.
  QStringList ErsteJeSeite() const;

 protected:
  bool leereNummerAufnehmen() const override { return true; }
  void nachSpeichern() override;
  // Clearing fails silently: the window closes and what was not deleted stays.
  void leerenFehlgeschlagen(const std::exception&) override {}
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  // Esc hides the window; it stays loaded with its fields.
  void keyPressEvent(QKeyEvent* ereignis) override;

 private:
  void standardtext(QRadioButton* option);
  void GroessePruefen(QLineEdit& feld);
};

}  // namespace vovida
