// What the supplier and customer search windows share: a search term, one filter combo
// box, a search button and a five-column list filled by one class query of up to 500 rows.
#pragma once

#include "FerrixSu.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QPushButton;

namespace kesto::activex {
class MaskEdit;
class VirtualList;
}  // namespace kesto::activex

namespace vovida {

using kesto::activex::MaskEdit;
using kesto::activex::VirtualList;

// How the two windows differ.
struct Kontoart {
  const char* titel;
  const char* suchbegriffBeschriftung;
  const char* filterName;
  const char* filterBeschriftung;
  const char* filterKlasse;
  const char* filterAbfrage;
  std::vector<const char*> filterParameter;  // after the company
  bool leererEintragZuerst;                   // customer: an empty item, nothing shown
  bool erstenEintragZeigen;                   // supplier: the first row as the text
  QString (*filterWert)(const QString& text);
  const char* kontoKennung;                   // "L" or "K"
  const char* listenName;
  const char* ersteSpalte;
  std::vector<KontoTreffer>& (*treffer)();
  QString& (*ergebnis)();
  const char* ladeSchritt;
  const char* suchSchritt;
};

class Kontosuche : public QWidget {
 public:
  explicit Kontosuche(const Kontoart& art);

  MaskEdit* SKBEZ;
  QComboBox* Filter;
  QPushButton* BUSuch;
  VirtualList* Liste;

  void Form_Load();
  void BUSuch_Click();
  void SKBEZ_Change();
  void SKBEZ_KeyUp(int keyCode, int shift);
  void Liste_RowRequest(int zeile);
  void Liste_Pick();
  // The search procedure: term and filter to the server, rows into the store and list.
  void suchen();

 protected:
  void showEvent(QShowEvent* ereignis) override;

 private:
  const Kontoart& art_;
};

}  // namespace vovida
