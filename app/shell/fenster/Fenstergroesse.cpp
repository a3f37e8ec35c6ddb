#include "Fenstergroesse.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace vovida {

namespace {

constexpr int kEanStellen = 13;

}  // namespace

int Fensterbreite(const QWidget& fenster, int twips) {
  return std::max(twips / kTwipsProPixel, fenster.minimumSizeHint().width());
}

void BreiteFestlegen(QWidget& widget, int twips) { widget.setFixedWidth(Fensterbreite(widget, twips)); }

void MindestHoehe(QWidget& fenster, int pixel) {
  // A minimum of its own would let the window's layout be squeezed below its controls.
  fenster.setMinimumHeight(std::max(pixel, fenster.minimumSizeHint().height()));
}

void FuerArtikelnummer(QComboBox& box) {
  box.setMinimumContentsLength(kEanStellen);
  box.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  // Also where a minimum width was set before.
  box.setMinimumWidth(box.minimumSizeHint().width());
}

void FuerArtikelnummer(QLineEdit& box) { ZiffernBreite(box, kEanStellen); }

void ZiffernBreite(QLineEdit& box, int ziffern) {
  const int text = box.fontMetrics().horizontalAdvance(QString(ziffern, u'0'));
  // Around the digits: the frame, the box's inner margin of 2 on each side and the cursor.
  const int rahmen = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &box);
  box.setMinimumWidth(text + 2 * rahmen + 2 * 2 + 2 + box.textMargins().left() + box.textMargins().right());
}

}  // namespace vovida
