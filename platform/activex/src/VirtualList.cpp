#include "activex/VirtualList.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace kesto::activex {

class VirtualListModel : public QAbstractTableModel {
 public:
  explicit VirtualListModel(VirtualList& liste) : liste_(liste) {}

  int rowCount(const QModelIndex& eltern) const override { return eltern.isValid() ? 0 : liste_.zeilen_; }
  int columnCount(const QModelIndex& eltern) const override { return eltern.isValid() ? 0 : liste_.spalten_; }

  QVariant data(const QModelIndex& index, int rolle) const override {
    if (!index.isValid()) return {};
    const int zeile = index.row() + 1;
    const int spalte = index.column() + 1;
    if (liste_.zellen_.find(zeile) == liste_.zellen_.end()) {
      // Never ask the owner while painting: the request runs once control is back.
      if (rolle == Qt::DisplayRole) liste_.anfordernSpaeter(zeile);
      return {};
    }
    if (rolle == Qt::DisplayRole) return liste_.zellText(zeile, spalte);
    if (rolle == Qt::BackgroundRole) {
      const auto farbe = liste_.zellFarbe(zeile, spalte);
      if (!farbe) return {};
      return QColor(int(*farbe & 0xFF), int((*farbe >> 8) & 0xFF), int((*farbe >> 16) & 0xFF));
    }
    return {};
  }

  QVariant headerData(int abschnitt, Qt::Orientation richtung, int rolle) const override {
    if (richtung == Qt::Horizontal && rolle == Qt::DisplayRole) return liste_.ColumnHeader(abschnitt + 1);
    return QAbstractTableModel::headerData(abschnitt, richtung, rolle);
  }

  void neu() {
    beginResetModel();
    endResetModel();
  }
  void zeileGeaendert(int zeile) {
    if (zeile < 1 || zeile > liste_.zeilen_ || liste_.spalten_ == 0) return;
    emit dataChanged(index(zeile - 1, 0), index(zeile - 1, liste_.spalten_ - 1));
  }

 private:
  VirtualList& liste_;
};

VirtualList::VirtualList() : model_(new VirtualListModel(*this)) {
  model_->setParent(this);
  setModel(model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  verticalHeader()->hide();
  connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex&) { gewaehlt(); });
}

VirtualList::~VirtualList() = default;

int VirtualList::Rows() const { return zeilen_; }

void VirtualList::setRows(double anzahl) {
  double ganz = std::trunc(anzahl);
  if (!(ganz > 0)) ganz = 0;  // NaN and negatives offer no rows
  ganz = std::min(ganz, double(std::numeric_limits<int>::max()));
  zeilen_ = int(ganz);
  aktuell_ = std::min(aktuell_, zeilen_);
  neuAufbauen();
}

int VirtualList::CurRow() const { return aktuell_; }

void VirtualList::setCurRow(int zeile) {
  aktuell_ = std::clamp(zeile, 0, zeilen_);
  baut_ = true;
  if (aktuell_ > 0 && spalten_ > 0)
    setCurrentIndex(model_->index(aktuell_ - 1, 0));
  else
    clearSelection();
  baut_ = false;
}

void VirtualList::Refresh() {
  zellen_.clear();
  std::fill(inhalt_.begin(), inhalt_.end(), 0);
  neuAufbauen();
}

void VirtualList::neuAufbauen() {
  baut_ = true;
  model_->neu();
  for (int s = 1; s <= spalten_; ++s) breiteAnwenden(s);
  baut_ = false;
  setCurRow(aktuell_);
}

void VirtualList::breiteAnwenden(int spalte) {
  const std::size_t i = std::size_t(spalte - 1);
  // The owner's width unless the header or a supplied cell needs more: a number must
  // never end in an ellipsis.
  const int noetig = std::max(inhalt_[i], horizontalHeader()->sectionSizeHint(spalte - 1));
  const int breite = breiten_[i] > 0 ? std::max(breiten_[i], noetig) : 0;
  if (breite > 0 && breite != columnWidth(spalte - 1)) QTableView::setColumnWidth(spalte - 1, breite);
}

void VirtualList::inhaltMessen(int zeile) {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  for (int s = 1; s <= spalten_; ++s) {
    if (zellText(zeile, s).isEmpty()) continue;
    const int breite = itemDelegate()->sizeHint(option, model_->index(zeile - 1, s - 1)).width();
    int& inhalt = inhalt_[std::size_t(s - 1)];
    if (breite <= inhalt) continue;
    inhalt = breite;
    breiteAnwenden(s);
  }
}

void VirtualList::currentChanged(const QModelIndex& neu, const QModelIndex& alt) {
  QTableView::currentChanged(neu, alt);
  if (!baut_) aktuell_ = neu.isValid() ? neu.row() + 1 : 0;
}

void VirtualList::spaltenAnpassen(int spalte) {
  if (spalte < 1 || spalte > kMaxSpalten) throw std::out_of_range("Spalte außerhalb der Liste");
  if (spalte <= spalten_) return;
  spalten_ = spalte;
  koepfe_.resize(std::size_t(spalten_));
  breiten_.resize(std::size_t(spalten_), 0);
  inhalt_.resize(std::size_t(spalten_), 0);
  neuAufbauen();
}

void VirtualList::setCellText(int spalte, const QString& text) {
  // Outside a row request, or for a row the list no longer offers, there is no cell.
  if (liefernd_ == 0 || liefernd_ > zeilen_) return;
  spaltenAnpassen(spalte);
  Zeile& z = zellen_[liefernd_];
  if (z.texte.size() < std::size_t(spalte)) z.texte.resize(std::size_t(spalte));
  z.texte[std::size_t(spalte - 1)] = text;
}

void VirtualList::setCellBackColor(int spalte, Farbe farbe) {
  if (liefernd_ == 0 || liefernd_ > zeilen_) return;
  spaltenAnpassen(spalte);
  Zeile& z = zellen_[liefernd_];
  if (z.farben.size() < std::size_t(spalte)) z.farben.resize(std::size_t(spalte));
  z.farben[std::size_t(spalte - 1)] = farbe & 0xFFFFFFu;
}

void VirtualList::setColumnWidthPx(int spalte, int pixel) {
  spaltenAnpassen(spalte);
  breiten_[std::size_t(spalte - 1)] = std::max(pixel, 0);
  QTableView::setColumnWidth(spalte - 1, std::max(pixel, 0));
  breiteAnwenden(spalte);
}

void VirtualList::setColumnHeader(int spalte, const QString& text) {
  spaltenAnpassen(spalte);
  koepfe_[std::size_t(spalte - 1)] = text;
  model_->headerDataChanged(Qt::Horizontal, spalte - 1, spalte - 1);
}

QString VirtualList::ColumnHeader(int spalte) const {
  return spalte >= 1 && spalte <= spalten_ ? koepfe_[std::size_t(spalte - 1)] : QString();
}

int VirtualList::ColumnWidthPx(int spalte) const {
  return spalte >= 1 && spalte <= spalten_ ? breiten_[std::size_t(spalte - 1)] : 0;
}

void VirtualList::zeileAnfordern(int zeile) {
  if (zeile < 1 || zeile > zeilen_ || zellen_.count(zeile) || !RowRequest) return;
  const int vorher = liefernd_;
  liefernd_ = zeile;
  struct Zurueck {
    int& ziel;
    int wert;
    ~Zurueck() { ziel = wert; }
  } zurueck{liefernd_, vorher};
  RowRequest(zeile);
  // A row the owner left empty counts as supplied, so that painting does not ask again.
  if (zeile <= zeilen_) zellen_.try_emplace(zeile);
  model_->zeileGeaendert(zeile);
  if (zeile <= zeilen_) inhaltMessen(zeile);
}

QString VirtualList::zellText(int zeile, int spalte) const {
  const auto it = zellen_.find(zeile);
  if (it == zellen_.end() || spalte < 1 || std::size_t(spalte) > it->second.texte.size()) return {};
  return it->second.texte[std::size_t(spalte - 1)];
}

std::optional<VirtualList::Farbe> VirtualList::zellFarbe(int zeile, int spalte) const {
  const auto it = zellen_.find(zeile);
  if (it == zellen_.end() || spalte < 1 || std::size_t(spalte) > it->second.farben.size()) return {};
  return it->second.farben[std::size_t(spalte - 1)];
}

void VirtualList::anfordernSpaeter(int zeile) {
  if (std::find(wartend_.begin(), wartend_.end(), zeile) != wartend_.end()) return;
  wartend_.push_back(zeile);
  QTimer::singleShot(0, this, [this, zeile] {
    wartend_.erase(std::remove(wartend_.begin(), wartend_.end(), zeile), wartend_.end());
    zeileAnfordern(zeile);
  });
}

void VirtualList::gewaehlt() {
  if (Pick) Pick();
}

void VirtualList::keyPressEvent(QKeyEvent* ereignis) {
  if (ereignis->key() == Qt::Key_Return || ereignis->key() == Qt::Key_Enter) {
    gewaehlt();
    return;
  }
  QTableView::keyPressEvent(ereignis);
}

}  // namespace kesto::activex
