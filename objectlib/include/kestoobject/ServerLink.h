// The one channel of a Factory to the object server: frames a request in a message of the
// message link, sends it, waits for the reply and checks its status.
//
// A reply's payload (the Bytes handed back) lies in the link's message buffer and is valid
// only until the next request of the same link. Failures leave the module's last error
// (moduleState(): LastErrorText, LastErrorCode, ServerErrors) describing what went wrong:
// server errors are the joined texts of the server's error list with code 9992.
//
//   ListBuilder body;
//   body.number(ref).wide(u"Bez1");
//   if (auto payload = link.Exchange(ServerLink::kGetProperty, body)) read(*payload);
//   else raise(...moduleState().LastErrorText...);
#pragma once

#include <kestoobject/ListBuilder.h>

#include <automation/Interfaces.h>
#include <mlink/MLink.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::object {

// Receives server output instead of an output object (the exported database class).
class OutputSink {
 public:
  virtual void OutputCallback(std::u16string_view text) = 0;

 protected:
  ~OutputSink() = default;
};

class ServerLink final : public CCmdTarget {
 public:
  // Request codes (object requests unless noted).
  enum Code : std::uint8_t {
    kDescribeClass = 1,
    kPropertySets = 3,
    kGetProperty = 5,
    kNewObject = 9,
    kOpenByOid = 11,
    kOpenById = 13,
    kInstanceMethod = 15,
    kClassMethod = 17,  // also every command text
    kReleaseRef = 19,
    kClassOfRef = 21,
    kErrorText = 23,
  };

  static constexpr std::size_t kBufferSize = 65536;
  static constexpr long kMessageCapacity = 65537;
  static constexpr std::size_t kTrailingTextMax = 255;

  // Texts this link produces.
  static constexpr std::string_view kSendFailed = "Send to Server failed";
  static constexpr std::string_view kUnknownResponse = "Unknown response from Server";
  static constexpr std::string_view kRequestTooLarge = "Request too large";
  static constexpr std::string_view kRequestInProgress = "Request already in progress";
  static constexpr std::string_view kPurgeText =
      "i +$g(^mcq(\"LastPurge\"))'=+$h s ^(\"LastPurge\")=$h d Purge^%qserver(\"\")";

  ServerLink();
  ~ServerLink() override;
  ServerLink(const ServerLink&) = delete;
  ServerLink& operator=(const ServerLink&) = delete;

  // ---- connection -------------------------------------------------------------------
  // The link library's Connect with the text ("cn_iptcp:host[port]"); 0 without trying when
  // the text is empty.
  int Connect(std::string_view connectText);
  void FreeConnection();
  bool IsConnected() const;
  // The link broke under a request (the server went away): every later request fails at
  // once with LostText(), the text of that first failure, and at most one "Send to
  // Server failed" box is shown for it. Connect and FreeConnection end this state.
  bool Lost() const { return !lostText_.empty() && !IsConnected(); }
  const std::string& LostText() const { return lostText_; }
  void SetNamespace(std::string name) { namespace_ = std::move(name); }
  const std::string& Namespace() const { return namespace_; }

  // ---- object requests --------------------------------------------------------------
  // Sends one object request. 1 when the reply came without a trailing message, else 0
  // (link down: one "Send to Server failed" box and nothing sent). The status is not
  // looked at; see Exchange.
  int Request(std::uint8_t code, Bytes body);
  int Request(std::uint8_t code, const ListBuilder& body);

  // Request, then the status: the payload when the status is above 0; otherwise nothing,
  // with the server's error list handled (stored, its texts fetched with request 23).
  std::optional<Bytes> Exchange(std::uint8_t code, const ListBuilder& body);
  std::optional<Bytes> Exchange(std::uint8_t code, Bytes body);

  // Request 1: one piece of a class description.
  std::optional<Bytes> DescribeClass(std::u16string_view className, std::string_view key);
  // Request 5: the property's value element(s).
  std::optional<Bytes> GetPropertyValue(long ref, std::u16string_view name);
  // Request 3 with a block of queued records; on success the payload is copied to out.
  // 1 / -1.
  int SendPropertySets(Bytes block, std::vector<std::uint8_t>& out);
  // Request 19. 1 / -1.
  int ReleaseRef(long ref);
  // Request 21: the class name of a reference. 1 / -1.
  int ClassNameOfRef(long ref, std::u16string& className);
  // Requests 9, 11, 13: body = class name, then inner as one 8-bit element. 1 when the
  // status is positive and the reference is nonzero (ref and the server's class name are
  // set), else -1.
  int OpenObject(std::u16string_view className, const ListBuilder& inner, std::uint8_t code,
                 long& ref, std::u16string& actualClass);
  // Requests 15, 17 with a body the caller built. 1 / -1; payload valid until the next
  // request.
  int CallMethod(std::uint8_t code, const ListBuilder& body, Bytes& payload);
  // The status a method returned as the first element of its payload: 1 when it reads
  // as 1; otherwise its data from the third byte on is handled as an error list and 0 is
  // returned.
  int CheckMethodStatus(Bytes payload);

  // Request 23: the text of one error item (a server list value), as UTF-8; empty when
  // the request fails. Does not touch the stored error list.
  std::string ErrorText(Bytes errorItem);
  // Stores the error list as the module's ServerErrors, fetches the text of each item and
  // makes the joined texts the last error (code 9992). A negative length means an
  // unusable reply: last error "Unknown response from Server".
  void HandleErrorList(const std::uint8_t* list, long length);

  // ---- command texts ----------------------------------------------------------------
  // The server's character width: unicodeServer = 1 when it answers 1. 1 on success, 0
  // when it could not be asked.
  int QueryMultibyte(std::uint32_t& unicodeServer);
  // 1 when the command was answered without a trailing message, else 0 with the reason
  // in the last error (the Factory raises it).
  int TransactionStart();
  int TransactionRollBack();
  int TransactionCommit();
  int TransactionLevel(std::int16_t& level);
  int PurgeQueries();

  // ---- server output ----------------------------------------------------------------
  // An object sets the output object (its "Text" is put with each output), null clears
  // it. A sink, when set, takes precedence over the object.
  void SetOutputObject(IDispatch* target);
  void SetOutputSink(OutputSink* sink) { sink_ = sink; }
  void DeliverOutput(std::u16string_view text);
  // The link library's callback for every message that arrives while a request runs:
  // delivers output, then always writes the acknowledgement.
  int OnLinkMessage(MLink* link);

  // Scratch that lives as long as the link (no allocation per request). A body built in
  // the encode buffer is dead once its request is sent; decoded values in the decode
  // buffer and texts in the wide buffer are dead at the next request.
  std::span<std::uint8_t> EncodeBuffer() { return {encode_.get(), kBufferSize}; }
  std::span<std::uint8_t> DecodeBuffer() { return {decode_.get(), kBufferSize}; }
  std::u16string& WideBuffer() { return wide_; }

  // The link library's objects, for tests and diagnostics.
  MLink& Link() { return *link_; }
  MMsg& Message() { return *message_; }
  const std::string& TrailingText() const { return trailingText_; }

 private:
  struct Reply {
    long statusLength = 0;
    const std::uint8_t* status = nullptr;
    Bytes payload;
  };
  int Command(std::string_view text, bool boxWhenSendFails);
  // A command whose answer is a number.
  int CommandValue(std::string_view text, int& value);
  // A command whose status tells success: a refusal (a transaction start that found the
  // database locked) becomes the last error with the server's texts, result 0.
  int CommandChecked(std::string_view text, bool boxWhenSendFails);
  bool ParseReply(Reply& reply) const;
  // The payload of the reply in the message when its status tells success; otherwise the
  // server's errors become the last error.
  std::optional<Bytes> CheckedPayload();
  int StatusValue(const Reply& reply) const;
  int Send(std::uint8_t code, std::uint8_t kind, Bytes body);
  // A request met a link that is down: the last error says why; the box is shown once
  // per loss (and for every request on a link that was never connected). Returns 0.
  int NotConnected();
  // Send failed on a connected link: it is lost from now on. Returns 0.
  int LinkBroke();
  void Fail(std::uint16_t code, std::string_view text);

  std::string namespace_;
  std::unique_ptr<std::uint8_t[]> encode_;
  std::unique_ptr<std::uint8_t[]> decode_;
  std::u16string wide_;
  std::unique_ptr<MMsg> message_;
  std::unique_ptr<MLink> link_;
  IDispatch* outputTarget_ = nullptr;  // holds a reference
  OutputSink* sink_ = nullptr;
  DISPID textMember_ = 0;
  std::string trailingText_;
  std::string lostText_;
  bool lostBoxShown_ = false;
  std::vector<char> outputBuffer_;
  bool busy_ = false;
};

}  // namespace kesto::object
