// Command texts and server output of the server link.
#include <kestoobject/ServerLink.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ModuleState.h>

#include <automation/Bstr.h>
#include <mlink/Frame.h>
#include <services/MessageBox.h>
#include <text/CodePage.h>
#include <text/Numbers.h>

namespace kesto::object {

namespace {

constexpr std::uint32_t kThreadPseudoHandle = 0xFFFFFFFE;
constexpr std::size_t kOutputBufferSize = 32 * 1024;
constexpr short kOutputItemMax[mlink::kOutputItems] = {255, 255, 7, 255, 7, 32767};

void showSendFailed() {
  services::messageBox(ServerLink::kSendFailed, text(TextId::Title), MB_ICONSTOP | MB_TASKMODAL);
}

}  // namespace

int ServerLink::Command(std::string_view commandText, bool boxWhenSendFails) {
  auto& state = moduleState();
  state.LastErrorText.clear();
  // Sending over a link that is down cannot succeed; one box is enough.
  if (!IsConnected()) return NotConnected();
  const int sent = Send(kClassMethod, mlink::CommandText,
                        Bytes(reinterpret_cast<const std::uint8_t*>(commandText.data()),
                              commandText.size()));
  if (sent == 0) return 0;
  if (sent < 0) {
    LinkBroke();
    if (boxWhenSendFails) {
      lostBoxShown_ = true;
      showSendFailed();
    }
    return 0;
  }
  const MMsg& m = *message_;
  if (mlink::getU16(m.Buffer + mlink::kPosTrailing) != 0) {
    Reply reply;
    trailingText_.clear();
    if (ParseReply(reply) && reply.statusLength >= 0) {
      const auto n = std::min(reply.payload.size(), kTrailingTextMax);
      trailingText_.assign(reinterpret_cast<const char*>(reply.payload.data()), n);
    }
    state.LastErrorText = text::utf16ToUtf8(text::toWide(trailingText_));
    return 0;
  }
  return 1;
}

int ServerLink::CommandValue(std::string_view commandText, int& value) {
  if (Command(commandText, true) != 1) return 0;
  Reply reply;
  if (!ParseReply(reply) || reply.statusLength < 0) {
    Fail(kErrorClient, kUnknownResponse);
    return 0;
  }
  value = StatusValue(reply);
  return 1;
}

int ServerLink::CommandChecked(std::string_view commandText, bool boxWhenSendFails) {
  return Command(commandText, boxWhenSendFails) == 1 && CheckedPayload() ? 1 : 0;
}

int ServerLink::QueryMultibyte(std::uint32_t& unicodeServer) {
  int value = 0;
  if (CommandValue("=$ZBITGET($ZVERSION(0),1)", value) != 1) return 0;
  unicodeServer = value == 1 ? 1 : 0;
  return 1;
}

int ServerLink::TransactionStart() { return CommandChecked("TSTART", false); }
int ServerLink::TransactionRollBack() { return CommandChecked("TROLLBACK", true); }
int ServerLink::TransactionCommit() { return CommandChecked("TCOMMIT", true); }
int ServerLink::PurgeQueries() { return Command(kPurgeText, true); }

int ServerLink::TransactionLevel(std::int16_t& level) {
  int value = 0;
  if (CommandValue("=$TL", value) != 1) return 0;
  level = static_cast<std::int16_t>(value);
  return 1;
}

void ServerLink::SetOutputObject(IDispatch* target) {
  if (target) target->AddRef();
  if (outputTarget_) outputTarget_->Release();
  outputTarget_ = target;
  textMember_ = 0;
  if (target) {
    OLECHAR name[] = u"Text";
    LPOLESTR names[] = {name};
    if (FAILED(target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, &textMember_)))
      textMember_ = DISPID_UNKNOWN;
  }
}

void ServerLink::DeliverOutput(std::u16string_view output) {
  if (sink_) {
    sink_->OutputCallback(output);
    return;
  }
  if (!outputTarget_ || textMember_ == DISPID_UNKNOWN) return;
  automation::Bstr value(output);
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_BSTR;
  arg.bstrVal = value.get();
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&arg, &named, 1, 1};
  outputTarget_->Invoke(textMember_, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_PROPERTYPUT,
                        &params, nullptr, nullptr, nullptr);
}

int ServerLink::OnLinkMessage(MLink* link) {
  MMsg& m = *message_;
  if ((outputTarget_ || sink_) &&
      static_cast<std::uint8_t>(m.Buffer[mlink::kPosType]) == mlink::Output) {
    outputBuffer_.resize(kOutputBufferSize);
    short length = 0;
    bool complete = true;
    for (short max : kOutputItemMax)
      complete = complete && m.RetrieveDataFromMessage(&length, outputBuffer_.data(), max) != 0;
    if (complete) {
      try {
        DeliverOutput(text::toWide(std::string_view(outputBuffer_.data(),
                                                    static_cast<unsigned short>(length))));
      } catch (...) {
        // The server waits for the acknowledgement whatever the handler did.
      }
    }
  }
  m.InitMessage();
  m.Buffer[mlink::kPosCode] = static_cast<char>(mlink::kAcknowledgeCode);
  m.Buffer[mlink::kPosType] = static_cast<char>(mlink::Acknowledge);
  mlink::putU32(m.Buffer + mlink::kPosProcess, kThreadPseudoHandle);
  mlink::putU32(m.Buffer + mlink::kPosLinkId,
                static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(this)));
  mlink::putU16(m.Buffer + mlink::kPosTrailing, 0);
  (void)link;
  return 1;
}

}  // namespace kesto::object
