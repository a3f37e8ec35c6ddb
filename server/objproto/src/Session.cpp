#include "Session.h"

#include <chrono>
#include <iostream>
#include <unistd.h>

#include "mlink/Frame.h"
#include "model/ErrorText.h"
#include "text/CodePage.h"

namespace kesto::server::objproto {

using model::ServerError;
namespace errc = model::errc;
namespace ml = kesto::mlink;

namespace {

const std::string kPurgeText =
    "i +$g(^mcq(\"LastPurge\"))'=+$h s ^(\"LastPurge\")=$h d Purge^%qserver(\"\")";

// Days since 1840-12-31, the server language's day count.
int today() {
  using namespace std::chrono;
  const auto days = floor<std::chrono::days>(system_clock::now()).time_since_epoch().count();
  return static_cast<int>(days) + 47117;  // 1970-01-01 is day 47117
}

}  // namespace

Session::Session(const ServerOptions& options, const model::Catalog& catalog,
                 net::Connection& connection)
    : options_(options), catalog_(catalog), connection_(connection), framing_(connection),
      codec_(options.unicode) {}

Session::~Session() {
  cursors_.clear();
  dynamic_.clear();
  // A connection that goes away rolls back what it left open.
  if (db_ && db_->transactionLevel() > 0) {
    try {
      db_->transactionRollback();
    } catch (const std::exception& e) {
      std::cerr << "kestoserver: rollback at session end failed: " << e.what() << '\n';
    }
  }
}

void Session::run() {
  if (options_.refuseConnections)
    return;
  db_ = std::make_unique<model::Database>(options_.dataFolder);
  // A statement stops when the server stops (the connection is shut down) or its client
  // has gone: nobody would read its answer.
  db_->setInterruptCheck([this] {
    if (!connection_.isOpen())
      return true;
    const auto now = std::chrono::steady_clock::now();
    if (now < nextLook_)
      return false;
    nextLook_ = now + std::chrono::milliseconds(5);
    return connection_.peerGone();
  });
  Request request;
  while (readRequest(request)) {
    ++requests_;
    // A request in a namespace of ours counts as the login: from now on the client may idle.
    if (knownNamespace(request.space))
      connection_.loggedIn();
    if (requests_ == options_.dropAtRequest)
      return;
    Reply reply;
    if (requests_ == options_.failAtRequest)
      reply.status = failureStatus(ServerError(errc::CommandRefused, {"failure injected"}), codec_);
    else
      reply = dispatch(request);
    if (!writeReply(request, reply))
      return;
  }
}

bool Session::readRequest(Request& request) {
  const auto message = framing_.readMessage();
  if (!message)
    return false;
  ml::ItemReader items(*message);
  const auto space = items.next();
  const auto body = items.next();
  request.code = static_cast<std::uint8_t>((*message)[ml::kPosCode]);
  request.kind = static_cast<std::uint8_t>((*message)[ml::kPosKind]);
  // The frame itself was sound: items that do not fit it get an error reply.
  request.malformed = !space || !body || items.malformed();
  request.space.assign(space.value_or(std::string_view()));
  request.body.assign(body.value_or(std::string_view()));
  return true;
}

bool Session::writeReply(const Request& request, const Reply& reply) {
  std::string& message = framing_.startMessage(request.code, ml::Reply, request.kind);
  if (reply.trailing)
    ml::putU16(message.data() + 4 + ml::kPosTrailing, 1);
  if (!framing_.appendItem(reply.status) || !framing_.appendItem(reply.payload)) {
    framing_.startMessage(request.code, ml::Reply, request.kind);
    const ServerError tooLong(errc::ValueTooLong, {std::to_string(reply.payload.size())});
    framing_.appendItem(failureStatus(tooLong, codec_));
    framing_.appendItem("");
  }
  return framing_.sendMessage();
}

bool Session::sendOutput(std::string_view text) {
  framing_.startMessage(0, ml::Output);
  const std::string pid = std::to_string(::getpid());
  const std::string_view space =
      options_.namespaces.empty() ? std::string_view() : std::string_view(options_.namespaces[0]);
  // Output travels as 8-bit text in the Windows code page, like every 8-bit text.
  const std::string ansi = text::toNarrow(text::utf8ToUtf16(text), text::CodePage::Ansi);
  const std::string_view items[] = {space, pid, "W", "|TCP|", "0",
                                    std::string_view(ansi).substr(0, 32767)};
  for (const auto item : items)
    framing_.appendItem(item);
  if (!framing_.sendMessage())
    return false;
  // The client acknowledges every output message before we go on.
  const auto ack = framing_.readMessage();
  return ack && ack->size() >= ml::kHeaderSize &&
         static_cast<std::uint8_t>((*ack)[ml::kPosType]) == ml::Acknowledge;
}

bool Session::knownNamespace(std::string_view space) const {
  for (const auto& ns : options_.namespaces)
    if (model::equalsNoCase(ns, space))
      return true;
  return false;
}

Reply Session::dispatch(const Request& request) {
  Reply reply;
  try {
    if (request.malformed)
      throw ServerError(errc::BadValue, {"request", "items run past the message"});
    if (!knownNamespace(request.space))
      throw ServerError(errc::UnknownNamespace, {request.space});
    if (request.kind == ml::CommandText)
      return command(request.body);
    if (request.kind != ml::ObjectRequest)
      throw ServerError(errc::BadValue, {"kind", std::to_string(request.kind)});
    wire::ListReader body(request.body);
    switch (request.code) {
      case 1: return describeClass(body);
      case 3: return queuedRecords(request.body);
      case 5: return getProperty(body);
      case 9:
      case 11:
      case 13: return openObject(request.code, body);
      case 15:
      case 17: return callMethod(request.code, body);
      case 19: return releaseRef(body);
      case 21: return classOfRef(body);
      case 23: return errorText(body);
      default: throw ServerError(errc::BadValue, {"request", std::to_string(request.code)});
    }
  } catch (const ServerError& e) {
    reply.status = failureStatus(e, codec_);
  } catch (const wire::FormatError& e) {
    reply.status = failureStatus(ServerError(errc::BadValue, {"list", e.what()}), codec_);
  } catch (const wire::CapacityError& e) {
    reply.status = failureStatus(ServerError(errc::ValueTooLong, {e.what()}), codec_);
  } catch (const std::exception& e) {
    // Whatever else a crafted request runs into: the client hears of it, the session goes on.
    reply.status = failureStatus(ServerError(errc::BadValue, {"request", e.what()}), codec_);
  }
  reply.payload.clear();
  return reply;
}

Reply Session::command(std::string_view text) {
  while (!text.empty() && text.back() == '\0')
    text.remove_suffix(1);
  Reply reply;
  if (text == "=$ZBITGET($ZVERSION(0),1)") {
    reply.status = options_.unicode ? "1" : "0";
  } else if (text == "TSTART") {
    // Object transactions are opened to write: concurrent clients queue up at TSTART.
    db_->transactionStart(model::Database::Locking::WriteAtStart);
  } else if (text == "TCOMMIT") {
    db_->transactionCommit();
  } else if (text == "TROLLBACK") {
    db_->transactionRollback();
  } else if (text == "=$TL") {
    reply.status = std::to_string(db_->transactionLevel());
  } else if (text == kPurgeText) {
    // Cached statements are per session and end with it; only the day is kept.
    lastPurgeDay_ = today();
  } else {
    reply.status = "0";
    reply.trailing = true;
    reply.payload = "Befehl nicht erlaubt";
  }
  return reply;
}

Reply Session::releaseRef(wire::ListReader& body) {
  objects_.release(static_cast<int>(integerArgument(body.next(), "oref")));
  return {};
}

Reply Session::classOfRef(wire::ListReader& body) {
  const int ref = static_cast<int>(integerArgument(body.next(), "oref"));
  Reply reply;
  if (const auto* o = objects_.object(ref))
    reply.payload = codec_.element(o->cls->name);
  else if (const auto* s = objects_.stream(ref))
    reply.payload = codec_.element(s->binary ? "%Library.GlobalBinaryStream"
                                             : "%Library.GlobalCharacterStream");
  else
    throw ServerError(errc::BadObjectRef, {std::to_string(ref)});
  return reply;
}

Reply Session::errorText(wire::ListReader& body) {
  const std::string item(body.next().data);
  body.tryNext();  // the empty element
  const auto language = body.tryNext();
  wire::ListReader fields(item);
  const int code = static_cast<int>(integerArgument(fields.next(), "code"));
  std::vector<std::string> params;
  while (const auto p = fields.tryNext())
    params.push_back(TextCodec::text(*p));
  const std::string text =
      model::errorText(code, params, language ? std::string_view(language->data) : "DEU");
  // The client reads the text from the status field.
  Reply reply;
  reply.status = codec_.element(text);
  reply.payload = reply.status;
  return reply;
}

}  // namespace kesto::server::objproto
