// A text field with an input mask: ">" upper-cases, "C" takes any character, "9" a digit,
// and the mask's length is the longest text. It reports edits (typed or set) and released
// keys with Windows key codes (13 Enter, 36 Home) and a shift state (1 Shift, 2 Ctrl, 4 Alt).
#pragma once

#include <QLineEdit>

#include <functional>

namespace kesto::activex {

class MaskEdit : public QLineEdit {
 public:
  explicit MaskEdit(const QString& maske);

  // Applies the mask to a text: upper case where asked, digits only where asked, cut to length.
  QString maskiert(const QString& text) const;

  std::function<void()> Change;
  std::function<void(int keyCode, int shift)> KeyUp;

  // The key code of a Qt key, 0 for keys without one.
  static int tastenCode(int qtTaste);

 protected:
  void keyReleaseEvent(QKeyEvent* ereignis) override;

 private:
  bool gross_ = false;
  bool nurZiffern_ = false;
};

}  // namespace kesto::activex
