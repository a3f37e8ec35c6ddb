#include "SharedMemoryTransport.h"

#include "Errors.h"
#include <odbclink/ShmLayout.h>
#include "ShmStart.h"
#include "Trace.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>

namespace kesto::odbc {
namespace {

using Clock = std::chrono::steady_clock;

// Longest single wait: between slices the transport checks that the server still lives.
constexpr int kSliceMs = 200;

// Milliseconds left before the deadline (never negative); kSliceMs when there is no limit.
class Deadline {
public:
    explicit Deadline(Timeout t)
        : unlimited_(t.unlimited), end_(Clock::now() + std::chrono::seconds(t.unlimited ? 0 : t.seconds)) {}
    bool passed() const { return !unlimited_ && Clock::now() >= end_; }
    int slice() const {
        if (unlimited_) return kSliceMs;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end_ - Clock::now()).count();
        return static_cast<int>(std::clamp<long long>(left, 0, kSliceMs));
    }

private:
    bool unlimited_;
    Clock::time_point end_;
};

}  // namespace

SharedMemoryTransport::~SharedMemoryTransport() { close(); }

int SharedMemoryTransport::connect(Timeout timeout) {
    close();
    const shm::Started started = shm::startDetached(shm::serverCommand(shm::installationRoot(), nameSpace_));
    if (started.pid <= 0) {
        if (trace) trace::line(trace::Error, "Connect", trace::format("Server start failed: %d", started.error));
        return code::SharedMemoryStart;
    }
    const int r = attach(started.pid, timeout);
    if (r) ::kill(started.pid, SIGTERM);  // ours, and of no use now: it removes its names on the way out
    return r;
}

int SharedMemoryTransport::attach(pid_t serverPid, Timeout timeout) {
    close();
    serverPid_ = serverPid;
    const std::string prefix = shm::namePrefix();
    const auto name = [&](std::string_view suffix) { return shm::objectName(prefix, serverPid, suffix); };
    const auto fail = [&] {
        close();
        return code::SharedMemoryStart;
    };

    // The ready event exists once the server has made every other object.
    std::optional<shm::NamedEvent> ready;
    shm::StartupPoll poll(timeout);
    while (!(ready = shm::NamedEvent::open(name(shm::kReady)))) {
        if (shm::processEnded(serverPid)) return fail();
        const auto sleep = poll.next();
        if (!sleep) return fail();
        std::this_thread::sleep_for(std::chrono::milliseconds(*sleep));
    }
    const Deadline deadline(timeout);
    for (;;) {
        const auto w = ready->wait(deadline.slice());
        if (w == shm::NamedEvent::Wait::Signalled) break;
        if (w == shm::NamedEvent::Wait::Failed || deadline.passed() || shm::processEnded(serverPid)) return fail();
    }

    requestWritten_ = shm::NamedEvent::open(name(shm::kRequestWritten));
    replyWritten_ = shm::NamedEvent::open(name(shm::kReplyWritten));
    serverAlive_ = shm::NamedLock::open(name(shm::kServerAlive));
    clientOwns_ = shm::NamedLock::open(name(shm::kClientOwns));
    if (!requestWritten_ || !replyWritten_ || !serverAlive_ || !clientOwns_) return fail();
    if (!clientOwns_->tryLock()) return fail();  // another client has this server
    view_ = shm::Mapping::open(name(shm::kMapping));
    if (!view_) return fail();
    requestArea_ = view_->load(shm::kRequestAreaOffset);
    replyArea_ = view_->load(shm::kReplyAreaOffset);
    if (!shm::fitsMapping(requestArea_, shm::kAreaSize) || !shm::fitsMapping(replyArea_, shm::kAreaSize))
        return fail();
    view_->store(shm::kClientPid, static_cast<std::uint32_t>(::getpid()));
    // Both ends hold every object open now: the names are no longer needed, and nothing is
    // left behind whichever side dies.
    shm::removeNames(prefix, serverPid);
    requestPending_ = false;
    return 0;
}

void SharedMemoryTransport::close() {
    view_.reset();
    requestWritten_.reset();
    replyWritten_.reset();
    serverAlive_.reset();
    clientOwns_.reset();  // releases the link: the server ends its session
    requestPending_ = false;
}

bool SharedMemoryTransport::serverGone() {
    if (!serverAlive_->tryLock()) return false;
    serverAlive_->unlock();
    return true;
}

int SharedMemoryTransport::awaitRequestTaken(Timeout timeout) {
    const Deadline deadline(timeout);
    // The server takes a request within microseconds of its signal: a few quick looks before
    // the waits of a millisecond that a busy or dead server gets.
    for (int looks = 0; requestPending_ && view_->load(shm::kRequestTaken) == 0; ++looks) {
        if (looks < 200) {
            std::this_thread::yield();
            continue;
        }
        if (serverGone()) return code::SharedMemoryDown;
        if (deadline.passed()) return code::Timeout;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(deadline.slice(), 1)));
    }
    requestPending_ = false;
    return 0;
}

int SharedMemoryTransport::send(std::span<const std::uint8_t> bytes, Timeout timeout,
                                std::span<const std::uint8_t> traceView) {
    if (!attached() || serverGone()) return code::SharedMemoryDown;
    if (bytes.size() > shm::kAreaSize) return code::Limit;
    // A request without a reply may still sit in the area: never write over it.
    if (const int r = awaitRequestTaken(timeout)) return r;
    view_->store(shm::kRequestTaken, 0);
    view_->write(requestArea_, bytes.data(), bytes.size());
    view_->store(shm::kRequestLength, static_cast<std::uint32_t>(bytes.size()));
    requestPending_ = true;
    if (!requestWritten_->post()) return code::SharedMemoryDown;
    if (trace) {
        const auto shown = traceView.empty() ? bytes : traceView;
        trace::hexDump(">> Sent: ", shown.data(), shown.size());
    }
    return 0;
}

int SharedMemoryTransport::receive(std::vector<std::uint8_t>& buffer, std::size_t, Timeout timeout) {
    if (!attached()) return code::SharedMemoryDown;
    const auto clear = [&] {
        view_->store(shm::kReplyRead, 0);
        view_->store(shm::kReplyLength, 0);
    };
    const Deadline deadline(timeout);
    std::uint32_t length = 0;
    while ((length = view_->load(shm::kReplyLength)) == 0) {
        // The late reply is still to come and is passed over then: the area is left as it is.
        if (deadline.passed()) return code::Timeout;
        const auto w = replyWritten_->wait(deadline.slice());
        // Whether the server lives is asked only when it has been quiet for a while.
        if (w == shm::NamedEvent::Wait::Failed || (w == shm::NamedEvent::Wait::TimedOut && serverGone())) {
            clear();
            return code::SharedMemoryDown;
        }
    }
    if (length > shm::kAreaSize) {
        clear();
        return code::Protocol;
    }
    buffer.resize(length);
    view_->read(replyArea_, buffer.data(), length);
    clear();
    requestPending_ = false;  // a reply means the request was taken
    if (trace) trace::hexDump("<< Received: ", buffer.data(), buffer.size());
    return 0;
}

}  // namespace kesto::odbc
