#include <activex/control/ListView.h>

namespace kesto::activex {

int ListViewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ListViewModel::columnCount(const QModelIndex& parent) const {
  // A report without headers still shows its item texts.
  return parent.isValid() ? 0 : std::max<int>(1, static_cast<int>(columns_.size()));
}

QVariant ListViewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || static_cast<std::size_t>(index.row()) >= rows_.size()) return {};
  const auto column = static_cast<std::size_t>(index.column());
  if (role == Qt::DisplayRole) {
    const ListRow& r = *rows_[static_cast<std::size_t>(index.row())];
    if (column == 0) return r.text;
    return column - 1 < r.further.size() ? r.further[column - 1] : QString();
  }
  if (role == Qt::TextAlignmentRole && column < columns_.size()) {
    static constexpr Qt::Alignment kAlign[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    return QVariant::fromValue(kAlign[columns_[column].alignment] | Qt::AlignVCenter);
  }
  return {};
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 ||
      static_cast<std::size_t>(section) >= columns_.size())
    return {};
  if (role == Qt::DisplayRole) return columns_[static_cast<std::size_t>(section)].text;
  return {};
}

long ListViewModel::indexOf(const ListRow* row, std::size_t hint) const {
  if (hint < rows_.size() && rows_[hint].get() == row) return static_cast<long>(hint);
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].get() == row) return static_cast<long>(i);
  return -1;
}

void ListViewModel::addColumn(QString text) {
  const int at = static_cast<int>(columns_.size());
  if (at == 0) {  // the one implicit column becomes the first real one
    columns_.push_back({std::move(text)});
    emit headerDataChanged(Qt::Horizontal, 0, 0);
    return;
  }
  beginInsertColumns({}, at, at);
  columns_.push_back({std::move(text)});
  endInsertColumns();
}

void ListViewModel::clearColumns() {
  beginResetModel();
  columns_.clear();
  endResetModel();
}

void ListViewModel::setColumnWidth(std::size_t column, float width) {
  columns_.at(column).width = width;
  emit headerDataChanged(Qt::Horizontal, static_cast<int>(column), static_cast<int>(column));
}

void ListViewModel::setColumnAlignment(std::size_t column, int alignment) {
  columns_.at(column).alignment = alignment;
  if (!rows_.empty())
    emit dataChanged(index(0, static_cast<int>(column)),
                     index(static_cast<int>(rows_.size()) - 1, static_cast<int>(column)));
}

std::shared_ptr<ListRow> ListViewModel::insertRow(std::size_t at, QString text) {
  auto row = std::make_shared<ListRow>();
  row->text = std::move(text);
  beginInsertRows({}, static_cast<int>(at), static_cast<int>(at));
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), row);
  endInsertRows();
  return row;
}

void ListViewModel::clearRows() {
  beginResetModel();
  rows_.clear();
  endResetModel();
}

void ListViewModel::setFurther(std::size_t rowIndex, std::size_t further, QString text) {
  ListRow& r = *rows_.at(rowIndex);
  if (r.further.size() < further) r.further.resize(further);
  r.further[further - 1] = std::move(text);
  const QModelIndex cell = index(static_cast<int>(rowIndex), static_cast<int>(further));
  emit dataChanged(cell, cell, {Qt::DisplayRole});
}

}  // namespace kesto::activex
