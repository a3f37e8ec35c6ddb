#include "activex/ColumnList.h"

#include <QHeaderView>

namespace kesto::activex {

ColumnList::ColumnList(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setAllColumnsShowFocus(true);
  setColumnCount(1);
  setHeaderHidden(true);
  connect(this, &QTreeWidget::itemClicked, this, [this] {
    if (Click) Click();
  });
  connect(this, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (Edit) Edit();
  });
}

void ColumnList::setColumnHeaders(const QStringList& koepfe) {
  if (koepfe.size() > columnCount()) setColumnCount(static_cast<int>(koepfe.size()));
  setHeaderLabels(koepfe);
  setHeaderHidden(koepfe.isEmpty());
}

QTreeWidgetItem* ColumnList::zeile(int index) const {
  return index >= 0 && index < topLevelItemCount() ? topLevelItem(index) : nullptr;
}

void ColumnList::spaltenSetzen(QTreeWidgetItem& eintrag, const QString& text) {
  const QStringList teile = text.split(u';');
  if (teile.size() > columnCount()) setColumnCount(static_cast<int>(teile.size()));
  for (int s = 0; s < columnCount(); ++s) eintrag.setText(s, s < teile.size() ? teile[s] : QString());
}

void ColumnList::Clear() { clear(); }

void ColumnList::AddItem(const QString& text) {
  auto* eintrag = new QTreeWidgetItem;
  eintrag->setFlags(eintrag->flags() | Qt::ItemIsUserCheckable);
  eintrag->setCheckState(0, Qt::Unchecked);
  spaltenSetzen(*eintrag, text);
  addTopLevelItem(eintrag);
}

int ColumnList::ListCount() const { return topLevelItemCount(); }

QString ColumnList::List(int index) const {
  const QTreeWidgetItem* eintrag = zeile(index);
  if (!eintrag) return {};
  QStringList teile;
  for (int s = 0; s < columnCount(); ++s) teile << eintrag->text(s);
  while (teile.size() > 1 && teile.back().isEmpty()) teile.removeLast();
  return teile.join(u';');
}

bool ColumnList::setList(int index, const QString& text) {
  QTreeWidgetItem* eintrag = zeile(index);
  if (!eintrag) return false;
  spaltenSetzen(*eintrag, text);
  return true;
}

QString ColumnList::ColumnText(int index, int spalte) const {
  const QTreeWidgetItem* eintrag = zeile(index);
  if (!eintrag || spalte < 1 || spalte > columnCount()) return {};
  return eintrag->text(spalte - 1);
}

std::int16_t ColumnList::ItemMark(int index) const {
  const QTreeWidgetItem* eintrag = zeile(index);
  return eintrag && eintrag->checkState(0) == Qt::Checked ? 1 : 0;
}

void ColumnList::setItemMark(int index, std::int16_t mark) {
  if (QTreeWidgetItem* eintrag = zeile(index)) eintrag->setCheckState(0, mark != 0 ? Qt::Checked : Qt::Unchecked);
}

int ColumnList::ListIndex() const {
  const QTreeWidgetItem* eintrag = currentItem();
  return eintrag && eintrag->isSelected() ? indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(eintrag)) : -1;
}

void ColumnList::setListIndex(int index) {
  if (QTreeWidgetItem* eintrag = zeile(index))
    setCurrentItem(eintrag);
  else
    setCurrentItem(nullptr);
}

}  // namespace kesto::activex
