// The object server on an ephemeral loopback port over a class with stream properties and
// a three-parameter query, seen through a request-recording relay.
#pragma once

#include "ObjInstanceServer.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kesto::object::testing {

// "FRX.StreamArt" (ID Firma||Nr): Bez (text), Bild (binary stream), Notiz (character
// stream); query "NachBereich"(Firma, Von, Bis) -> ID, Nr, Bez ordered by Nr. Rows
// 1||01 .. 1||12 ("Teil 01" ..), 2||01.
const server::model::Catalog& streamCatalog();

// One stream call (request 15 on a stream) as the relay saw it.
struct StreamCall {
  std::string method;
  std::string marker;
  std::vector<std::string> arguments;  // element data of the argument list
};
// The request 15 calls among the requests, in order.
std::vector<StreamCall> streamCalls(const std::vector<SeenRequest>& requests);

class StreamServer {
 public:
  explicit StreamServer(server::objproto::ServerOptions options = {});
  ~StreamServer();

  // "cn_iptcp:127.0.0.1[port]:Ferrix" through the relay.
  std::string connectText() const;
  RequestRelay& relay() { return *relay_; }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<server::objproto::ObjectServer> server_;
  std::unique_ptr<RequestRelay> relay_;
};

}  // namespace kesto::object::testing
