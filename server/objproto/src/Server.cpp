#include "objproto/Server.h"

#include "Session.h"
#include "net/Listener.h"

namespace kesto::server::objproto {

ObjectServer::ObjectServer(ServerOptions options, const model::Catalog& catalog)
    : options_(std::move(options)), catalog_(catalog) {}

ObjectServer::~ObjectServer() {
  stop();
}

void ObjectServer::start() {
  listener_ = std::make_unique<net::Listener>([this](net::Connection& c) { serve(c); });
  listener_->start({options_.bindAddress, options_.port});
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

}  // namespace kesto::server::objproto
