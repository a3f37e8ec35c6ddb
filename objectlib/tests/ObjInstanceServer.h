// The object server on an ephemeral loopback port over a small class of its own, seen
// through a relay that records the requests the library sends.
#pragma once

#include "model/ClassDef.h"
#include "objproto/Options.h"
#include "objproto/Server.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kesto::object::testing {

// "FRX.ProxyArt" (ID Firma||ArtNr): Bez1 (text, prefetched), Menge (integer, deferred
// write), VK (double, prefetched; also a class method of that name), Datum (date), Aktiv
// (boolean), Haupt (object, prefetched), Roh (binary); methods "Echo"(by-ref text, text)
// -> text, "Pruefen" (a status that fails), "Merken"(text) (deferred, no result).
// Rows 1||100 "Zement", 1||200 "Moertel" (Haupt = 1||100).
const server::model::Catalog& proxyCatalog();

struct SeenRequest {
  std::uint8_t code = 0;
  std::uint8_t kind = 0;
  std::string body;
};

// Forwards every connection made to port() to the server and keeps the requests.
class RequestRelay {
 public:
  explicit RequestRelay(std::uint16_t serverPort);
  ~RequestRelay();
  RequestRelay(const RequestRelay&) = delete;
  RequestRelay& operator=(const RequestRelay&) = delete;

  std::uint16_t port() const { return port_; }
  std::vector<SeenRequest> requests() const;
  // Codes of the object requests (kind 7) in order.
  std::vector<int> codes() const;
  void clear();

 private:
  void acceptLoop();
  void pump(int from, int to, bool record);

  std::uint16_t serverPort_;
  std::uint16_t port_ = 0;
  int listenFd_ = -1;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::vector<SeenRequest> requests_;
  std::vector<int> sockets_;
  std::vector<std::thread> threads_;
  std::thread acceptor_;
};

class ProxyServer {
 public:
  explicit ProxyServer(server::objproto::ServerOptions options = {});
  ~ProxyServer();

  // "cn_iptcp:127.0.0.1[port]:Ferrix" through the relay.
  std::string connectText() const;
  RequestRelay& relay() { return *relay_; }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<server::objproto::ObjectServer> server_;
  std::unique_ptr<RequestRelay> relay_;
};

}  // namespace kesto::object::testing
