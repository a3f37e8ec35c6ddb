// One client connection of the object protocol: reads requests, answers them, and keeps
// the connection's objects, query cursors and transaction level.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Codec.h"
#include "Framing.h"
#include "Objects.h"
#include "model/ClassDef.h"
#include "model/Database.h"
#include "net/Listener.h"
#include "objproto/Options.h"
#include "wire/List.h"

namespace kesto::server::objproto {

struct Request {
  std::uint8_t code = 0;
  std::uint8_t kind = 0;
  std::string space;  // namespace
  std::string body;
  bool malformed = false;  // namespace or body missing, or an item past the message's end
};

struct Reply {
  std::string status = "1";
  std::string payload;
  bool trailing = false;  // payload is a trailing message
};

// The outcome of a method: its return element and the by-reference list.
struct CallResult {
  std::string returned;
  std::vector<std::string> byRef;  // one encoded element per argument
};

// A running query: encoded rows come from a statement or from a prepared list.
struct Cursor {
  std::vector<model::QueryColumn> columns;
  std::optional<model::Statement> statement;
  std::vector<std::string> rows;     // encoded rows when there is no statement
  std::size_t nextRow = 0;
  std::optional<std::string> pending;  // a row read but not sent yet
  bool done = false;
};

// A dynamic SQL statement: survives SQLClose, its cursor does not.
struct DynamicStatement {
  std::string sql;
  int parameters = 0;
  std::unique_ptr<Cursor> cursor;
};

class Session {
 public:
  Session(const ServerOptions& options, const model::Catalog& catalog, net::Connection& connection);
  ~Session();
  void run();

 private:
  // framing
  bool readRequest(Request& request);
  bool writeReply(const Request& request, const Reply& reply);
  bool sendOutput(std::string_view text);
  Reply dispatch(const Request& request);
  bool knownNamespace(std::string_view space) const;

  // requests
  Reply command(std::string_view text);
  Reply describeClass(wire::ListReader& body);
  Reply queuedRecords(std::string_view body);
  Reply getProperty(wire::ListReader& body);
  Reply openObject(std::uint8_t code, wire::ListReader& body);
  Reply callMethod(std::uint8_t code, wire::ListReader& body);
  Reply releaseRef(wire::ListReader& body);
  Reply classOfRef(wire::ListReader& body);
  Reply errorText(wire::ListReader& body);

  // objects and members
  const model::ClassDef& findClass(std::string_view name) const;
  ServerObject& findObject(int ref);
  int openById(const model::ClassDef& cls, const std::string& id);
  std::string propertyElement(int ref, std::string_view name);
  void setProperty(int ref, std::string_view name, const wire::Element& value);
  // A failing status method answers with a failure status, or throws when `strict` is set
  // (queued calls, whose answers the client does not read).
  CallResult invoke(const model::ClassDef& cls, ServerObject* self, std::string_view method,
                    std::span<const wire::Element> args, bool strict = false);
  CallResult invokeGeneric(const model::ClassDef& cls, ServerObject* self,
                           const model::MethodDef& method, std::span<const wire::Element> args,
                           bool strict);
  void save(ServerObject& object);
  std::string statusElement(const std::optional<model::ServerError>& error) const;

  // streams
  int streamFor(ServerObject& object, const model::PropertyDef& property);
  CallResult callStream(StreamObject& stream, std::string_view method,
                        std::span<const wire::Element> args);

  // queries
  std::optional<CallResult> callQuery(const model::ClassDef& cls, std::string_view method,
                                      std::span<const wire::Element> args);
  std::optional<CallResult> callDynamic(std::string_view method, std::span<const wire::Element> args);
  CallResult queryInfo(const std::vector<model::QueryColumn>& columns,
                       const std::vector<model::QueryParam>& params, int idColumn,
                       std::span<const wire::Element> args);
  CallResult fetchRows(Cursor& cursor, std::span<const wire::Element> args);
  std::optional<std::string> nextRow(Cursor& cursor);
  std::string cell(const model::QueryColumn& column, const model::Value& value) const;
  std::unique_ptr<Cursor> compiledQueryInfo(std::string_view className);

  // by-reference list: the arguments as they came, with some positions replaced
  std::vector<std::string> echo(std::span<const wire::Element> args) const;

  const ServerOptions& options_;
  const model::Catalog& catalog_;
  net::Connection& connection_;
  Framing framing_;
  TextCodec codec_;
  std::unique_ptr<model::Database> db_;
  model::SessionContext context_;
  ObjectTable objects_;
  std::map<std::string, std::unique_ptr<Cursor>> cursors_;      // class queries, "Q<n>"
  std::map<std::string, DynamicStatement> dynamic_;            // dynamic SQL, "D<n>"
  int nextHandle_ = 1;
  std::size_t requests_ = 0;
  int lastPurgeDay_ = 0;
  std::chrono::steady_clock::time_point nextLook_{};  // when the peer is looked at next
};

}  // namespace kesto::server::objproto
