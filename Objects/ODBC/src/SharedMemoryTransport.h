// The shared-memory link to a server process the driver starts itself.
#pragma once

#include <odbclink/ShmObjects.h>
#include "Transport.h"

#include <optional>
#include <string>

#include <sys/types.h>

namespace kesto::odbc {

class SharedMemoryTransport : public Transport {
public:
    explicit SharedMemoryTransport(std::u16string nameSpace) : nameSpace_(std::move(nameSpace)) {}
    ~SharedMemoryTransport() override;

    // Starts the server and attaches to it; 454 on any failure (the server started is stopped).
    int connect(Timeout timeout) override;
    void close() override;
    // Waits in short slices, so a server that dies mid-request gives 455, not a hang.
    int receive(std::vector<std::uint8_t>& buffer, std::size_t size, Timeout timeout) override;
    int send(std::span<const std::uint8_t> bytes, Timeout timeout, std::span<const std::uint8_t> traceView) override;
    bool deliversWholeMessages() const override { return true; }

    // The second half of connect: attaches to the server running as serverPid.
    int attach(pid_t serverPid, Timeout timeout);
    pid_t serverPid() const { return serverPid_; }

private:
    bool serverGone();
    bool attached() const { return view_.has_value(); }
    // Waits until the server has taken the request sent last; 0, 450 or 455.
    int awaitRequestTaken(Timeout timeout);

    std::u16string nameSpace_;
    pid_t serverPid_ = 0;
    bool requestPending_ = false;
    std::optional<shm::NamedEvent> requestWritten_, replyWritten_;
    std::optional<shm::NamedLock> serverAlive_, clientOwns_;
    std::optional<shm::Mapping> view_;
    std::uint32_t requestArea_ = 0, replyArea_ = 0;
};

}  // namespace kesto::odbc
