// The Factory object ("KestoObject.Factory", dispatch interface IFactory): one connection
// to the object server and the root of every proxy and result set made over it.
//
// What proxies and result sets use of it:
//   Channel()            the one ServerLink (run FlushPendingSets() before each request)
//   UnicodeServer()      values go as UTF-16 (true) or as 8-bit ANSI text
//   FindClassInfo / StoreClassInfo   the class descriptions of this connection
//   QueuePropertySet / QueueRecord   the pending-set queue (sent as one request 3)
//   ProxyForReply / ProxyForRef      proxies for references the server returned
//   EnterLiveProxy / LeaveProxy      the live-proxy registry (a proxy leaves on release)
//   Raise / Log          errors with the log entry the Factory writes
#pragma once

#include <kestoobject/Guids.h>
#include <kestoobject/ListBuilder.h>
#include <kestoobject/ModuleState.h>
#include <kestoobject/ServerLink.h>

#include <automation/DispatchTable.h>
#include <services/Timers.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kesto::object {

class ClassInfo;  // Part of the proxy code: one server class description
class Factory;

struct IFactory : IDispatch {
  static constexpr IID iid = kIidFactory;
};

// The library's own objects answer QueryInterface(kIidNativeObject) with this base.
class NativeObject {
 public:
  enum class Kind { Factory, Proxy, ResultSet, Syslist, Stream };
  virtual Kind nativeKind() const = 0;

 protected:
  ~NativeObject() = default;
};
// Our own object behind disp, or null for a foreign one (or null disp). No reference is
// kept: the object lives as long as the caller's disp.
NativeObject* nativeObject(IUnknown* disp);

// What the Factory needs of an object or class proxy (the proxy code implements it).
class ServerProxy {
 public:
  virtual IDispatch* dispatch() = 0;  // the proxy itself; no reference added
  virtual const std::u16string& className() const = 0;
  virtual bool isValid() const = 0;      // false when its class description failed
  virtual void setReference(long ref) = 0;
  virtual long reference() const = 0;    // -1 for a class proxy
  virtual void clearPrefetch() = 0;      // PrefetchLoaded := 0

 protected:
  ~ServerProxy() = default;
};

// Made by the proxy code: a new proxy with one reference (to be released through
// dispatch()). When isValid() is false the last error says why.
ServerProxy* CreateServerProxy(Factory& owner, std::u16string_view className, bool classProxy);

// Made by the result-set code over a class proxy (it takes its own reference to it):
// a result set with one reference, or null when it failed to open (last error set).
IDispatch* CreateResultSetObject(Factory& owner, ServerProxy* classProxy,
                                 std::u16string_view queryOrStatement, bool dynamic);

class Factory final : public automation::DispatchObject<Factory, IFactory>,
                      public LiveFactory,
                      public NativeObject {
 public:
  static constexpr std::string_view kProgId = "KestoObject.Factory";
  static constexpr std::size_t kPendingCapacity = 65536;
  static constexpr std::size_t kPendingFlushAt = 31000;
  static constexpr std::chrono::milliseconds kPendingDelay{2000};
  static constexpr std::u16string_view kDynamicQueryClass = u"%DynamicQuery";

  static const automation::DispatchTable<Factory>& dispatchTable();

  Factory();
  ~Factory() override;

  // ---- members of IFactory that carry logic -----------------------------------------
  bool Connect(std::u16string_view connectString);
  bool Disconnect();
  IDispatch* New(std::u16string_view className, const VARIANT* init);  // new reference
  // code: 11 (Open, identifier bytes) or 13 (OpenEx/OpenId, ID text).
  IDispatch* Open(std::uint8_t code, std::u16string_view className, Bytes identifier,
                  const VARIANT* concurrency);
  IDispatch* Static(std::u16string_view className);
  IDispatch* ResultSet(std::u16string_view className, std::u16string_view queryName);
  IDispatch* DynamicSQL(std::u16string_view statement);
  std::optional<std::string> ConnectDlg(const char* title);  // UTF-8; none = cancelled
  // False as soon as the link broke, not only after Disconnect.
  bool IsConnected() const { return connected_ != 0 && channel_->IsConnected(); }
  // Why the Factory is not connected: the first failure of a lost link, else the plain
  // "Factory not connected to server".
  std::string NotConnectedText() const;
  bool IsMultibyte() const { return unicodeServer_ == 0; }
  void SetKestoLog(std::uint32_t mask) { logOn_ = mask; }

  // ---- for proxies, result sets and streams -----------------------------------------
  ServerLink& Channel() { return *channel_; }
  bool UnicodeServer() const { return unicodeServer_ != 0; }
  const std::string& ConnectText() const { return connectText_; }

  // Sends the queued records (request 3). 1 when there was nothing to send or it
  // succeeded; -1 when it failed: the queue is dropped, the last error tells why. A
  // failure of a send the timer made is kept and returned once by the next call.
  int FlushPendingSets();
  // Queues a property write ("S" record). value: a BSTR's bytes; raw (conversion code 65)
  // sends them as they are, otherwise they are UTF-16 text sent in the server's width.
  // Not deferred: sent at once, and the send's result is the result. Deferred: sent by
  // the next other request or 2000 ms after the last queued write; returns 1.
  int QueuePropertySet(long ref, std::u16string_view property, Bytes value, bool raw,
                       bool deferred);
  // Queues a record built by the caller ("M", "C"); the same rules.
  int QueueRecord(const ListBuilder& record, bool deferred);
  std::size_t PendingCount() const { return pendingCount_; }

  // A reply's reference as a proxy: the proxy already mapped to it (the extra server
  // reference is released) or a new one. Returns a new reference; raises on failure.
  IDispatch* ProxyForReply(long ref, std::u16string_view className);
  // A reference the server returned in a value: asks its class (request 21) and makes a
  // new proxy. Null (last error set) on failure. Returns a new reference.
  IDispatch* ProxyForRef(long ref);

  // Class descriptions, looked up without regard to case; kept until Disconnect.
  std::shared_ptr<ClassInfo> FindClassInfo(std::u16string_view className) const;
  void StoreClassInfo(std::u16string_view className, std::shared_ptr<ClassInfo> info);

  // Connections: each successful Connect starts a new session. Proxies, streams and
  // cursors keep the session they were made in; one of an earlier session (left over
  // from a lost link) only fails: CheckSession sets the last error to the failure that
  // ended its connection and returns false.
  std::uint32_t Session() const { return session_; }
  bool CheckSession(std::uint32_t session) const;

  // Live proxies. A proxy that goes away calls LeaveProxy (it leaves every map).
  void EnterLiveProxy(ServerProxy* proxy);
  void LeaveProxy(ServerProxy* proxy);
  std::vector<ServerProxy*> LiveProxies() const { return liveProxies_; }

  // Writes the text (or the last error when empty) to the log when the debug switch is on.
  void Log(std::string_view text);
  // Logs text, then throws a dispatch exception with it.
  [[noreturn]] void Raise(std::string text, std::uint16_t code = kErrorClient);
  long Identity() const { return identity_; }

  // The timer's procedure: sends the queue; a failure is kept for the next operation.
  void PendingSetTimerProc();
  bool TimerMatches(services::TimerId id) const { return id != 0 && id == timerId_; }

  // LiveFactory
  void releaseFromModule() override;
  // NativeObject
  Kind nativeKind() const override { return Kind::Factory; }

 protected:
  void* queryExtra(REFIID riid) override;

 private:
  int AppendPending(Bytes record, bool deferred);
  int SendPending();
  void StopTimer();
  void ClearClassInfos();
  // After a lost link: the live proxies, the queue and the class descriptions belong to
  // the dead connection; the proxies stay alive for their holders but leave every map.
  void AbandonSession();
  IDispatch* MakeResultSet(std::u16string_view className, std::u16string_view query,
                           bool dynamic);

  std::unique_ptr<ServerLink> channel_;
  std::unordered_map<std::u16string, std::shared_ptr<ClassInfo>> classInfos_;  // folded keys
  std::vector<ServerProxy*> classProxies_;  // made by Static only
  std::unordered_map<long, ServerProxy*> refMap_;
  std::vector<ServerProxy*> liveProxies_;
  std::vector<std::uint8_t> pending_;
  std::size_t pendingCount_ = 0;
  services::TimerId timerId_ = 0;
  std::uint32_t unicodeServer_ = 1;
  std::string connectText_;
  std::uint32_t logOn_ = 0;
  int connected_ = 0;
  std::uint32_t session_ = 0;
  std::string abandonedText_;  // what ended the last abandoned session
  long identity_ = 0;
  // A failed timer send, reported by the next FlushPendingSets.
  std::optional<std::pair<std::uint16_t, std::string>> deferredFailure_;
};

}  // namespace kesto::object
