// Ending the program through a port, so that tests can catch the end instead of dying.
#pragma once

#include <exception>
#include <memory>
#include <mutex>
#include <optional>

namespace kesto::services {

class ProgramPort {
 public:
  virtual ~ProgramPort() = default;
  virtual void end(int exitCode) = 0;
};

// Thrown by RecordingProgram so that nothing after the end runs.
struct ProgramEnded : std::exception {
  explicit ProgramEnded(int code) : exitCode(code) {}
  const char* what() const noexcept override { return "program ended"; }
  int exitCode;
};

// Records the end and throws ProgramEnded.
class RecordingProgram final : public ProgramPort {
 public:
  void end(int exitCode) override;
  std::optional<int> endedWith() const;

 private:
  mutable std::mutex mutex_;
  std::optional<int> exitCode_;
};

// Ends the program through the installed port; the default one calls std::exit.
void endProgram(int exitCode = 0);

// nullptr goes back to the default.
void setProgramPort(std::shared_ptr<ProgramPort> port);

}  // namespace kesto::services
