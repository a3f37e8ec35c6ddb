// Stand-in for the outside ListView control {BDD1F04B-858B-11D1-B16A-00C0F0283628}, with
// exactly the members the list control uses: a flat item model (column headers with text,
// width and alignment; rows with a text and further-column texts) shown by a report view
// when the control has a real window.
//
// Dispatch identifiers: ListView 2 ColumnHeaders, 4 HideColumnHeaders, 5 HideSelection,
// 7 ListItems, 8 LabelEdit, 13 SelectedItem, 18 View, -501 BackColor, -512 Font (put by
// reference), -513 ForeColor, -550 Refresh; headers 1 Count, 3 Clear, 4 Item, 6 Add;
// header 1 Alignment, 8 Width; items 1 Count, 2 Add, 3 Clear, 4 Item; item 4 Index,
// 10 Text, 13 SubItems. Messages LVM_SETEXTENDEDLISTVIEWSTYLE and LVM_SETCOLUMNWIDTH.
// Events Click, DblClick, KeyDown and KeyUp (key codes of the platform, Shift mask
// 1 Shift, 2 Ctrl, 4 Alt).
#pragma once

#include <activex/control/Control.h>

#include <QAbstractTableModel>
#include <QString>

#include <memory>
#include <vector>

class QTreeView;

namespace kesto::activex {

class ReportView;

inline constexpr CLSID kClsidListView{
    0xBDD1F04B, 0x858B, 0x11D1, {0xB1, 0x6A, 0x00, 0xC0, 0xF0, 0x28, 0x36, 0x28}};

inline constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = 0x1036;
inline constexpr UINT LVM_SETCOLUMNWIDTH = 0x101E;
inline constexpr LONG_PTR LVS_EX_FULLROWSELECT = 0x20;
inline constexpr LONG_PTR LVSCW_AUTOSIZE = -1;
inline constexpr LONG_PTR LVSCW_AUTOSIZE_USEHEADER = -2;

// The ListView's error for a row or column number it does not have.
inline constexpr std::uint16_t kListViewIndexError = 35600;

struct ListColumn {
  QString text;
  float width = 96.0f;  // pixels
  int alignment = 0;    // 0 left, 1 right, 2 centre
};

struct ListRow {
  QString text;
  std::vector<QString> further;  // further column 1 at [0]
};

class ListViewModel final : public QAbstractTableModel {
 public:
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  const std::vector<ListColumn>& columns() const { return columns_; }
  std::size_t rows() const { return rows_.size(); }
  const ListRow& row(std::size_t i) const { return *rows_.at(i); }
  std::shared_ptr<ListRow> rowPtr(std::size_t i) const { return rows_.at(i); }
  // Position of `row`, looked for first at `hint`; -1 when it is gone.
  long indexOf(const ListRow* row, std::size_t hint) const;

  void addColumn(QString text);
  void clearColumns();
  void setColumnWidth(std::size_t column, float width);
  void setColumnAlignment(std::size_t column, int alignment);
  // Inserts before position `at` (0-based, at most rows()).
  std::shared_ptr<ListRow> insertRow(std::size_t at, QString text);
  void clearRows();
  void setFurther(std::size_t rowIndex, std::size_t further, QString text);

 private:
  std::vector<ListColumn> columns_;
  std::vector<std::shared_ptr<ListRow>> rows_;
};

class ListViewControl final : public Control<ListViewControl> {
 public:
  ListViewControl();
  ~ListViewControl() override;
  static const automation::DispatchTable<ListViewControl>& dispatchTable();

  void exchange(automation::PropExchange&) {}
  std::vector<PropertyPage> PropertyPages() const override { return {}; }
  LONG_PTR SendMessage(UINT message, UINT_PTR wParam, LONG_PTR lParam) override;

  ListViewModel& model() { return model_; }
  QTreeView* view() const;  // the report view; null when headless

  bool hideColumnHeaders() const { return hideHeaders_; }
  bool hideSelection() const { return hideSelection_; }
  bool fullRowSelect() const { return fullRow_; }
  int labelEdit() const { return labelEdit_; }
  int viewKind() const { return view_kind_; }
  int refreshCount() const { return refreshes_; }
  std::size_t rowsAtLastRefresh() const { return rowsAtRefresh_; }
  const automation::FontDesc& font() const { return font_; }

  // 0-based selected row, -1 when none.
  long selectedRow() const;
  void selectRow(long row);  // -1 clears

  // What the report view reports.
  void raiseClick();
  void raiseDblClick();
  void raiseKey(bool down, std::int16_t& keyCode, std::int16_t shift);

  // Width that shows every text of the column (and its header when `withHeader`).
  float fittingWidth(std::size_t column, bool withHeader) const;

 protected:
  void onCreate() override;
  void onSize(int width, int height) override;
  void onDestroy() override;
  void onColoursChanged() override;

 private:
  void applyToView();

  ListViewModel model_;
  QPointer<ReportView> view_;
  long selected_ = -1;  // headless selection
  bool hideHeaders_ = false;
  bool hideSelection_ = true;
  bool fullRow_ = false;
  int labelEdit_ = 0;
  int view_kind_ = 0;
  int refreshes_ = 0;
  std::size_t rowsAtRefresh_ = 0;
  automation::FontDesc font_;
};

automation::ComPtr<ListViewControl> createListView();

// The platform's virtual-key code of a Qt key (0 when it has none) and the Shift mask of
// Qt modifiers.
std::int16_t virtualKey(int qtKey);
std::int16_t shiftMask(Qt::KeyboardModifiers modifiers);

}  // namespace kesto::activex
