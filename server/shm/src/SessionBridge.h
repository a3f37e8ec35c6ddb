// Runs a stream session (the one the TCP listener runs) on a thread over one end of a
// socket pair; the other end carries the whole messages the shared memory delivers.
#pragma once

#include <net/Listener.h>

#include <atomic>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>

namespace kesto::server::shm {

class SessionBridge {
public:
    using Session = std::function<void(net::Connection&)>;
    // Called on the bridge's own thread with each whole reply message (header included).
    using OnReply = std::function<void(std::string message)>;

    SessionBridge(Session session, OnReply onReply);
    ~SessionBridge();
    SessionBridge(const SessionBridge&) = delete;
    SessionBridge& operator=(const SessionBridge&) = delete;

    // Hands one whole request message to the session; false once the session is gone.
    bool deliver(std::span<const std::uint8_t> request);
    bool finished() const { return finished_.load(); }
    // Ends the session (it reads the end of its stream) and waits for both threads.
    void close();

private:
    void pumpReplies();

    std::unique_ptr<net::Connection> sessionEnd_;
    std::unique_ptr<net::Connection> bridgeEnd_;
    OnReply onReply_;
    std::atomic<bool> finished_{false};
    std::thread session_;
    std::thread pump_;
};

}  // namespace kesto::server::shm
