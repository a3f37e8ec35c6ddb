// The ODBC session's link over the driver's shared memory: a request is read from the
// request area when the client signals it, a reply is written whole into the reply area.
// The session runs on the thread that serves the link: no copy and no hand-over between
// threads stands between the client and the session.
#pragma once

#include "shm/SharedMemoryServer.h"

#include <odbclink/ShmObjects.h>

#include <chrono>

namespace kesto::server::shm {

class SharedMemoryLink : public odbc::Link {
public:
    SharedMemoryLink(kesto::odbc::shm::Mapping& view, kesto::odbc::shm::NamedEvent& requestWritten,
                     kesto::odbc::shm::NamedEvent& replyWritten, kesto::odbc::shm::NamedLock& clientOwns,
                     const SharedMemoryOptions& options);

    odbc::ReadResult read(odbc::Request& out) override;
    bool write(const odbc::Request& request, std::uint16_t returnCode, const std::string& body) override;
    bool stopRequested(std::uint32_t runningStatement) override;

private:
    // The client let go of the link or died (its lock is free), or never came in time.
    bool clientGone();
    // A stop was requested (a signal, taken when asked): remembered, the link has ended.
    bool stopping();

    kesto::odbc::shm::Mapping& view_;
    kesto::odbc::shm::NamedEvent& requestWritten_;
    kesto::odbc::shm::NamedEvent& replyWritten_;
    kesto::odbc::shm::NamedLock& clientOwns_;
    const SharedMemoryOptions& options_;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
    bool ended_ = false;
};

}  // namespace kesto::server::shm
