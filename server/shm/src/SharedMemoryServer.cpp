#include "shm/SharedMemoryServer.h"

#include "SessionBridge.h"

#include <odbclink/ShmLayout.h>
#include <odbclink/ShmObjects.h>
#include <odbclink/Protocol.h>

#include <unistd.h>

#include <thread>
#include <vector>

namespace kesto::server::shm {
namespace {

namespace link = kesto::odbc::shm;
namespace protocol = kesto::odbc::protocol;

constexpr int kSliceMs = 200;

// Removes the names however the service ends, also when making an object failed halfway.
struct NameGuard {
    std::string prefix;
    pid_t pid;
    ~NameGuard() { link::removeNames(prefix, pid); }
};

// A reply too large for the area becomes a header-only 413 to the same request.
std::string fitReply(std::string message) {
    if (message.size() <= link::kAreaSize) return message;
    std::string refused = message.substr(0, protocol::kHeaderSize);
    refused.replace(0, 4, std::string(4, '\0'));
    refused[12] = static_cast<char>(protocol::kIncompatibleProtocol & 0xFF);
    refused[13] = static_cast<char>(protocol::kIncompatibleProtocol >> 8);
    return refused;
}

}  // namespace

void serveSharedMemory(const SharedMemoryOptions& options) {
    const NameGuard names{link::namePrefix(), ::getpid()};
    const auto name = [&](std::string_view suffix) { return link::objectName(names.prefix, names.pid, suffix); };

    // The client looks for the ready event last: everything else must exist before it.
    link::Mapping view = link::Mapping::create(name(link::kMapping));
    view.store(link::kRequestAreaOffset, static_cast<std::uint32_t>(link::kRequestArea));
    view.store(link::kReplyAreaOffset, static_cast<std::uint32_t>(link::kReplyArea));
    link::NamedEvent requestWritten = link::NamedEvent::create(name(link::kRequestWritten));
    link::NamedEvent replyWritten = link::NamedEvent::create(name(link::kReplyWritten));
    link::NamedLock alive = link::NamedLock::create(name(link::kServerAlive));
    if (!alive.tryLock()) throw link::ShmError("cannot hold " + name(link::kServerAlive));
    link::NamedLock clientOwns = link::NamedLock::create(name(link::kClientOwns));
    link::NamedEvent ready = link::NamedEvent::create(name(link::kReady));
    ready.post();

    SessionBridge bridge(options.session, [&](std::string message) {
        message = fitReply(std::move(message));
        // A reply the client has not read yet (one it gave up waiting for) is never written over.
        while (view.load(link::kReplyLength) != 0) {
            if (options.stopRequested() || view.load(link::kClientPid) == 0 || clientOwns.tryLock()) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        view.write(link::kReplyArea, message.data(), message.size());
        view.store(link::kReplyLength, static_cast<std::uint32_t>(message.size()));
        replyWritten.post();
    });

    const auto started = std::chrono::steady_clock::now();
    std::vector<std::uint8_t> request;
    for (;;) {
        if (options.stopRequested() || bridge.finished()) break;
        if (view.load(link::kClientPid) == 0) {
            if (std::chrono::steady_clock::now() - started > options.attachLimit) break;
        } else if (clientOwns.tryLock()) {
            break;  // the client let go of the link or died
        }
        const auto w = requestWritten.wait(kSliceMs);
        if (w == link::NamedEvent::Wait::Failed) break;
        if (w == link::NamedEvent::Wait::TimedOut) continue;
        const std::uint32_t length = view.load(link::kRequestLength);
        if (length < protocol::kHeaderSize || length > link::kAreaSize) break;  // not our client
        request.resize(length);
        view.read(link::kRequestArea, request.data(), length);
        view.store(link::kRequestTaken, 1);
        if (!bridge.deliver(request)) break;
    }
    bridge.close();
}

}  // namespace kesto::server::shm
