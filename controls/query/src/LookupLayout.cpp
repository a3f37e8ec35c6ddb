#include <controls/query/LookupLayout.h>

#include <algorithm>

namespace kesto::controls {

const LookupTemplate& lookupTemplate() {
  // Ten argument rows 24 pixels apart inside the group, clear of its title and frame; the
  // list below it, the buttons at the right; 20 pixels between group and list once the
  // dialog has taken its working height.
  static const LookupTemplate t{
      QRect(0, 0, 460, 514),     // dialog
      QRect(10, 40, 340, 279),   // group 236
      QRect(10, 359, 440, 145),  // list 270
      QRect(20, 262, 120, 20),   // label 248
      QRect(20, 286, 120, 20),   // label 249
      QRect(365, 70, 85, 24),    // Select 258
  };
  return t;
}

LookupMetrics LookupMetrics::from(const LookupTemplate& t) {
  LookupMetrics m;
  m.groupWidth = t.group.width();
  m.groupHeight = t.group.height();
  m.listWidth = t.list.width();
  m.listHeight = t.list.height();
  m.listMargin = t.list.left() - t.dialog.left();
  m.dialogWidth = t.dialog.width();
  m.dialogHeightAtStart = t.dialog.height();
  m.listBottomDistance = (t.dialog.top() + t.dialog.height()) - t.list.top();
  m.rowPitch = t.label249.top() - t.label248.top();
  m.leastDialogHeight =
      m.dialogHeightAtStart + (t.select.top() + t.select.height()) - (t.group.top() + t.group.height()) - 20;
  return m;
}

int LookupMetrics::dialogHeightFor(int count) const {
  return std::max(dialogHeightAtStart - shrink(count) - 20, leastDialogHeight);
}

QRect LookupMetrics::listRectFor(int count, int clientWidth) const {
  return QRect(listMargin, dialogHeightFor(count) - listBottomDistance, clientWidth - 2 * listMargin,
               listHeight);
}

QSize LookupMetrics::listSizeOnResize(int clientWidth, int clientHeight, int recordedClientHeight) const {
  return QSize(clientWidth - 2 * listMargin, listHeight + clientHeight - recordedClientHeight);
}

}  // namespace kesto::controls
