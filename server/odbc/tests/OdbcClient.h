// A raw protocol client against a session on an ephemeral loopback port, with the demo data.
#pragma once

#include <odbc/Session.h>

#include <demo/Seed.h>
#include <odbclink/Protocol.h>
#include <wire/List.h>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <filesystem>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kesto::server::odbc::testclient {

namespace protocol = kesto::odbc::protocol;

inline std::string header(std::uint32_t length, std::uint32_t seq, std::uint32_t stmt, std::string_view code) {
    std::string h;
    for (std::uint32_t v : {length, seq, stmt})
        for (int i = 0; i < 4; ++i) h.push_back(static_cast<char>(v >> (8 * i)));
    h += code;
    return h;
}

struct Reply {
    std::uint32_t seq = 0, stmt = 0;
    std::uint16_t code = 0;
    std::string body;
};

class OdbcSessionTest : public ::testing::Test {
protected:
    // Tests that want other options set them in their constructor.
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = std::filesystem::path(::testing::TempDir()) /
                  ("odbc-session-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
        demo::prepareDataFolder(folder_, false);
        listener_ = std::make_unique<net::Listener>([this](net::Connection& c) {
            model::Database db(folder_);
            serveConnection(c, db, options_);
        });
        listener_->start();
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(listener_->port());
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    }
    void TearDown() override {
        ::close(fd_);
        listener_->stop();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    void send(std::string_view code, const std::string& body, std::uint32_t seq, std::uint32_t stmt = 0) {
        const std::string m = header(static_cast<std::uint32_t>(body.size()), seq, stmt, code) + body;
        ASSERT_EQ(::write(fd_, m.data(), m.size()), static_cast<ssize_t>(m.size()));
    }
    bool readAll(char* p, std::size_t n) {
        while (n) {
            const ssize_t r = ::read(fd_, p, n);
            if (r <= 0) return false;
            p += r;
            n -= static_cast<std::size_t>(r);
        }
        return true;
    }
    Reply receive() {
        char h[14];
        Reply r;
        if (!readAll(h, 14)) return r;
        auto le32 = [&](int at) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(h[at]) | static_cast<unsigned char>(h[at + 1]) << 8 |
                                              static_cast<unsigned char>(h[at + 2]) << 16 |
                                              static_cast<unsigned char>(h[at + 3]) << 24);
        };
        r.seq = le32(4);
        r.stmt = le32(8);
        r.code = static_cast<std::uint16_t>(static_cast<unsigned char>(h[12]) | static_cast<unsigned char>(h[13]) << 8);
        r.body.resize(le32(0));
        readAll(r.body.data(), r.body.size());
        return r;
    }

    std::string loginBody(const std::u16string& nameSpace, const std::u16string& user, const std::u16string& password) {
        wire::ListWriter w;
        auto scrambled = [](std::u16string s) {
            std::u16string out(s.size(), u'\0');
            protocol::scrambleCredential(s.data(), out.data(), s.size());
            return out;
        };
        w.text16(nameSpace);
        w.text16(scrambled(user));
        w.text16(scrambled(password));
        w.text16(u"tester");
        w.text16(u"host");
        w.text16(u"test");
        w.text8(std::string(12, '\0'));
        w.text16(u"127.0.0.1");
        return w.take();
    }

    Reply handshakeAndLogin(const std::u16string& password) {
        send("HS", std::string("\x01\x00", 2), 1);
        const Reply hs = receive();
        EXPECT_EQ(hs.code, 0);
        EXPECT_EQ(hs.body, std::string("\x01\x00", 2) + (options_.unicode ? std::string("\x01\x00", 2) : std::string(2, '\0')));
        send("CN", loginBody(u"FERRIX", u"DEMO", password), 2);
        return receive();
    }

    // One request with the next sequence number; its reply.
    Reply call(std::string_view code, const std::string& body, std::uint32_t stmt = 0) {
        send(code, body, ++seq_, stmt);
        return receive();
    }
    void login() { ASSERT_EQ(handshakeAndLogin(u"demo").code, 0); seq_ = 2; }

    std::uint32_t seq_ = 0;
    SessionOptions options_;
    std::filesystem::path folder_;
    std::unique_ptr<net::Listener> listener_;
    int fd_ = -1;
};

}  // namespace kesto::server::odbc::testclient
