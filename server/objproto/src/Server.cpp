#include "objproto/Server.h"

#include "Framing.h"
#include "Session.h"
#include "mlink/Frame.h"
#include "net/Listener.h"

namespace kesto::server::objproto {

namespace ml = kesto::mlink;

net::ListenOptions listenOptions(const ServerOptions& options, std::uint16_t port) {
  net::ListenOptions o;
  o.bindAddress = options.bindAddress;
  o.port = port;
  o.maxConnections = options.maxConnections;
  o.stallTimeout = options.stallTimeout;
  o.loginTimeout = options.loginTimeout;
  return o;
}

ObjectServer::ObjectServer(ServerOptions options, const model::Catalog& catalog)
    : options_(std::move(options)), catalog_(catalog) {}

ObjectServer::~ObjectServer() {
  stop();
}

void ObjectServer::start() {
  const std::size_t cap = options_.maxConnections;
  listener_ = std::make_unique<net::Listener>([this](net::Connection& c) { serve(c); },
                                              [cap](net::Connection& c) { refuse(c, cap); });
  listener_->start(listenOptions(options_, options_.port));
}

std::uint16_t ObjectServer::port() const {
  return listener_ ? listener_->port() : 0;
}

void ObjectServer::stop() {
  if (listener_)
    listener_->stop();
}

void ObjectServer::serve(net::Connection& connection) {
  Session session(options_, catalog_, connection);
  session.run();
}

void refuse(net::Connection& connection, std::size_t maxConnections) {
  Framing framing(connection);
  const auto request = framing.readMessage();
  if (!request || request->size() < ml::kHeaderSize)
    return;
  // A trailing message: the client takes it as the failure's text, the connect included.
  std::string& reply = framing.startMessage(static_cast<std::uint8_t>((*request)[ml::kPosCode]), ml::Reply,
                                            static_cast<std::uint8_t>((*request)[ml::kPosKind]));
  ml::putU16(reply.data() + 4 + ml::kPosTrailing, 1);
  framing.appendItem("0");
  framing.appendItem(net::tooManyConnectionsText(maxConnections));
  framing.sendMessage();
}

}  // namespace kesto::server::objproto
