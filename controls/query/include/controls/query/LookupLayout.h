// The Query Lookup dialog's layout arithmetic, apart from any widget: the numbers taken
// from the template at start and what a query's parameter count makes of them.
#pragma once

#include <QRect>

namespace kesto::controls {

// Window rectangles of the template (pixels, dialog-relative).
struct LookupTemplate {
  QRect dialog;
  QRect group;     // 236
  QRect list;      // 270
  QRect label248;  // row 9
  QRect label249;  // row 10
  QRect select;    // 258
};
// The template the dialog is built from.
const LookupTemplate& lookupTemplate();

struct LookupMetrics {
  int groupWidth = 0, groupHeight = 0;
  int dialogWidth = 0, dialogHeightAtStart = 0;
  int rowPitch = 0, listMargin = 0, listBottomDistance = 0;
  int listWidth = 0, listHeight = 0;
  int leastDialogHeight = 0;

  static LookupMetrics from(const LookupTemplate& t);

  // For a query of `count` shown parameters (0 to 10).
  int shrink(int count) const { return (10 - count) * rowPitch; }
  int groupHeightFor(int count) const { return groupHeight - shrink(count); }
  int dialogHeightFor(int count) const;
  // The list's place after a selection change, for the client width then.
  QRect listRectFor(int count, int clientWidth) const;
  // WM_SIZE: the x of a right-aligned button, and the list's size.
  int buttonX(int clientWidth, int buttonWidth) const { return clientWidth - buttonWidth - listMargin; }
  QSize listSizeOnResize(int clientWidth, int clientHeight, int recordedClientHeight) const;
};

// The frame's size limits (WM_SIZING) are dialogWidth x dialogHeightFor(count): the
// dialog gives them to the window system as its minimum size, which keeps the dragged edge
// there.

}  // namespace kesto::controls
