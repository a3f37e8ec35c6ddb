// The object-protocol server: one session per connection, each with its own connection
// to the data folder.
#pragma once

#include <cstdint>
#include <memory>

#include "model/ClassDef.h"
#include "objproto/Options.h"

#include "net/Listener.h"

namespace kesto::server::objproto {

// The listener settings of the options, on the given port.
net::ListenOptions listenOptions(const ServerOptions& options, std::uint16_t port);

// Answers the first request of a client that finds no free place: "too many connections".
void refuse(net::Connection& connection, std::size_t maxConnections);

class ObjectServer {
 public:
  // The catalog must outlive the server.
  ObjectServer(ServerOptions options, const model::Catalog& catalog);
  ~ObjectServer();
  ObjectServer(const ObjectServer&) = delete;
  ObjectServer& operator=(const ObjectServer&) = delete;

  // Starts listening; throws net::NetError when the address cannot be used.
  void start();
  std::uint16_t port() const;
  void stop();

  // Runs one session over a connected socket until the peer goes (used by start()).
  void serve(net::Connection& connection);

 private:
  ServerOptions options_;
  const model::Catalog& catalog_;
  std::unique_ptr<net::Listener> listener_;
};

}  // namespace kesto::server::objproto
