// The start-up window with its status bar; it exists only while the program starts.
#pragma once

#include <QWidget>

class QStatusBar;

namespace vovida {

class Splash : public QWidget {
 public:
  static constexpr const char* kName = "Splash";
  Splash();
  ~Splash() override;
  QStatusBar* StatusBar;
};

}  // namespace vovida
