#include <kestoobject/ServerLink.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ListReaders.h>
#include <kestoobject/ModuleState.h>

#include <mlink/Frame.h>
#include <services/Locale.h>
#include <services/MessageBox.h>
#include <text/CodePage.h>
#include <text/Numbers.h>

#include <algorithm>

namespace kesto::object {

namespace {

constexpr std::uint32_t kProcessPseudoHandle = 0xFFFFFFFF;
constexpr std::size_t kPosStatusLength = 56;
constexpr std::size_t kPosStatus = 58;

std::string ansiToUtf8(std::string_view ansi) { return text::utf16ToUtf8(text::toWide(ansi)); }

}  // namespace

ServerLink::ServerLink()
    : encode_(std::make_unique<std::uint8_t[]>(kBufferSize)),
      decode_(std::make_unique<std::uint8_t[]>(kBufferSize)),
      message_(std::make_unique<MMsg>(kMessageCapacity)),
      link_(std::make_unique<MLink>(this, message_.get())) {
  link_->OnMessage = [this](MLink* link) { return OnLinkMessage(link); };
  link_->SetThreading(1);
  link_->SetErrorTrap(1);
  wide_.reserve(kBufferSize / sizeof(char16_t));
}

ServerLink::~ServerLink() {
  if (link_->Connected) link_->Disconnect();
  if (outputTarget_) outputTarget_->Release();
}

int ServerLink::Connect(std::string_view connectText) {
  lostText_.clear();
  lostBoxShown_ = false;
  if (connectText.empty()) return 0;
  const std::string text(connectText);
  return link_->Connect(text.c_str(), nullptr);
}

void ServerLink::FreeConnection() {
  link_->FreeConnection(nullptr);
  lostText_.clear();
  lostBoxShown_ = false;
}

int ServerLink::NotConnected() {
  auto& state = moduleState();
  if (!lostText_.empty()) {
    state.LastErrorText = lostText_;
    if (lostBoxShown_) return 0;
    lostBoxShown_ = true;
  } else {
    state.LastErrorText = std::string(text(TextId::NotConnected));
  }
  services::messageBox(kSendFailed, text(TextId::Title), MB_ICONSTOP | MB_TASKMODAL);
  return 0;
}

int ServerLink::LinkBroke() {
  lostText_ = "\n" + std::string(text(TextId::NotConnected)) + "\n" +
              (link_->ErrorText.empty() ? std::string(kSendFailed) : link_->ErrorText);
  // The link library may still count a link whose peer is gone as connected.
  if (link_->Connected) link_->Disconnect();
  moduleState().LastErrorText = lostText_;
  return 0;
}

bool ServerLink::IsConnected() const { return link_->Connected != 0; }

void ServerLink::Fail(std::uint16_t code, std::string_view text) {
  auto& state = moduleState();
  state.LastErrorText = std::string(text);
  state.LastErrorCode = code;
}

// Writes the header and both items and sends. 1 when the reply stands in the message,
// 0 when it could not be built (last error set), -1 when Send failed.
int ServerLink::Send(std::uint8_t code, std::uint8_t kind, Bytes body) {
  if (busy_) {
    // An output handler calling back into the Factory would overwrite this request.
    Fail(kErrorClient, kRequestInProgress);
    return 0;
  }
  MMsg& m = *message_;
  m.InitMessage();
  m.Buffer[mlink::kPosKind] = static_cast<char>(kind);
  m.Buffer[mlink::kPosCode] = static_cast<char>(code);
  m.Buffer[mlink::kPosType] = static_cast<char>(mlink::Request);
  mlink::putU32(m.Buffer + mlink::kPosProcess, kProcessPseudoHandle);
  if (namespace_.size() > mlink::kMaxItem || body.size() > mlink::kMaxItem ||
      !m.AppendDataToMessage(namespace_.data(), static_cast<short>(namespace_.size())) ||
      !m.AppendDataToMessage(reinterpret_cast<const char*>(body.data()),
                             static_cast<short>(body.size()))) {
    Fail(kErrorClient, kRequestTooLarge);
    return 0;
  }
  busy_ = true;
  const long sent = link_->Send(&m, 0xFFFFFFFFul);
  busy_ = false;
  return sent > 0 ? 1 : -1;
}

int ServerLink::Request(std::uint8_t code, Bytes body) {
  auto& state = moduleState();
  state.LastErrorText.clear();
  if (!IsConnected()) return NotConnected();
  const int sent = Send(code, mlink::ObjectRequest, body);
  if (sent == 0) return 0;
  if (sent < 0) return LinkBroke();
  const MMsg& m = *message_;
  if (mlink::getU16(m.Buffer + mlink::kPosTrailing) == 0) return 1;
  // The trailing message follows the status item: a u16 length and 8-bit characters.
  trailingText_.clear();
  const auto used = static_cast<std::size_t>(m.Used);
  if (used >= kPosStatus) {
    const auto statusLength = static_cast<std::int16_t>(mlink::getU16(m.Buffer + kPosStatusLength));
    const std::size_t at = kPosStatus + static_cast<std::size_t>(std::max<std::int16_t>(statusLength, 0));
    if (at + 2 <= used) {
      const std::size_t n = std::min<std::size_t>(mlink::getU16(m.Buffer + at), used - at - 2);
      trailingText_.assign(m.Buffer + at + 2, std::min(n, kTrailingTextMax));
    }
  }
  state.LastErrorText = ansiToUtf8(trailingText_);
  return 0;
}

int ServerLink::Request(std::uint8_t code, const ListBuilder& body) {
  if (!body.ok()) {
    moduleState().LastErrorText.clear();
    Fail(kErrorClient, kRequestTooLarge);
    return 0;
  }
  return Request(code, body.bytes());
}

bool ServerLink::ParseReply(Reply& reply) const {
  const MMsg& m = *message_;
  const auto used = static_cast<std::size_t>(m.Used);
  if (used < kPosStatus) return false;
  reply.statusLength = static_cast<std::int16_t>(mlink::getU16(m.Buffer + kPosStatusLength));
  if (reply.statusLength < 0) return true;
  const std::size_t at = kPosStatus + static_cast<std::size_t>(reply.statusLength);
  if (at + 2 > used) return false;
  const std::size_t length = mlink::getU16(m.Buffer + at);
  if (at + 2 + length > used) return false;
  const auto* base = reinterpret_cast<const std::uint8_t*>(m.Buffer);
  reply.status = base + kPosStatus;
  reply.payload = Bytes(base + at + 2, length);
  return true;
}

int ServerLink::StatusValue(const Reply& reply) const {
  return text::atoi(std::string_view(reinterpret_cast<const char*>(reply.status),
                                     static_cast<std::size_t>(reply.statusLength)));
}

std::optional<Bytes> ServerLink::Exchange(std::uint8_t code, Bytes body) {
  if (Request(code, body) != 1) return std::nullopt;
  return CheckedPayload();
}

std::optional<Bytes> ServerLink::CheckedPayload() {
  Reply reply;
  if (!ParseReply(reply)) {
    Fail(kErrorClient, kUnknownResponse);
    return std::nullopt;
  }
  if (reply.statusLength < 0) {
    HandleErrorList(nullptr, -1);
    return std::nullopt;
  }
  if (StatusValue(reply) > 0) return reply.payload;
  // Two leading characters, then the error list.
  const long listLength = std::max<long>(reply.statusLength - 2, 0);
  HandleErrorList(reply.status + std::min<long>(2, reply.statusLength), listLength);
  return std::nullopt;
}

std::optional<Bytes> ServerLink::Exchange(std::uint8_t code, const ListBuilder& body) {
  if (!body.ok()) {
    Request(code, body);
    return std::nullopt;
  }
  return Exchange(code, body.bytes());
}

void ServerLink::HandleErrorList(const std::uint8_t* list, long length) {
  auto& state = moduleState();
  if (length < 0) {
    state.LastErrorText = std::string(kUnknownResponse);
    return;
  }
  // Request 23 reuses the message buffer the list lies in: work on the stored copy.
  state.ServerErrors.assign(list, list + length);
  const std::vector<std::uint8_t> errors = state.ServerErrors;
  std::string joined;
  const std::uint8_t* p = errors.data();
  const std::uint8_t* end = p + errors.size();
  bool first = true;
  while (p < end) {
    const auto item = ListPeekItem(p, end);
    if (!item) break;
    if (!first) joined += "\n";
    first = false;
    joined += ErrorText(Bytes(item->data ? item->data : p, item->length));
    p = item->next;
  }
  state.LastErrorText = std::move(joined);
  state.LastErrorCode = kErrorServer;
}

std::string ServerLink::ErrorText(Bytes errorItem) {
  ListBuilder body;
  body.narrow(errorItem).narrow(std::string_view()).narrow(services::localeFacts().languageAbbreviation);
  if (Request(kErrorText, body) != 1) return {};
  // The answer is one element in the status item.
  const MMsg& m = *message_;
  const auto used = static_cast<std::size_t>(m.Used);
  if (used < kPosStatus) return {};
  const auto statusLength = static_cast<std::int16_t>(mlink::getU16(m.Buffer + kPosStatusLength));
  if (statusLength <= 0 || kPosStatus + static_cast<std::size_t>(statusLength) > used) return {};
  const auto* start = reinterpret_cast<const std::uint8_t*>(m.Buffer) + kPosStatus;
  std::string answer;
  try {
    ListReadNarrow(start, start + statusLength, answer);
  } catch (const std::exception&) {
    return {};
  }
  if (!answer.empty() && answer.back() == '\0') answer.pop_back();
  return ansiToUtf8(answer);
}

std::optional<Bytes> ServerLink::DescribeClass(std::u16string_view className,
                                               std::string_view key) {
  ListBuilder body;
  body.wide(className).narrow(key);
  return Exchange(kDescribeClass, body);
}

std::optional<Bytes> ServerLink::GetPropertyValue(long ref, std::u16string_view name) {
  ListBuilder body(EncodeBuffer());
  body.number(ref).wide(name);
  return Exchange(kGetProperty, body);
}

int ServerLink::SendPropertySets(Bytes block, std::vector<std::uint8_t>& out) {
  const auto payload = Exchange(kPropertySets, block);
  if (!payload) return -1;
  out.assign(payload->begin(), payload->end());
  return 1;
}

int ServerLink::ReleaseRef(long ref) {
  ListBuilder body(EncodeBuffer());
  body.number(ref);
  return Exchange(kReleaseRef, body) ? 1 : -1;
}

int ServerLink::ClassNameOfRef(long ref, std::u16string& className) {
  ListBuilder body(EncodeBuffer());
  body.number(ref);
  const auto payload = Exchange(kClassOfRef, body);
  if (!payload) return -1;
  ListReadWide(payload->data(), payload->data() + payload->size(), className);
  return 1;
}

int ServerLink::OpenObject(std::u16string_view className, const ListBuilder& inner,
                           std::uint8_t code, long& ref, std::u16string& actualClass) {
  ListBuilder body;
  body.wide(className).list(inner);
  const auto payload = Exchange(code, body);
  if (!payload) return -1;
  const std::uint8_t* end = payload->data() + payload->size();
  int value = 0;
  const std::uint8_t* p = ListReadInteger(payload->data(), end, value);
  if (value == 0) return -1;
  ref = value;
  actualClass.clear();
  if (p && p < end) ListReadWide(p, end, actualClass);
  return 1;
}

int ServerLink::CallMethod(std::uint8_t code, const ListBuilder& body, Bytes& payload) {
  const auto reply = Exchange(code, body);
  if (!reply) return -1;
  payload = *reply;
  return 1;
}

int ServerLink::CheckMethodStatus(Bytes payload) {
  MMsg& m = *message_;
  auto* scratch = reinterpret_cast<std::uint8_t*>(m.Scratch);
  std::size_t length = 0;
  int type = 0;
  const std::uint8_t* next = ListDecodeItem(payload.data(), payload.data() + payload.size(),
                                            scratch, static_cast<std::size_t>(m.Capacity),
                                            length, type);
  if (!next) {
    Fail(kErrorClient, text(TextId::WrongListFormat));
    return 0;
  }
  const std::string_view status(reinterpret_cast<const char*>(scratch), length);
  if (text::atoi(status) == 1) return 1;
  // Like the reply status: two characters, then the error list.
  const std::vector<std::uint8_t> copy(scratch, scratch + length);
  HandleErrorList(copy.data() + std::min<std::size_t>(2, length),
                  static_cast<long>(length > 2 ? length - 2 : 0));
  return 0;
}

}  // namespace kesto::object
