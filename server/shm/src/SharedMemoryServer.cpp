#include "shm/SharedMemoryServer.h"

#include "SharedMemoryLink.h"

#include <odbclink/ShmLayout.h>
#include <odbclink/ShmObjects.h>

#include <cstdio>
#include <unistd.h>

namespace kesto::server::shm {
namespace {

namespace link = kesto::odbc::shm;

// Removes the names however the service ends, also when making an object failed halfway.
struct NameGuard {
    std::string prefix;
    pid_t pid;
    ~NameGuard() { link::removeNames(prefix, pid); }
};

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

    SharedMemoryLink session(view, requestWritten, replyWritten, clientOwns, options);
    try {
        options.session(session);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kestoserver: session failed: %s\n", e.what());
    }
}

}  // namespace kesto::server::shm
