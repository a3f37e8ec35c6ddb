#include "SharedMemoryLink.h"

#include <odbclink/Protocol.h>
#include <odbclink/ShmLayout.h>

#include <array>
#include <thread>

namespace kesto::server::shm {
namespace {

namespace link = kesto::odbc::shm;
namespace protocol = kesto::odbc::protocol;

// Longest wait for a request: between slices the link looks whether its client still lives.
constexpr int kSliceMs = 200;

}  // namespace

SharedMemoryLink::SharedMemoryLink(link::Mapping& view, link::NamedEvent& requestWritten, link::NamedEvent& replyWritten,
                                   link::NamedLock& clientOwns, const SharedMemoryOptions& options)
    : view_(view), requestWritten_(requestWritten), replyWritten_(replyWritten), clientOwns_(clientOwns), options_(options) {}

bool SharedMemoryLink::clientGone() {
    if (view_.load(link::kClientPid) == 0) return std::chrono::steady_clock::now() - started_ > options_.attachLimit;
    return clientOwns_.tryLock();
}

bool SharedMemoryLink::stopping() {
    if (!ended_ && options_.stopRequested()) ended_ = true;
    return ended_;
}

odbc::ReadResult SharedMemoryLink::read(odbc::Request& out) {
    while (!stopping()) {
        const auto w = requestWritten_.wait(kSliceMs);
        if (w == link::NamedEvent::Wait::Failed) break;
        // Liveness is looked at only while the client is quiet: a busy client lives.
        if (w == link::NamedEvent::Wait::TimedOut) {
            if (clientGone()) break;
            continue;
        }
        if (view_.load(link::kRequestTaken) != 0) continue;  // a signal for a request already taken
        const std::uint32_t length = view_.load(link::kRequestLength);
        if (length < protocol::kHeaderSize || length > link::kAreaSize) break;  // not our client
        std::array<char, protocol::kHeaderSize> header{};
        view_.read(link::kRequestArea, header.data(), header.size());
        if (odbc::decodeRequestHeader(header.data(), out) != length - protocol::kHeaderSize) break;
        out.body.resize(length - protocol::kHeaderSize);
        view_.read(link::kRequestArea + protocol::kHeaderSize, out.body.data(), out.body.size());
        view_.store(link::kRequestTaken, 1);
        return odbc::ReadResult::Ok;
    }
    ended_ = true;
    return odbc::ReadResult::Closed;
}

bool SharedMemoryLink::write(const odbc::Request& request, std::uint16_t returnCode, const std::string& body) {
    // A reply the client has not read yet (one it gave up waiting for) is never written over.
    while (view_.load(link::kReplyLength) != 0) {
        if (stopping() || clientGone()) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::array<char, protocol::kHeaderSize> header{};
    std::size_t length = header.size() + body.size();
    if (length > link::kAreaSize) {
        // Too large for the area: a header-only 413 to the same request.
        odbc::encodeReplyHeader(header.data(), 0, request, protocol::kIncompatibleProtocol);
        length = header.size();
    } else {
        odbc::encodeReplyHeader(header.data(), static_cast<std::uint32_t>(body.size()), request, returnCode);
        view_.write(link::kReplyArea + header.size(), body.data(), body.size());
    }
    view_.write(link::kReplyArea, header.data(), header.size());
    view_.store(link::kReplyLength, static_cast<std::uint32_t>(length));
    return replyWritten_.post();
}

bool SharedMemoryLink::stopRequested(std::uint32_t runningStatement) {
    if (stopping() || clientGone()) return true;
    // CC for the running statement waits in the request area, not yet taken: looked at, left
    // there for the session to read once the statement has stopped.
    if (view_.load(link::kRequestTaken) != 0 || view_.load(link::kRequestLength) < protocol::kHeaderSize) return false;
    std::array<char, protocol::kHeaderSize> header{};
    view_.read(link::kRequestArea, header.data(), header.size());
    odbc::Request next;
    odbc::decodeRequestHeader(header.data(), next);
    return next.code == "CC" && next.statement == runningStatement;
}

}  // namespace kesto::server::shm
