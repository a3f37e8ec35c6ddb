// The article search window "Suche nach Artikel": a search term and filters, and a list
// that loads its hits page by page from the server as the user scrolls.
#pragma once

#include <QWidget>

class QComboBox;
class QPushButton;
class QToolButton;

namespace kesto::activex {
class MaskEdit;
class VirtualList;
}  // namespace kesto::activex

namespace vovida {

using kesto::activex::MaskEdit;
using kesto::activex::VirtualList;

class FMArtsu : public QWidget {
 public:
  static constexpr const char* kName = "FMArtsu";
  FMArtsu();

  MaskEdit* SKBEZ;
  QComboBox* SHGRP;
  QComboBox* SUGRP;
  MaskEdit* SLNR;
  MaskEdit* LBEZ;
  QToolButton* Suchen;
  QComboBox* SABTNR;
  QComboBox* SAKTIV;
  QComboBox* SGEL;
  QPushButton* BUSuch;
  VirtualList* ARTSULI;

  // Filter lists, list columns, a new search pending.
  void Form_Load();
  void BUSuch_Click();
  void SHGRP_Click();
  void SKBEZ_Change();
  void SLNR_KeyUp(int keyCode, int shift);
  void Suchen_Click();
  void ARTSULI_RowRequest(int zeile);
  void ARTSULI_Pick();
};

}  // namespace vovida
