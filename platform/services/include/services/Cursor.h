// The mouse pointer: the hourglass while the program is busy.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

namespace kesto::services {

enum class CursorShape { Default, Wait };

class CursorPort {
 public:
  virtual ~CursorPort() = default;
  virtual void setShape(CursorShape shape) = 0;
};

// Remembers every shape set, for tests and for the headless default.
class RecordingCursor final : public CursorPort {
 public:
  void setShape(CursorShape shape) override;
  CursorShape current() const;
  std::vector<CursorShape> history() const;

 private:
  mutable std::mutex mutex_;
  std::vector<CursorShape> history_;
};

void setCursorShape(CursorShape shape);
CursorShape cursorShape();  // the shape last set through setCursorShape

// Shows the hourglass for a scope and restores the previous shape after it.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  CursorShape previous_;
};

// nullptr goes back to a RecordingCursor.
void setCursorPort(std::shared_ptr<CursorPort> port);

}  // namespace kesto::services
