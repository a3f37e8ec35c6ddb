#include "services/Cursor.h"

#include <atomic>

#include "PortSlot.h"

namespace kesto::services {
namespace {

detail::PortSlot<CursorPort>& slot() {
  static detail::PortSlot<CursorPort> instance([] { return std::make_shared<RecordingCursor>(); });
  return instance;
}

std::atomic<CursorShape> lastShape{CursorShape::Default};

}  // namespace

void RecordingCursor::setShape(CursorShape shape) {
  std::lock_guard lock(mutex_);
  history_.push_back(shape);
}

CursorShape RecordingCursor::current() const {
  std::lock_guard lock(mutex_);
  return history_.empty() ? CursorShape::Default : history_.back();
}

std::vector<CursorShape> RecordingCursor::history() const {
  std::lock_guard lock(mutex_);
  return history_;
}

void setCursorShape(CursorShape shape) {
  lastShape = shape;
  slot().get()->setShape(shape);
}

CursorShape cursorShape() { return lastShape; }

WaitCursor::WaitCursor() : previous_(cursorShape()) { setCursorShape(CursorShape::Wait); }

WaitCursor::~WaitCursor() { setCursorShape(previous_); }

void setCursorPort(std::shared_ptr<CursorPort> port) { slot().set(std::move(port)); }

}  // namespace kesto::services
