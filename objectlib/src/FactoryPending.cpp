// The pending-set queue: property writes and calls sent together as one request 3.
#include <kestoobject/Factory.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ListReaders.h>

#include <memory>

namespace kesto::object {

namespace {

constexpr std::string_view kDeferredFailed = "Deferred property writes failed";

void timerFired(services::TimerId id) {
  for (LiveFactory* live : moduleState().LiveFactories) {
    auto* factory = dynamic_cast<Factory*>(live);
    if (factory && factory->TimerMatches(id)) {
      factory->PendingSetTimerProc();
      return;
    }
  }
  services::timers().killTimer(id);  // its Factory is gone
}

}  // namespace

void Factory::StopTimer() {
  if (timerId_ != 0) services::timers().killTimer(timerId_);
  timerId_ = 0;
}

int Factory::SendPending() {
  if (pendingCount_ == 0) return 1;
  StopTimer();
  for (ServerProxy* proxy : liveProxies_) proxy->clearPrefetch();
  const std::size_t count = pendingCount_;
  const auto results = channel_->Exchange(ServerLink::kPropertySets, Bytes(pending_));
  // Sent or refused, the queued writes are gone: resending could apply them twice.
  pending_.clear();
  pendingCount_ = 0;
  if (!results) {
    Log({});
    return -1;
  }
  // One result per record; the values are not used, but they must be readable. They lie
  // in the reply; the outer element is decoded into the message's scratch, its first
  // inner element into the link's decode buffer.
  MMsg& message = channel_->Message();
  const std::span<std::uint8_t> outer(reinterpret_cast<std::uint8_t*>(message.Scratch),
                                      static_cast<std::size_t>(message.Capacity));
  const std::span<std::uint8_t> inner = channel_->DecodeBuffer();
  const std::uint8_t* p = results->data();
  const std::uint8_t* end = p + results->size();
  for (std::size_t i = 0; i < count && p && p < end; ++i) {
    std::size_t length = 0;
    int type = 0;
    const std::uint8_t* next = ListDecodeItem(p, end, outer.data(), outer.size(), length, type);
    if (next && length > 0) {
      std::size_t innerLength = 0;
      (void)ListDecodeItem(outer.data(), outer.data() + length, inner.data(), inner.size(),
                           innerLength, type);
    }
    p = next;
  }
  return 1;
}

int Factory::FlushPendingSets() {
  const int result = SendPending();
  if (!deferredFailure_) return result;
  // Writes the timer sent earlier were refused: this operation reports it, once.
  auto& state = moduleState();
  std::string text = std::string(kDeferredFailed) + "\n" + deferredFailure_->second;
  if (result < 0 && !state.LastErrorText.empty()) text += "\n" + state.LastErrorText;
  state.LastErrorCode = deferredFailure_->first;
  state.LastErrorText = std::move(text);
  deferredFailure_.reset();
  return -1;
}

void Factory::PendingSetTimerProc() {
  StopTimer();
  if (pendingCount_ == 0) return;
  int result = -1;
  try {
    result = SendPending();
  } catch (const std::exception& e) {
    moduleState().LastErrorText = e.what();
  }
  if (result < 0) {
    const auto& state = moduleState();
    deferredFailure_.emplace(state.LastErrorCode, state.LastErrorText);
  }
}

int Factory::AppendPending(Bytes record, bool deferred) {
  StopTimer();
  if (record.size() + pending_.size() > kPendingFlushAt && FlushPendingSets() < 0) return -1;
  const std::size_t used = pending_.size();
  pending_.resize(kPendingCapacity);
  const std::size_t written = ListEncodeItem(pending_.data() + used, kPendingCapacity - used,
                                             record.data(), record.size(), kListNarrow);
  pending_.resize(used + written);
  if (written == 0) {
    auto& state = moduleState();
    state.LastErrorText = std::string(ServerLink::kRequestTooLarge);
    state.LastErrorCode = kErrorClient;
    return -1;
  }
  ++pendingCount_;
  if (!deferred) return FlushPendingSets();
  // The procedure finds its Factory by the timer's identifier, as a thread timer would.
  auto id = std::make_shared<services::TimerId>(0);
  timerId_ = services::timers().setTimer(kPendingDelay, [id] { timerFired(*id); });
  *id = timerId_;
  return 1;
}

int Factory::QueuePropertySet(long ref, std::u16string_view property, Bytes value, bool raw,
                              bool deferred) {
  ListBuilder record(channel_->EncodeBuffer());
  record.narrow(std::string_view("S")).number(ref).wide(property);
  if (raw)
    record.raw(value);
  else
    record.value(value, UnicodeServer());
  return QueueRecord(record, deferred);
}

int Factory::QueueRecord(const ListBuilder& record, bool deferred) {
  if (!record.ok()) {
    auto& state = moduleState();
    state.LastErrorText = std::string(ServerLink::kRequestTooLarge);
    state.LastErrorCode = kErrorClient;
    return -1;
  }
  return AppendPending(record.bytes(), deferred);
}

}  // namespace kesto::object
