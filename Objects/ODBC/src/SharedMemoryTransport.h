// The shared-memory link to a server process the driver starts itself.
#pragma once

#include "Transport.h"

#include <string>

namespace kesto::odbc {

class SharedMemoryTransport : public Transport {
public:
    explicit SharedMemoryTransport(std::u16string nameSpace) : nameSpace_(std::move(nameSpace)) {}

    int connect(Timeout timeout) override;
    void close() override {}
    int receive(std::vector<std::uint8_t>& buffer, std::size_t size, Timeout timeout) override;
    int send(std::span<const std::uint8_t> bytes, Timeout timeout, std::span<const std::uint8_t> traceView) override;
    bool deliversWholeMessages() const override { return true; }

private:
    std::u16string nameSpace_;
};

}  // namespace kesto::odbc
