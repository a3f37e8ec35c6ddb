#include "ObjInstanceServer.h"

#include "model/Database.h"
#include "model/ServerError.h"
#include "net/Listener.h"

#include <mlink/Frame.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace kesto::object::testing {

namespace model = server::model;
using model::TypeCode;

const model::Catalog& proxyCatalog() {
  static const model::Catalog catalog = [] {
    model::ClassDef c;
    c.name = "FRX.ProxyArt";
    c.table = "FRX.ProxyArt";
    c.idParts = {"Firma", "ArtNr"};
    c.properties = {
        {"Bez1", "Bez1", TypeCode::Text, "VARCHAR(60)", true, false, ""},
        {"Menge", "Menge", TypeCode::Integer, "INTEGER", false, true, ""},
        {"VK", "VK", TypeCode::Double, "NUMERIC(10,2)", true, false, ""},
        {"Datum", "Datum", TypeCode::Date, "DATE", false, false, ""},
        {"Aktiv", "Aktiv", TypeCode::Boolean, "INTEGER", false, false, ""},
        {"Haupt", "Haupt", TypeCode::Object, "VARCHAR(30)", true, false, "FRX.ProxyArt"},
        {"Roh", "Roh", TypeCode::Binary, "BLOB", false, false, ""},
    };
    model::MethodDef echo;
    echo.name = "Echo";
    echo.args = {{TypeCode::Text, true}, {TypeCode::Text, false}};
    echo.handler = [](model::CallContext&, std::span<const std::string> args) {
      return args[1];
    };
    model::MethodDef check;
    check.name = "Pruefen";
    check.returns = TypeCode::Status;
    check.handler = [](model::CallContext&, std::span<const std::string>) -> std::string {
      throw model::ServerError(model::errc::BadValue, {"Pruefen", "x"});
    };
    model::MethodDef note;
    note.name = "Merken";
    note.args = {{TypeCode::Text, false}};
    note.returns = TypeCode::None;
    note.deferred = true;
    note.handler = [](model::CallContext&, std::span<const std::string>) { return std::string(); };
    model::MethodDef price;  // a method with the name of a property
    price.name = "VK";
    price.handler = [](model::CallContext&, std::span<const std::string>) { return std::string("method"); };
    c.methods = {echo, check, note, price};
    model::Catalog cat;
    cat.add(c);
    return cat;
  }();
  return catalog;
}

// ---- relay --------------------------------------------------------------------------

namespace {

bool readAll(int fd, char* p, std::size_t n) {
  while (n > 0) {
    const ssize_t got = ::recv(fd, p, n, 0);
    if (got <= 0) return false;
    p += got;
    n -= static_cast<std::size_t>(got);
  }
  return true;
}

bool writeAll(int fd, const char* p, std::size_t n) {
  while (n > 0) {
    const ssize_t sent = ::send(fd, p, n, MSG_NOSIGNAL);
    if (sent <= 0) return false;
    p += sent;
    n -= static_cast<std::size_t>(sent);
  }
  return true;
}

}  // namespace

RequestRelay::RequestRelay(std::uint16_t serverPort) : serverPort_(serverPort) {
  listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof addr;
  if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(listenFd_, 4) != 0 ||
      ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &length) != 0)
    throw std::runtime_error("relay cannot listen");
  port_ = ntohs(addr.sin_port);
  acceptor_ = std::thread([this] { acceptLoop(); });
}

RequestRelay::~RequestRelay() {
  stopping_ = true;
  ::shutdown(listenFd_, SHUT_RDWR);
  acceptor_.join();
  ::close(listenFd_);
  {
    std::lock_guard lock(mutex_);
    for (int fd : sockets_) ::shutdown(fd, SHUT_RDWR);
  }
  for (auto& t : threads_) t.join();
  for (int fd : sockets_) ::close(fd);
}

void RequestRelay::acceptLoop() {
  while (!stopping_) {
    const int client = ::accept(listenFd_, nullptr, nullptr);
    if (client < 0) return;
    const int server = server::net::dialLoopback(serverPort_);
    if (server < 0) {
      ::close(client);
      continue;
    }
    std::lock_guard lock(mutex_);
    sockets_.push_back(client);
    sockets_.push_back(server);
    threads_.emplace_back([this, client, server] { pump(client, server, true); });
    threads_.emplace_back([this, client, server] { pump(server, client, false); });
  }
}

// Frames are a u32 length and the message; requests are recorded before they go on, so
// a request is in the list by the time its reply arrives.
void RequestRelay::pump(int from, int to, bool record) {
  std::vector<char> message(mlink::kMessageCapacity);
  for (;;) {
    char prefix[4];
    if (!readAll(from, prefix, 4)) break;
    const std::uint32_t n = mlink::getU32(prefix);
    if (!mlink::validMessageLength(n) || !readAll(from, message.data(), n)) break;
    if (record && static_cast<std::uint8_t>(message[mlink::kPosType]) == mlink::Request) {
      SeenRequest seen;
      seen.code = static_cast<std::uint8_t>(message[mlink::kPosCode]);
      seen.kind = static_cast<std::uint8_t>(message[mlink::kPosKind]);
      mlink::ItemReader items(std::string_view(message.data(), n));
      items.next();  // namespace
      seen.body = std::string(items.next().value_or(""));
      std::lock_guard lock(mutex_);
      requests_.push_back(std::move(seen));
    }
    if (!writeAll(to, prefix, 4) || !writeAll(to, message.data(), n)) break;
  }
  ::shutdown(to, SHUT_RDWR);
  ::shutdown(from, SHUT_RDWR);
}

std::vector<SeenRequest> RequestRelay::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::vector<int> RequestRelay::codes() const {
  std::vector<int> codes;
  for (const auto& r : requests())
    if (r.kind == mlink::ObjectRequest) codes.push_back(r.code);
  return codes;
}

void RequestRelay::clear() {
  std::lock_guard lock(mutex_);
  requests_.clear();
}

// ---- server -------------------------------------------------------------------------

ProxyServer::ProxyServer(server::objproto::ServerOptions options) {
  static std::atomic<int> counter{0};
  folder_ = std::filesystem::temp_directory_path() /
            ("objproxy-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  model::prepareFolder(
      folder_,
      [](model::Database& db) {
        model::createClassTables(db, proxyCatalog());
        db.exec("INSERT INTO FRX.ProxyArt (ID, Firma, ArtNr, Bez1, VK, Menge, Datum, Aktiv, Haupt) "
                "VALUES ('1||100', '1', '100', 'Zement', 6.99, 25, '2024-03-15', 1, NULL), "
                "('1||200', '1', '200', 'Moertel', 12.5, 0, NULL, 0, '1||100')");
      },
      true);
  options.port = 0;
  options.dataFolder = folder_;
  server_ = std::make_unique<server::objproto::ObjectServer>(options, proxyCatalog());
  server_->start();
  relay_ = std::make_unique<RequestRelay>(server_->port());
}

ProxyServer::~ProxyServer() {
  relay_.reset();
  server_->stop();
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

std::string ProxyServer::connectText() const {
  return "cn_iptcp:127.0.0.1[" + std::to_string(relay_->port()) + "]:Ferrix";
}

}  // namespace kesto::object::testing
