// The Factory's life, its connection and its registries of class descriptions and proxies.
#include <kestoobject/Factory.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/Profile.h>

#include <connect/Connect.h>
#include <services/MessageBox.h>
#include <text/CodePage.h>
#include <text/Compare.h>

#include <algorithm>
#include <atomic>

namespace kesto::object {

namespace {

std::atomic<long> nextIdentity{1};

// Class names are looked up without regard to case (ASCII and Latin-1 letters).
std::u16string foldName(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c += 0x20;
  }
  return folded;
}

}  // namespace

NativeObject* nativeObject(IUnknown* object) {
  if (!object) return nullptr;
  void* found = nullptr;
  if (FAILED(object->QueryInterface(kIidNativeObject, &found)) || !found) return nullptr;
  object->Release();  // the caller's reference keeps it alive
  return static_cast<NativeObject*>(found);
}

Factory::Factory()
    : channel_(std::make_unique<ServerLink>()), identity_(nextIdentity++) {
  AddLiveFactory(this);
  pending_.reserve(kPendingCapacity);
  logOn_ = ReadDebugSetting();
}

Factory::~Factory() {
  // Final release: nothing may escape a destructor, errors go to the last error and log.
  try {
    FlushPendingSets();
  } catch (...) {
  }
  try {
    ClearClassInfos();
    if (IsConnected()) channel_->PurgeQueries();
    channel_->FreeConnection();
  } catch (...) {
  }
  StopTimer();
  RemoveLiveFactory(this);
}

void* Factory::queryExtra(REFIID riid) {
  if (riid == kIidNativeObject) return static_cast<NativeObject*>(this);
  return nullptr;
}

void Factory::releaseFromModule() { Release(); }

bool Factory::Connect(std::u16string_view connectString) {
  // Live proxies hold references of the current session: leave it as it is.
  if (!Disconnect()) return false;
  std::string connect = text::utf16ToUtf8(connectString);
  if (connect.find(':') == std::string::npos) connect = connect::FindConnection(connect, 0);
  connectText_ = connect;
  std::string address = connect;
  std::string space;
  if (const auto first = connect.find(':'); first != std::string::npos) {
    if (const auto second = connect.find(':', first + 1); second != std::string::npos) {
      address = connect.substr(0, second);
      space = connect.substr(second + 1);
    }
  }
  channel_->SetNamespace(text::toNarrow(text::utf8ToUtf16(space)));
  int result = 0;
  if (channel_->Connect(address)) result = channel_->QueryMultibyte(unicodeServer_);
  connected_ = result;
  if (result) ++session_;
  return result != 0;
}

std::string Factory::NotConnectedText() const {
  if (channel_->Lost()) return channel_->LostText();
  return std::string(text(TextId::NotConnected));
}

bool Factory::CheckSession(std::uint32_t session) const {
  if (session == session_) return true;
  auto& state = moduleState();
  state.LastErrorText = abandonedText_.empty() ? std::string(text(TextId::NotConnected)) : abandonedText_;
  state.LastErrorCode = kErrorClient;
  return false;
}

void Factory::AbandonSession() {
  abandonedText_ = channel_->LostText();
  StopTimer();
  pending_.clear();
  pendingCount_ = 0;
  deferredFailure_.reset();
  refMap_.clear();
  classProxies_.clear();
  liveProxies_.clear();
  ++session_;  // what is left of the old connection no longer matches
}

bool Factory::Disconnect() {
  // Proxies of a connection the server ended cannot be released there any more.
  if (!liveProxies_.empty() && channel_->Lost()) AbandonSession();
  if (!liveProxies_.empty()) {
    const std::u16string& name = liveProxies_.front()->className();
    services::messageBox(formatText(TextId::ClassNotReleased, text::utf16ToUtf8(name)),
                         text(TextId::Title), MB_OK);
    return false;
  }
  ClearClassInfos();
  if (IsConnected()) channel_->PurgeQueries();
  connected_ = 0;
  channel_->FreeConnection();
  return true;
}

std::optional<std::string> Factory::ConnectDlg(const char* title) {
  std::string chosen;
  if (!connect::ConnectionDialog(nullptr, chosen, title, 0)) return std::nullopt;
  // Skip a leading run of quoted segments, then one ":" after them.
  std::size_t pos = 0;
  bool skipped = false;
  for (;;) {
    std::size_t p = pos;
    while (p < chosen.size() && (chosen[p] == ' ' || chosen[p] == '\t')) ++p;
    if (p >= chosen.size() || chosen[p] != '"') break;
    const auto close = chosen.find('"', p + 1);
    pos = close == std::string::npos ? chosen.size() : close + 1;
    skipped = true;
  }
  if (skipped && pos < chosen.size() && chosen[pos] == ':') ++pos;
  return chosen.substr(pos);
}

void Factory::Log(std::string_view text) {
  object::Log(logOn_, identity_, connectText_, text);
}

void Factory::Raise(std::string text, std::uint16_t code) {
  Log(text);
  throw automation::DispatchException(code, std::move(text));
}

std::shared_ptr<ClassInfo> Factory::FindClassInfo(std::u16string_view className) const {
  const auto it = classInfos_.find(foldName(className));
  return it == classInfos_.end() ? nullptr : it->second;
}

void Factory::StoreClassInfo(std::u16string_view className, std::shared_ptr<ClassInfo> info) {
  classInfos_[foldName(className)] = std::move(info);
}

void Factory::ClearClassInfos() { classInfos_.clear(); }

void Factory::EnterLiveProxy(ServerProxy* proxy) {
  if (std::find(liveProxies_.begin(), liveProxies_.end(), proxy) == liveProxies_.end())
    liveProxies_.push_back(proxy);
}

void Factory::LeaveProxy(ServerProxy* proxy) {
  std::erase(liveProxies_, proxy);
  std::erase(classProxies_, proxy);
  std::erase_if(refMap_, [proxy](const auto& entry) { return entry.second == proxy; });
}

}  // namespace kesto::object
