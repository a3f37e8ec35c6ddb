#include "services/Program.h"

#include <cstdlib>

#include "PortSlot.h"

namespace kesto::services {
namespace {

class ExitProgram final : public ProgramPort {
 public:
  void end(int exitCode) override { std::exit(exitCode); }
};

detail::PortSlot<ProgramPort>& slot() {
  static detail::PortSlot<ProgramPort> instance([] { return std::make_shared<ExitProgram>(); });
  return instance;
}

}  // namespace

void RecordingProgram::end(int exitCode) {
  {
    std::lock_guard lock(mutex_);
    exitCode_ = exitCode;
  }
  throw ProgramEnded(exitCode);
}

std::optional<int> RecordingProgram::endedWith() const {
  std::lock_guard lock(mutex_);
  return exitCode_;
}

void endProgram(int exitCode) { slot().get()->end(exitCode); }

void setProgramPort(std::shared_ptr<ProgramPort> port) { slot().set(std::move(port)); }

}  // namespace kesto::services
