// The server's side of the shared-memory link, driven by the driver's own transport in the
// same process (the names are keyed by this process's pid).
#include "shm/SharedMemoryServer.h"

#include <SharedMemoryTransport.h>
#include <odbclink/ShmLayout.h>
#include <odbclink/ShmObjects.h>
#include <odbclink/Protocol.h>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <future>
#include <thread>
#include <unistd.h>

namespace {

using kesto::odbc::SharedMemoryTransport;
using kesto::odbc::Timeout;
namespace link = kesto::odbc::shm;
namespace shm = kesto::server::shm;

std::vector<std::uint8_t> message(const char* code, std::uint32_t sequence, std::string_view body = {}) {
    std::vector<std::uint8_t> m(14);
    const std::uint32_t words[] = {static_cast<std::uint32_t>(body.size()), sequence, 7};
    for (int w = 0; w < 3; ++w)
        for (int i = 0; i < 4; ++i) m[w * 4 + i] = static_cast<std::uint8_t>(words[w] >> (8 * i));
    m[12] = static_cast<std::uint8_t>(code[0]);
    m[13] = static_cast<std::uint8_t>(code[1]);
    m.insert(m.end(), body.begin(), body.end());
    return m;
}

// Answers every request with its body repeated `factor` times, except the ones without a
// reply; ends at DC.
void echoSession(kesto::server::odbc::Link& link, std::size_t factor) {
    kesto::server::odbc::Request r;
    while (link.read(r) == kesto::server::odbc::ReadResult::Ok) {
        if (r.code == "DC") return;
        if (r.code == "AF") continue;
        std::string reply;
        for (std::size_t i = 0; i < factor; ++i) reply += r.body;
        if (!link.write(r, 0, reply)) return;
    }
}

class SharedMemoryServer : public ::testing::Test {
protected:
    void start(std::size_t factor = 1, std::chrono::milliseconds attachLimit = std::chrono::seconds(30)) {
        options.session = [factor](kesto::server::odbc::Link& link) { echoSession(link, factor); };
        options.attachLimit = attachLimit;
        options.stopRequested = [this] { return stop.load(); };
        server = std::thread([this] { shm::serveSharedMemory(options); });
    }
    void TearDown() override {
        stop = true;
        if (server.joinable()) server.join();
        EXPECT_FALSE(link::anyNameExists(link::namePrefix(), ::getpid()));
    }
    bool exchange(SharedMemoryTransport& t, const std::vector<std::uint8_t>& request, std::vector<std::uint8_t>& reply) {
        return t.send(request, Timeout::of(5), {}) == 0 && t.receive(reply, 0, Timeout::of(5)) == 0;
    }

    shm::SharedMemoryOptions options;
    std::atomic<bool> stop{false};
    std::thread server;
};

TEST_F(SharedMemoryServer, ServesOneClientUntilDisconnectAndLeavesNoNames) {
    start();
    SharedMemoryTransport client(u"FERRIX");
    ASSERT_EQ(client.attach(::getpid(), Timeout::of(5)), 0);
    // Attached: both ends hold the objects, the names are gone already.
    EXPECT_FALSE(link::anyNameExists(link::namePrefix(), ::getpid()));

    std::vector<std::uint8_t> reply;
    ASSERT_TRUE(exchange(client, message("HS", 1, std::string_view("\x01\x00", 2)), reply));
    ASSERT_EQ(reply.size(), 16u);
    EXPECT_EQ(reply[4], 1);  // the sequence number comes back
    EXPECT_EQ(reply[8], 7);

    // A request without a reply, then one with: the second never overwrites the first.
    ASSERT_EQ(client.send(message("AF", 2), Timeout::of(5), {}), 0);
    ASSERT_TRUE(exchange(client, message("OE", 3, "abc"), reply));
    EXPECT_EQ(std::string(reply.begin() + 14, reply.end()), "abc");

    ASSERT_EQ(client.send(message("DC", 4), Timeout::of(5), {}), 0);
    server.join();
    // The server is gone: the next request finds the link down.
    EXPECT_EQ(client.send(message("OE", 5), Timeout::of(5), {}), 455);
}

TEST_F(SharedMemoryServer, EndsWhenTheClientLetsGo) {
    start();
    {
        SharedMemoryTransport client(u"");
        ASSERT_EQ(client.attach(::getpid(), Timeout::of(5)), 0);
    }
    server.join();  // returns on its own: the client's lock was freed
}

TEST_F(SharedMemoryServer, SecondClientIsRefused) {
    start();
    SharedMemoryTransport first(u""), second(u"");
    ASSERT_EQ(first.attach(::getpid(), Timeout::of(5)), 0);
    // The names went with the first attach: the second finds no server.
    EXPECT_EQ(second.attach(::getpid(), Timeout::of(1)), 454);
}

TEST_F(SharedMemoryServer, GivesUpWhenNoClientAttaches) {
    start(1, std::chrono::milliseconds(50));
    server.join();
}

TEST_F(SharedMemoryServer, ReplyTooLargeForTheAreaBecomes413) {
    start(3);
    SharedMemoryTransport client(u"");
    ASSERT_EQ(client.attach(::getpid(), Timeout::of(5)), 0);
    std::vector<std::uint8_t> reply;
    const std::string big(link::kAreaSize / 2, 'x');
    ASSERT_TRUE(exchange(client, message("RS", 9, big), reply));
    ASSERT_EQ(reply.size(), 14u);
    EXPECT_EQ(reply[4], 9);
    EXPECT_EQ(reply[12] | reply[13] << 8, kesto::odbc::protocol::kIncompatibleProtocol);
    // A request too large for the area is refused by the client itself.
    EXPECT_EQ(client.send(message("RS", 10, std::string(link::kAreaSize, 'y')), Timeout::of(5), {}), 460);
}

TEST_F(SharedMemoryServer, ReplyThatNeverComesTimesOut) {
    start();
    SharedMemoryTransport client(u"");
    ASSERT_EQ(client.attach(::getpid(), Timeout::of(5)), 0);
    ASSERT_EQ(client.send(message("AF", 1), Timeout::of(5), {}), 0);
    std::vector<std::uint8_t> reply;
    EXPECT_EQ(client.receive(reply, 0, Timeout::of(1)), 450);
}

// A stop is asked for once (a signal is taken when asked): asked while a statement runs, it
// stops the statement and still ends the service after the reply.
TEST_F(SharedMemoryServer, AStopDuringAStatementEndsTheService) {
    std::atomic<bool> statementRuns{false};
    options.session = [&](kesto::server::odbc::Link& link) {
        kesto::server::odbc::Request r;
        while (link.read(r) == kesto::server::odbc::ReadResult::Ok) {
            statementRuns = true;
            while (!link.stopRequested(r.statement)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            link.write(r, 400, "stopped");
        }
    };
    options.stopRequested = [this] { return stop.exchange(false); };
    auto served = std::async(std::launch::async, [this] { shm::serveSharedMemory(options); });
    SharedMemoryTransport client(u"");
    ASSERT_EQ(client.attach(::getpid(), Timeout::of(5)), 0);
    ASSERT_EQ(client.send(message("DQ", 1), Timeout::of(5), {}), 0);
    while (!statementRuns) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    stop = true;
    std::vector<std::uint8_t> reply;
    ASSERT_EQ(client.receive(reply, 0, Timeout::of(5)), 0);
    EXPECT_EQ(std::string(reply.begin() + 14, reply.end()), "stopped");
    const bool ended = served.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    stop = true;  // lets a service that went on end, so that the test can report
    served.wait();
    EXPECT_TRUE(ended) << "the service went on after the stop";
}

}  // namespace
