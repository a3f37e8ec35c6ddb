// The ends of the program that come from outside: a signal to end (SIGTERM as at
// shutdown, SIGHUP as when the terminal goes, SIGINT from Ctrl+C) and the display going
// away (the X server ends, as at logout). Each ends the program in order, as "Beenden"
// does: what must outlive the run is stored. The exit status is 0 after a signal and 1
// when the display went away.
#pragma once

#include <memory>

class QSocketNotifier;

namespace vovida {

// Watches while it exists; needs the QApplication. One at a time.
class Programmende {
 public:
  Programmende();
  ~Programmende();
  Programmende(const Programmende&) = delete;
  Programmende& operator=(const Programmende&) = delete;

 private:
  std::unique_ptr<QSocketNotifier> signale_;
};

}  // namespace vovida
