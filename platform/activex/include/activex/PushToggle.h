// The push button with a state: State false means the button is down. A click by the
// user flips the state and then raises Click; setting the state raises nothing.
#pragma once

#include <QString>
#include <QToolButton>

#include <functional>

namespace kesto::activex {

class PushToggle : public QToolButton {
 public:
  explicit PushToggle(const QString& caption = {}, QWidget* parent = nullptr);

  bool State() const { return state_; }
  void setState(bool state);

  // Raised after a click has flipped the state.
  std::function<void()> Click;

 protected:
  void nextCheckState() override;

 private:
  bool state_ = true;
};

}  // namespace kesto::activex
