#include "ReportView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kesto::activex {

namespace {

QColor colourOf(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace

ReportView::ReportView(ListViewControl& control, QWidget* parent)
    : QTreeView(parent), control_(control) {
  setObjectName(QStringLiteral("ListView"));
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);  // keeps long lists cheap to lay out and scroll
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
}

void ReportView::applySettings(bool hideHeaders, bool hideSelection, bool fullRow, int labelEdit,
                               const QFont& font, std::uint32_t fore, std::uint32_t back) {
  setHeaderHidden(hideHeaders);
  hideSelection_ = hideSelection;
  setAllColumnsShowFocus(fullRow);
  setSelectionBehavior(fullRow ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
  // Label editing 1 = manual: the user never edits in place.
  setEditTriggers(labelEdit == 1 ? QAbstractItemView::NoEditTriggers
                                 : QAbstractItemView::SelectedClicked);
  setFont(font);
  QPalette p = palette();
  p.setColor(QPalette::Base, colourOf(back));
  p.setColor(QPalette::Text, colourOf(fore));
  setPalette(p);
  applySelectionColours();
}

void ReportView::applySelectionColours() {
  // Hide selection: the selection is shown only while the list has the focus.
  QPalette p = palette();
  const bool show = !hideSelection_ || hasFocus();
  const QPalette standard = QPalette();
  p.setColor(QPalette::Highlight, show ? standard.color(QPalette::Active, QPalette::Highlight)
                                       : p.color(QPalette::Base));
  p.setColor(QPalette::HighlightedText, show ? standard.color(QPalette::Active, QPalette::HighlightedText)
                                             : p.color(QPalette::Text));
  setPalette(p);
}

void ReportView::applyColumnWidths() {
  const auto& columns = control_.model().columns();
  for (std::size_t i = 0; i < columns.size(); ++i)
    header()->resizeSection(static_cast<int>(i), static_cast<int>(columns[i].width + 0.5f));
}

void ReportView::repaintNow() {
  doItemsLayout();
  viewport()->repaint();
}

void ReportView::mouseReleaseEvent(QMouseEvent* e) {
  QTreeView::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton) control_.raiseClick();
}

void ReportView::mouseDoubleClickEvent(QMouseEvent* e) {
  QTreeView::mouseDoubleClickEvent(e);
  if (e->button() == Qt::LeftButton) control_.raiseDblClick();
}

void ReportView::keyPressEvent(QKeyEvent* e) {
  std::int16_t code = virtualKey(e->key());
  if (code != 0) {
    control_.raiseKey(true, code, shiftMask(e->modifiers()));
    if (code == 0) return;  // the host took the key
  }
  QTreeView::keyPressEvent(e);
}

void ReportView::keyReleaseEvent(QKeyEvent* e) {
  std::int16_t code = virtualKey(e->key());
  if (code != 0 && !e->isAutoRepeat()) control_.raiseKey(false, code, shiftMask(e->modifiers()));
  QTreeView::keyReleaseEvent(e);
}

void ReportView::focusInEvent(QFocusEvent* e) {
  QTreeView::focusInEvent(e);
  applySelectionColours();
}

void ReportView::focusOutEvent(QFocusEvent* e) {
  QTreeView::focusOutEvent(e);
  applySelectionColours();
}

std::int16_t virtualKey(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::int16_t>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::int16_t>('0' + (key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::int16_t>(0x70 + (key - Qt::Key_F1));
  switch (key) {
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 0x09;
    case Qt::Key_Return: case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Shift: return 0x10;
    case Qt::Key_Control: return 0x11;
    case Qt::Key_Alt: return 0x12;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_CapsLock: return 0x14;
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    default: return 0;
  }
}

std::int16_t shiftMask(Qt::KeyboardModifiers m) {
  std::int16_t mask = 0;
  if (m & Qt::ShiftModifier) mask |= 1;
  if (m & Qt::ControlModifier) mask |= 2;
  if (m & Qt::AltModifier) mask |= 4;
  return mask;
}

}  // namespace kesto::activex
