// The ListView's collection and element objects; each keeps the control alive.
#pragma once

#include <activex/control/ListView.h>

namespace kesto::activex::listview {

using automation::ComPtr;
using automation::DispatchObject;
using automation::DispatchTable;

class ColumnHeaders final : public DispatchObject<ColumnHeaders> {
 public:
  explicit ColumnHeaders(ComPtr<ListViewControl> control) : control_(std::move(control)) {}
  static const DispatchTable<ColumnHeaders>& dispatchTable();
  ListViewControl& control() { return *control_; }

 private:
  ComPtr<ListViewControl> control_;
};

class ColumnHeader final : public DispatchObject<ColumnHeader> {
 public:
  ColumnHeader(ComPtr<ListViewControl> control, std::size_t column)
      : control_(std::move(control)), column_(column) {}
  static const DispatchTable<ColumnHeader>& dispatchTable();
  ListViewControl& control() { return *control_; }
  std::size_t column() const { return column_; }

 private:
  ComPtr<ListViewControl> control_;
  std::size_t column_;
};

class ListItems final : public DispatchObject<ListItems> {
 public:
  explicit ListItems(ComPtr<ListViewControl> control) : control_(std::move(control)) {}
  static const DispatchTable<ListItems>& dispatchTable();
  ListViewControl& control() { return *control_; }

 private:
  ComPtr<ListViewControl> control_;
};

class ListItem final : public DispatchObject<ListItem> {
 public:
  ListItem(ComPtr<ListViewControl> control, std::shared_ptr<ListRow> row, std::size_t hint)
      : control_(std::move(control)), row_(std::move(row)), hint_(hint) {}
  static const DispatchTable<ListItem>& dispatchTable();
  ListViewControl& control() { return *control_; }
  // The row's 0-based position now; throws when the row was removed.
  std::size_t position();
  ListRow& row() { return *row_; }

 private:
  ComPtr<ListViewControl> control_;
  std::shared_ptr<ListRow> row_;
  std::size_t hint_;
};

// A 1-based number argument as the ListView takes it (any numeric VARIANT).
long numberArgument(const automation::Variant& v);
[[noreturn]] void indexOutOfBounds();

}  // namespace kesto::activex::listview
