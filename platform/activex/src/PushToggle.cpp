#include "activex/PushToggle.h"

namespace kesto::activex {

PushToggle::PushToggle(const QString& caption, QWidget* parent) : QToolButton(parent) {
  setText(caption);
  setCheckable(true);
  setChecked(false);
  setToolButtonStyle(Qt::ToolButtonTextOnly);
  // The click's own toggle has happened when clicked() arrives.
  connect(this, &QToolButton::clicked, this, [this] {
    if (Click) Click();
  });
}

void PushToggle::setState(bool state) {
  state_ = state;
  setChecked(!state);
}

void PushToggle::nextCheckState() { setState(!state_); }

}  // namespace kesto::activex
