// The hourglass as Qt's application-wide override cursor.
#pragma once

#include <services/Cursor.h>

namespace kesto::services::qt {

// One state, not a stack: any number of Wait calls is undone by one Default.
class QtCursor final : public CursorPort {
 public:
  ~QtCursor() override;
  void setShape(CursorShape shape) override;

 private:
  bool overridden_ = false;
};

}  // namespace kesto::services::qt
