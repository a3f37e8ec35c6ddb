// A byte link to the server: TCP or shared memory.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kesto::odbc {

// A wait limit: unlimited, or whole seconds (the microseconds the records carry are always 0).
struct Timeout {
    bool unlimited = true;
    std::uint32_t seconds = 0;

    static Timeout none() { return {}; }
    static Timeout of(std::uint32_t s) { return {false, s}; }
    // Milliseconds for poll(); -1 = wait without limit. Limits too large for an int wait forever.
    int milliseconds() const;
};

class Transport {
public:
    virtual ~Transport() = default;
    virtual int connect(Timeout timeout) = 0;
    virtual void close() = 0;
    // Replaces buffer with exactly size bytes (TCP) or with the whole next message (size ignored
    // by transports that deliver whole messages).
    virtual int receive(std::vector<std::uint8_t>& buffer, std::size_t size, Timeout timeout) = 0;
    // traceView is what the dump shows (a copy with secrets masked); empty = the bytes themselves.
    virtual int send(std::span<const std::uint8_t> bytes, Timeout timeout,
                     std::span<const std::uint8_t> traceView = {}) = 0;
    virtual bool deliversWholeMessages() const = 0;
    // True when the last receive stopped inside a message: the stream is out of step.
    virtual bool stoppedMidMessage() const { return false; }

    bool trace = false;
};

}  // namespace kesto::odbc
