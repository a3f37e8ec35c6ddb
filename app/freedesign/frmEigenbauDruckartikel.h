// The choice of the articles of a free design to print: one row per article of the
// design in page order, each ticked when the window loads. OK hides the window and keeps
// the ticks; Abbrechen unloads it.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class QPushButton;

namespace kesto::activex {
class ColumnList;
}

namespace vovida {

class frmEigenbauDruckartikel : public QWidget {
 public:
  static constexpr const char* kName = "frmEigenbauDruckartikel";
  frmEigenbauDruckartikel();

  kesto::activex::ColumnList* lst_ArtNr;
  std::array<QPushButton*, 3> cmd_Auswahl{};  // none, all, invert
  QPushButton* OKButton;
  QPushButton* CancelButton;

  // Lists the design's articles with the first description line from the server.
  void Form_Load();
  void cmd_Auswahl_Click(int index);
  void OKButton_Click();
  void CancelButton_Click();
};

// Shows the choice modally and gives the tick of each row, row 0 first; the window is
// unloaded afterwards. A cancelled choice loads afresh, every row ticked.
std::vector<bool> EigenbauDruckartikelWaehlen();

}  // namespace vovida
