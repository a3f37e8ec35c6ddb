// The ListView's report view: a flat tree view over the item model that reports clicks
// and keys to the control as the ListView's events.
#pragma once

#include <activex/control/ListView.h>

#include <QTreeView>

namespace kesto::activex {

class ReportView final : public QTreeView {
 public:
  ReportView(ListViewControl& control, QWidget* parent);

  void applySettings(bool hideHeaders, bool hideSelection, bool fullRow, int labelEdit,
                     const QFont& font, std::uint32_t fore, std::uint32_t back);
  void applyColumnWidths();
  void repaintNow();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void applySelectionColours();

  ListViewControl& control_;
  bool hideSelection_ = true;
};

}  // namespace kesto::activex
