// A list that holds no data of its own: it is told how many rows it offers, asks its
// owner for the cells of a row when that row is first needed, and reports when the user
// picks the current row. Rows and columns count from 1.
#pragma once

#include <QTableView>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace kesto::activex {

class VirtualListModel;

class VirtualList : public QTableView {
 public:
  static constexpr int kMaxSpalten = 32;
  // A colour as the windows store it: 0x00BBGGRR.
  using Farbe = std::uint32_t;

  VirtualList();
  ~VirtualList() override;

  // Row count: a real number is accepted and cut to a whole one; below 0 counts as 0.
  int Rows() const;
  void setRows(double anzahl);
  // The row the user is on, 0 when none.
  int CurRow() const;
  void setCurRow(int zeile);
  // Drops the supplied cells; visible rows are asked for again.
  void Refresh();

  // Only while a row is being supplied: the cells of that row.
  void setCellText(int spalte, const QString& text);
  void setCellBackColor(int spalte, Farbe farbe);

  // The highest column given a header or width is the number of columns. A column is
  // shown at least as wide as its header and the supplied cells need.
  void setColumnWidthPx(int spalte, int pixel);
  void setColumnHeader(int spalte, const QString& text);
  QString ColumnHeader(int spalte) const;
  int ColumnWidthPx(int spalte) const;
  // The list's width in twips (15 per pixel).
  int WidthTwips() const { return width() * 15; }

  // Events: the owner supplies a row; the user chose the current row.
  std::function<void(int zeile)> RowRequest;
  std::function<void()> Pick;

  // Supplies row zeile now (the owner's RowRequest runs) unless it is already supplied.
  void zeileAnfordern(int zeile);
  // A supplied cell; empty text and no colour for a row not supplied.
  QString zellText(int zeile, int spalte) const;
  std::optional<Farbe> zellFarbe(int zeile, int spalte) const;

 protected:
  void keyPressEvent(QKeyEvent* ereignis) override;
  void currentChanged(const QModelIndex& neu, const QModelIndex& alt) override;

 private:
  friend class VirtualListModel;
  struct Zeile {
    std::vector<QString> texte;
    std::vector<std::optional<Farbe>> farben;
  };
  void spaltenAnpassen(int spalte);
  void anfordernSpaeter(int zeile);
  void gewaehlt();
  // Rebuilds the view after the rows or columns changed, keeping the current row.
  void neuAufbauen();
  void breiteAnwenden(int spalte);
  void inhaltMessen(int zeile);

  VirtualListModel* model_;
  int zeilen_ = 0;
  int spalten_ = 0;
  int aktuell_ = 0;
  std::vector<QString> koepfe_;
  std::vector<int> breiten_;
  std::vector<int> inhalt_;  // widest supplied cell per column since the last Refresh
  std::map<int, Zeile> zellen_;
  int liefernd_ = 0;  // row being supplied, 0 outside a request
  std::vector<int> wartend_;
  bool baut_ = false;
};

}  // namespace kesto::activex
