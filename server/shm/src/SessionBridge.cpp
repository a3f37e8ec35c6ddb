#include "SessionBridge.h"

#include <odbclink/Protocol.h>

#include <array>
#include <cstdio>
#include <stdexcept>
#include <sys/socket.h>

namespace kesto::server::shm {
namespace {

std::uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | u[1] << 8 | u[2] << 16 | static_cast<std::uint32_t>(u[3]) << 24;
}

}  // namespace

SessionBridge::SessionBridge(Session session, OnReply onReply) : onReply_(std::move(onReply)) {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        throw std::runtime_error("cannot make the session's socket pair");
    sessionEnd_ = std::make_unique<net::Connection>(pair[0]);
    bridgeEnd_ = std::make_unique<net::Connection>(pair[1]);
    session_ = std::thread([this, session = std::move(session)] {
        try {
            session(*sessionEnd_);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "kestoserver: session failed: %s\n", e.what());
        }
        sessionEnd_->shutdown();
        finished_ = true;
    });
    pump_ = std::thread([this] { pumpReplies(); });
}

SessionBridge::~SessionBridge() { close(); }

bool SessionBridge::deliver(std::span<const std::uint8_t> request) {
    return bridgeEnd_->writeAll(std::string_view(reinterpret_cast<const char*>(request.data()), request.size()));
}

void SessionBridge::pumpReplies() {
    namespace protocol = kesto::odbc::protocol;
    for (;;) {
        std::array<char, protocol::kHeaderSize> header{};
        if (!bridgeEnd_->readExact(header)) return;
        std::string body;
        const std::uint32_t length = le32(header.data());
        if (length && !bridgeEnd_->readExact(body, length, protocol::kMaxBodyLength)) return;
        onReply_(std::string(header.data(), header.size()) + body);
    }
}

void SessionBridge::close() {
    // A session that ended has written its last reply: let the pump read it before the end.
    if (!finished_) bridgeEnd_->shutdown();
    if (session_.joinable()) session_.join();
    if (pump_.joinable()) pump_.join();
}

}  // namespace kesto::server::shm
