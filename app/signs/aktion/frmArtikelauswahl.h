// The article list of one promotion, with check boxes and the paper choice. OK queues the
// ticked articles in the poster editor, switches the main window to the poster kind of
// the paper and redraws the preview.
#pragma once

#include "Fensterliste.h"

#include <QWidget>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace kesto::activex {
class ColumnList;
}

namespace vovida {

class frmArtikelauswahl : public QWidget {
 public:
  static constexpr const char* kName = "frmArtikelauswahl";
  frmArtikelauswahl();
  ~frmArtikelauswahl() override;

  kesto::activex::ColumnList* lst_Artikel;
  QGroupBox* fr_Papierart;
  QRadioButton* radio_Firmenpapier;
  QRadioButton* radio_Normalpapier;
  QGroupBox* fr_PapierGröße;
  QRadioButton* radio_A3;
  QRadioButton* radio_A4;
  QPushButton* OKButton;
  QPushButton* CancelButton;

  void Form_Load() {}
  // Adds the articles of the promotion code; an empty code adds nothing.
  void EinlesenAktionsartikel(const QString& code);
  void OKButton_Click();
  void CancelButton_Click();

 protected:
  void closeEvent(QCloseEvent* ereignis) override;
};

}  // namespace vovida
