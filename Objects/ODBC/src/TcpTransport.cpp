#include "TcpTransport.h"

#include "Errors.h"
#include "Trace.h"

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kesto::odbc {

int Timeout::milliseconds() const {
    if (unlimited || seconds >= static_cast<std::uint32_t>(INT_MAX / 1000)) return -1;
    return static_cast<int>(seconds * 1000);
}

int socketErrorCode(int err) {
    switch (err) {
    case ENETDOWN: return 10050;
    case ENETUNREACH: return 10051;
    case ENETRESET: return 10052;
    case ECONNRESET:
    case EPIPE: return 10054;
    case ENOBUFS:
    case ENOMEM: return 10055;
    case EISCONN: return 10056;
    case ENOTCONN: return 10057;
    case ESHUTDOWN: return 10058;
    case ETIMEDOUT: return 10060;
    case ECONNREFUSED: return 10061;
    case EHOSTDOWN: return 10064;
    case EHOSTUNREACH: return 10065;
    case ESTALE: return 10070;
    default: return 10054;
    }
}

TcpTransport::~TcpTransport() { close(); }

int TcpTransport::wait(short events, Timeout timeout) {
    pollfd p{fd_, events, 0};
    for (;;) {
        const int r = ::poll(&p, 1, timeout.milliseconds());
        if (r > 0) return 0;
        if (r == 0) return code::Timeout;
        if (errno != EINTR) return socketErrorCode(errno);
    }
}

int TcpTransport::connect(Timeout timeout) {
    const std::string host = host_.substr(0, 60);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(std::atoi(port_.c_str())));
    if (::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        const int r = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
        if (r != 0 || !found) {
            if (found) ::freeaddrinfo(found);
            return r == EAI_AGAIN ? 11002 : 11001;
        }
        address.sin_addr = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
        ::freeaddrinfo(found);
    }
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return socketErrorCode(errno);
    // Keepalive probes find a peer whose machine or network vanished without a word.
    const int on = 1, idle = 60, interval = 10, probes = 6;
    ::setsockopt(fd_, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    ::setsockopt(fd_, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    ::setsockopt(fd_, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    ::setsockopt(fd_, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return 0;
    if (errno != EINPROGRESS) {
        const int err = socketErrorCode(errno);
        close();
        return err;
    }
    if (const int r = wait(POLLOUT, timeout)) {
        close();
        return r;
    }
    int err = 0;
    socklen_t len = sizeof err;
    ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &err, &len);
    if (err) {
        close();
        return socketErrorCode(err);
    }
    return 0;
}

void TcpTransport::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

int TcpTransport::receive(std::vector<std::uint8_t>& buffer, std::size_t size, Timeout timeout) {
    if (fd_ < 0) return 10057;
    buffer.resize(size);
    std::size_t done = 0;
    midMessage_ = false;
    while (done < size) {
        const ssize_t n = ::recv(fd_, buffer.data() + done, size - done, 0);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n == 0) {
            return code::ConnectionReset;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (const int r = wait(POLLIN, timeout)) {
                midMessage_ = done > 0;
                return r;
            }
        } else if (errno != EINTR) {
            return socketErrorCode(errno);
        }
    }
    if (trace) trace::hexDump("<< Received: ", buffer.data(), buffer.size());
    return 0;
}

int TcpTransport::send(std::span<const std::uint8_t> bytes, Timeout timeout, std::span<const std::uint8_t> traceView) {
    if (fd_ < 0) return 10057;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n >= 0) {
            done += static_cast<std::size_t>(n);
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (const int r = wait(POLLOUT, timeout)) return r;
        } else if (errno != EINTR) {
            return socketErrorCode(errno);
        }
    }
    if (trace) {
        const auto shown = traceView.empty() ? bytes : traceView;
        trace::hexDump(">> Sent: ", shown.data(), shown.size());
    }
    return 0;
}

}  // namespace kesto::odbc
