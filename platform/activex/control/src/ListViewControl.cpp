#include "ListViewObjects.h"
#include "ReportView.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>

namespace kesto::activex {

using namespace automation;
using listview::ColumnHeaders;
using listview::ListItem;
using listview::ListItems;
using C = DispatchCall;

ListViewControl::ListViewControl() = default;
ListViewControl::~ListViewControl() { destroyWindow(); }

QTreeView* ListViewControl::view() const { return view_; }

ComPtr<ListViewControl> createListView() { return ListViewControl::create(); }

const DispatchTable<ListViewControl>& ListViewControl::dispatchTable() {
  using T = ListViewControl;
  const auto self = [](T& t) { return ComPtr<ListViewControl>(&t); };
  static const DispatchTable<T> table = [self] {
    std::vector<Member<T>> members{
          member<T>(u"ColumnHeaders", 2, kGet, {}, VT_DISPATCH, [self](T& t, C& c) {
            c.result() = Variant(static_cast<IDispatch*>(ColumnHeaders::create(self(t)).get()));
          }),
          member<T>(u"HideColumnHeaders", 4, kPut, {in(VT_BOOL)}, VT_EMPTY, [](T& t, C& c) {
            t.hideHeaders_ = c.arg(0).toBool();
            t.applyToView();
          }),
          member<T>(u"HideSelection", 5, kPut, {in(VT_BOOL)}, VT_EMPTY, [](T& t, C& c) {
            t.hideSelection_ = c.arg(0).toBool();
            t.applyToView();
          }),
          member<T>(u"ListItems", 7, kGet, {}, VT_DISPATCH, [self](T& t, C& c) {
            c.result() = Variant(static_cast<IDispatch*>(ListItems::create(self(t)).get()));
          }),
          member<T>(u"LabelEdit", 8, kPut, {in(VT_I4)}, VT_EMPTY, [](T& t, C& c) {
            t.labelEdit_ = c.arg(0).toInt32();
            t.applyToView();
          }),
          member<T>(u"SelectedItem", 13, kGet, {}, VT_DISPATCH, [self](T& t, C& c) {
            const long row = t.selectedRow();
            if (row < 0) {
              c.result() = Variant(static_cast<IDispatch*>(nullptr));
              return;
            }
            const auto at = static_cast<std::size_t>(row);
            auto item = ListItem::create(self(t), t.model_.rowPtr(at), at);
            c.result() = Variant(static_cast<IDispatch*>(item.get()));
          }),
          member<T>(u"View", 18, kPut, {in(VT_I4)}, VT_EMPTY,
                    [](T& t, C& c) { t.view_kind_ = c.arg(0).toInt32(); }),
          member<T>(u"Font", DISPID_FONT, kPutRef, {in(VT_DISPATCH)}, VT_EMPTY, [](T& t, C& c) {
            t.font_ = readFont(c.arg(0).dispatch());
            t.applyToView();
          }),
          member<T>(u"Refresh", DISPID_REFRESH, kMethod, {}, VT_EMPTY, [](T& t, C&) {
            ++t.refreshes_;
            t.rowsAtRefresh_ = t.model_.rows();
            if (t.view_) t.view_->repaintNow();
          }),
    };
    for (auto& m : stockColourMembers<T>()) members.push_back(std::move(m));
    return DispatchTable<T>("ListView", std::move(members));
  }();
  return table;
}

LONG_PTR ListViewControl::SendMessage(UINT message, UINT_PTR wParam, LONG_PTR lParam) {
  if (message == LVM_SETEXTENDEDLISTVIEWSTYLE) {
    // Mask 0 means every style bit.
    const auto mask = wParam == 0 ? ~UINT_PTR{0} : wParam;
    if (mask & LVS_EX_FULLROWSELECT) fullRow_ = (lParam & LVS_EX_FULLROWSELECT) != 0;
    applyToView();
    return 0;
  }
  if (message == LVM_SETCOLUMNWIDTH) {
    if (wParam >= model_.columns().size()) return FALSE;
    float width = static_cast<float>(lParam);
    if (lParam == LVSCW_AUTOSIZE || lParam == LVSCW_AUTOSIZE_USEHEADER)
      width = fittingWidth(wParam, lParam == LVSCW_AUTOSIZE_USEHEADER);
    else if (lParam < 0)
      return FALSE;
    model_.setColumnWidth(wParam, width);
    return TRUE;
  }
  return 0;
}

float ListViewControl::fittingWidth(std::size_t column, bool withHeader) const {
  // Without a display the widths come from an average character width.
  std::optional<QFontMetrics> metrics;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) metrics.emplace(toQFont(font_));
  const auto measure = [&](const QString& text) {
    return metrics ? metrics->horizontalAdvance(text) : static_cast<int>(text.size()) * 6;
  };
  int widest = 0;
  for (std::size_t i = 0; i < model_.rows(); ++i) {
    const ListRow& r = model_.row(i);
    const QString& text = column == 0 ? r.text
                          : column - 1 < r.further.size() ? r.further[column - 1]
                                                           : QString();
    widest = std::max(widest, measure(text));
  }
  if (withHeader) widest = std::max(widest, measure(model_.columns()[column].text));
  return static_cast<float>(widest + 12);
}

long ListViewControl::selectedRow() const {
  if (view_) {
    const QModelIndexList rows = view_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
  }
  return selected_ < static_cast<long>(model_.rows()) ? selected_ : -1;
}

void ListViewControl::selectRow(long row) {
  selected_ = row;
  if (!view_) return;
  if (row < 0 || row >= static_cast<long>(model_.rows())) {
    view_->selectionModel()->clearSelection();
    return;
  }
  view_->setCurrentIndex(model_.index(static_cast<int>(row), 0));
}

void ListViewControl::raiseClick() { events().fire(DISPID_CLICK); }
void ListViewControl::raiseDblClick() { events().fire(DISPID_DBLCLICK); }

void ListViewControl::raiseKey(bool down, std::int16_t& keyCode, std::int16_t shift) {
  VARIANT ref;
  ref.vt = VT_BYREF | VT_I2;
  ref.piVal = &keyCode;
  Variant code(ref);
  events().fire(down ? DISPID_KEYDOWN : DISPID_KEYUP, std::vector<Arg>{byRef(code), Arg(shift)});
}

void ListViewControl::onCreate() {
  if (!site() || !site()->parentWidget()) return;
  view_ = new ReportView(*this, widget());
  view_->setModel(&model_);
  QObject::connect(&model_, &QAbstractItemModel::headerDataChanged, view_,
                   [this] { view_->applyColumnWidths(); });
  QObject::connect(&model_, &QAbstractItemModel::columnsInserted, view_,
                   [this] { view_->applyColumnWidths(); });
  QObject::connect(&model_, &QAbstractItemModel::modelReset, view_,
                   [this] { view_->applyColumnWidths(); });
  applyToView();
  view_->setGeometry(0, 0, bounds().width(), bounds().height());
  view_->show();
}

void ListViewControl::onSize(int width, int height) {
  if (view_) view_->setGeometry(0, 0, width, height);
}

void ListViewControl::onDestroy() {
  if (view_) {
    selected_ = selectedRow();
    view_->setModel(nullptr);
    delete view_.data();
  }
}

void ListViewControl::onColoursChanged() { applyToView(); }

void ListViewControl::applyToView() {
  if (!view_) return;
  view_->applySettings(hideHeaders_, hideSelection_, fullRow_, labelEdit_, toQFont(font_),
                       translateColour(foreColor()), translateColour(backColor()));
}

}  // namespace kesto::activex
