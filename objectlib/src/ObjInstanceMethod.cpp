// Method calls of a proxy: argument block, deferred calls, return value and by-reference
// results.
#include <kestoobject/ObjInstance.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ListReaders.h>
#include <kestoobject/ModuleState.h>
#include <kestoobject/ServerLink.h>

#include <text/CodePage.h>

namespace kesto::object {

namespace {

bool isByRef(const VARIANT& v) { return (v.vt & VT_BYREF) != 0; }

}  // namespace

bool ObjInstance::CallMethod(DISPID id, DISPPARAMS& params, VARIANT* result) {
  prefetchLoaded_ = false;
  if (!InCurrentSession()) return fail("Invoke Method", true);
  const MethodInfo* method = description_->Method(id);
  if (!method) {
    moduleState().LastErrorText = "Invalid dispid";
    return fail("Invoke Method", true);
  }
  const std::string message = "Invoke Method: " + text::utf16ToUtf8(method->ServerName);
  const UINT count = params.cArgs;
  if (count > method->Arguments.size()) {
    moduleState().LastErrorText = std::string(text(TextId::WrongArgumentCount));
    return fail(message, true);
  }

  // The dispatch array holds the arguments last-first.
  ListBuilder arguments;
  for (UINT i = 0; i < count; ++i) {
    const ArgumentInfo& declared = method->Arguments[i];
    const VARIANT& given = params.rgvarg[count - 1 - i];
    if (RefuseForeignValue(given)) return fail(message, true);
    automation::Variant value(given);
    if (declared.Type == VT_DATE && !ValueAsDate(given, value)) return fail(message, true);
    ServerText serverText;
    if (!ValueToServerText(value.raw(), declared.Conversion, serverText, ReferenceText))
      return fail(message, true);
    AppendServerText(arguments, serverText, owner_->UnicodeServer());
  }

  if (method->DeferredCall) return queueDeferredCall(*method, arguments) || fail(message, true);

  for (ServerProxy* proxy : owner_->LiveProxies()) proxy->clearPrefetch();
  if (owner_->FlushPendingSets() < 0) return fail(message, true);
  ListBuilder body;
  if (isClassProxy_) body.wide(className_);
  else body.number(ref_);
  body.wide(method->ServerName).narrow(method->hasReturn() ? "1" : "0").list(arguments);
  ServerLink& link = owner_->Channel();
  Bytes payload;
  const auto code = isClassProxy_ ? ServerLink::kClassMethod : ServerLink::kInstanceMethod;
  if (link.CallMethod(code, body, payload) < 0) return fail(message, true);

  // The payload is the link's; keep it across the requests a returned object may need.
  const std::vector<std::uint8_t> reply(payload.begin(), payload.end());
  const std::uint8_t* p = reply.data();
  const std::uint8_t* const end = p + reply.size();
  const std::size_t returnSize = ListElementSize(p, end);
  if (returnSize == 0) RaiseClientError(std::string(text(TextId::WrongListFormat)));

  if (method->returnsStatus()) {
    if (link.CheckMethodStatus({p, returnSize}) != 1) return fail(message, true);
    if (result) {
      VariantClear(result);
      result->vt = VT_I2;
      result->iVal = 1;
    }
  } else if (result && method->hasReturn()) {
    ServerText answer;
    readAnswer(p, end, method->ReturnConversion, answer);
    automation::Variant value;
    if (!toValue(answer, method->ReturnType, method->ReturnConversion, value))
      return fail(message, true);
    VariantClear(result);
    *result = value.detach();
  }
  writeBack(*method, params, p + returnSize, end);
  return true;
}

bool ObjInstance::queueDeferredCall(const MethodInfo& method, const ListBuilder& arguments) {
  ListBuilder record;
  if (isClassProxy_) record.narrow("C").wide(className_);
  else record.narrow("M").number(ref_);
  record.wide(method.ServerName).narrow("0").list(arguments);
  return owner_->QueueRecord(record, true) >= 0;
}

void ObjInstance::writeBack(const MethodInfo& method, DISPPARAMS& params, const std::uint8_t* p,
                            const std::uint8_t* end) {
  if (p >= end) return;  // no by-reference results at all
  const auto results = ListPeekItem(p, end);
  if (!results || results->undefined) RaiseClientError(std::string(text(TextId::WrongListFormat)));
  const std::uint8_t* q = results->data;
  const std::uint8_t* const qEnd = q + results->length;
  const UINT count = params.cArgs;
  for (UINT i = 0; i < count && q < qEnd; ++i) {
    const std::size_t size = ListElementSize(q, qEnd);
    if (size == 0) RaiseClientError(std::string(text(TextId::WrongListFormat)));
    VARIANT& given = params.rgvarg[count - 1 - i];
    const ArgumentInfo& declared = method.Arguments[i];
    if (declared.ByRef && isByRef(given)) {
      ServerText answer;
      readAnswer(q, qEnd, declared.Conversion, answer);
      ServerTextToByRef(answer, declared.Conversion, given);
    }
    q += size;
  }
}

}  // namespace kesto::object
