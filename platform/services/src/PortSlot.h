// The installed implementation of a port, falling back to a default one.
#pragma once

#include <functional>
#include <memory>
#include <mutex>

namespace kesto::services::detail {

template <typename Port>
class PortSlot {
 public:
  explicit PortSlot(std::function<std::shared_ptr<Port>()> makeDefault)
      : makeDefault_(std::move(makeDefault)) {}

  // A shared pointer, so a port replaced while in use stays alive until its call returns.
  std::shared_ptr<Port> get() {
    std::lock_guard lock(mutex_);
    if (!port_) port_ = makeDefault_();
    return port_;
  }

  void set(std::shared_ptr<Port> port) {
    std::lock_guard lock(mutex_);
    port_ = std::move(port);
  }

 private:
  std::mutex mutex_;
  std::function<std::shared_ptr<Port>()> makeDefault_;
  std::shared_ptr<Port> port_;
};

}  // namespace kesto::services::detail
