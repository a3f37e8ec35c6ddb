// The TCP link: non-blocking socket, every wait bounded by poll() with the timeout.
#pragma once

#include "Transport.h"

#include <string>

namespace kesto::odbc {

class TcpTransport : public Transport {
public:
    TcpTransport(std::string host, std::string port) : host_(std::move(host)), port_(std::move(port)) {}
    ~TcpTransport() override;

    int connect(Timeout timeout) override;
    void close() override;
    int receive(std::vector<std::uint8_t>& buffer, std::size_t size, Timeout timeout) override;
    int send(std::span<const std::uint8_t> bytes, Timeout timeout, std::span<const std::uint8_t> traceView) override;
    bool deliversWholeMessages() const override { return false; }
    bool stoppedMidMessage() const override { return midMessage_; }

private:
    int wait(short events, Timeout timeout);
    std::string host_;
    std::string port_;
    int fd_ = -1;
    bool midMessage_ = false;
};

// The Windows Sockets number of an errno value, so the driver's texts apply.
int socketErrorCode(int err);

}  // namespace kesto::odbc
