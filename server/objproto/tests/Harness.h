// A server on an ephemeral port over a small catalog of its own, and a client that builds
// requests by hand and sends them through the message link.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mlink/MLink.h"
#include "model/ClassDef.h"
#include "objproto/Server.h"
#include "wire/List.h"

namespace kesto::server::objproto::testing {

// Class "FRX.TestArt" (ID Firma||ArtNr) with one property of each kind, three special
// methods and the query "NachFirma"; rows 1||100 "Zement grün" and 1||200 "Mörtel".
const model::Catalog& testCatalog();

struct Answer {
  bool sent = false;      // the link delivered a reply
  bool trailing = false;  // word 52 set
  std::string status;
  std::string payload;    // or the trailing message
  bool ok() const { return sent && !trailing && !status.empty() && status[0] >= '1' && status[0] <= '9'; }
  // The error code of a failure status "0 " + [[code]...].
  int errorCode() const;
};

class Client {
 public:
  explicit Client(std::uint16_t port);
  bool connected() const { return link_.Connected != 0; }
  Answer request(std::uint8_t code, std::string_view body, std::string_view space = "Ferrix");
  Answer command(std::string_view text);
  std::vector<std::string> outputs;

 private:
  MMsg message_{65537};
  MLink link_{nullptr, &message_};
};

class ServerFixture {
 public:
  explicit ServerFixture(ServerOptions options = {});
  ~ServerFixture();
  std::uint16_t port() const { return server_->port(); }
  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<ObjectServer> server_;
};

// Body builders.
std::string t1(std::string_view bytes);
std::string t2(std::string_view utf8);
std::string list(std::initializer_list<std::string> elements);  // one 8-bit element holding them
std::vector<wire::Element> elementsOf(std::string_view bytes);

// For peers that do not follow the protocol: a request framed by hand (length prefix,
// header, then each item as its u16 length and bytes; `itemLength` overrides what the
// last item announces), and one framed message read from a plain socket.
std::string framed(std::uint8_t code, std::uint8_t kind, std::initializer_list<std::string_view> items,
                   std::optional<std::uint16_t> itemLength = std::nullopt);
std::optional<std::string> readFramed(int fd);
std::string textOf(const wire::Element& e);  // type 1 (as Windows-1252) or 2, as UTF-8

}  // namespace kesto::server::objproto::testing
