// Program end through QCoreApplication.
#pragma once

#include <services/Program.h>

namespace kesto::services::qt {

// Asks the event loops to end with the code and throws ProgramEnded, so that nothing
// after the end runs; the program's handlers and main() catch it. Before the event loop
// runs, main() returns the exception's code itself.
class QtProgram final : public ProgramPort {
 public:
  void end(int exitCode) override;
};

}  // namespace kesto::services::qt
