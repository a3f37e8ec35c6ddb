// The multi-column list control: rows added as text whose columns are separated by ";",
// a check box in column 1 (the row's mark), the row text read and written, the selected
// row, and click and edit (double-click) events. Rows and columns as the hosts count
// them: rows from 0, columns from 1.
#pragma once

#include <QStringList>
#include <QTreeWidget>

#include <cstdint>
#include <functional>

namespace kesto::activex {

class ColumnList : public QTreeWidget {
 public:
  explicit ColumnList(QWidget* parent = nullptr);

  // The column headers; the list has at least as many columns as headers.
  void setColumnHeaders(const QStringList& koepfe);

  void Clear();
  // Adds a row whose columns are the pieces of the text split at ";".
  void AddItem(const QString& zeile);
  int ListCount() const;
  // The row's columns joined by ";"; "" for a row that does not exist.
  QString List(int zeile) const;
  // Rewrites the row's columns; a row that does not exist is left alone (false).
  bool setList(int zeile, const QString& text);
  // Column from 1; "" outside the list.
  QString ColumnText(int zeile, int spalte) const;

  // The mark of a row (the check box of column 1): 1 ticked, 0 not or no such row.
  std::int16_t ItemMark(int zeile) const;
  void setItemMark(int zeile, std::int16_t mark);

  // The selected row, -1 when none.
  int ListIndex() const;
  void setListIndex(int zeile);

  std::function<void()> Click;  // a row clicked
  std::function<void()> Edit;   // a row double-clicked

 private:
  QTreeWidgetItem* zeile(int index) const;
  void spaltenSetzen(QTreeWidgetItem& eintrag, const QString& text);
};

}  // namespace kesto::activex
