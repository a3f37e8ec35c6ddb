// Objects the Factory hands out: proxies of new and opened objects, class proxies and
// result sets.
#include <kestoobject/Factory.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ObjInstance.h>
#include <kestoobject/ObjInstanceValue.h>

#include <automation/Variant.h>
#include <text/CodePage.h>
#include <text/Compare.h>

#include <algorithm>

namespace kesto::object {

namespace {

std::string utf8(std::u16string_view text) { return text::utf16ToUtf8(text); }

std::string withLastError(std::string text, std::string_view separator) {
  const std::string& last = moduleState().LastErrorText;
  if (!last.empty()) text += std::string(separator) + last;
  return text;
}

bool isMissing(const VARIANT* v) {
  return !v || v->vt == VT_EMPTY || (v->vt == VT_ERROR && v->scode == DISP_E_PARAMNOTFOUND);
}

// Releases a proxy that did not become valid and raises why.
[[noreturn]] void raiseInvalid(Factory& factory, ServerProxy* proxy, std::u16string_view className) {
  std::string text = withLastError(formatText(TextId::CreateFailed, utf8(className)), "\n");
  proxy->dispatch()->Release();
  factory.Raise(std::move(text));
}

}  // namespace

IDispatch* Factory::New(std::u16string_view className, const VARIANT* init) {
  if (!IsConnected())
    Raise("Factory.New " + utf8(className) + "  " + NotConnectedText());
  if (FlushPendingSets() < 0)
    Raise(formatText(TextId::CreateFailed, utf8(className)) + "  " + moduleState().LastErrorText);
  if (className.empty()) Raise(std::string(text(TextId::ClassNameMissing)));
  // The initial value goes in its server text form, as a property value would.
  ListBuilder inner;
  ServerText initial;
  if (!isMissing(init) &&
      !ValueToServerText(*init, kConvNone, initial, ObjInstance::ReferenceText))
    Raise(formatText(TextId::CreateFailed, utf8(className)) + "  " + moduleState().LastErrorText);
  if (initial.Raw)
    inner.wide(text::toWide(initial.Bytes, text::CodePage::Ansi));
  else
    inner.wide(initial.Text);
  long ref = 0;
  std::u16string actual;
  if (channel_->OpenObject(className, inner, ServerLink::kNewObject, ref, actual) != 1)
    Raise(formatText(TextId::CreateFailed, utf8(className)) + "  " + moduleState().LastErrorText);
  return ProxyForReply(ref, actual.empty() ? className : std::u16string_view(actual));
}

IDispatch* Factory::Open(std::uint8_t code, std::u16string_view className, Bytes identifier,
                         const VARIANT* concurrency) {
  if (!IsConnected()) Raise(NotConnectedText());
  const std::string failure = formatText(TextId::CreateFailed, utf8(className)) + " ";
  if (FlushPendingSets() < 0) Raise(failure + moduleState().LastErrorText);
  std::optional<long> level;
  if (!isMissing(concurrency)) {
    const VARTYPE type = concurrency->vt & ~VT_BYREF;
    const bool byRef = (concurrency->vt & VT_BYREF) != 0;
    if (type == VT_I2)
      level = byRef ? *concurrency->piVal : concurrency->iVal;
    else if (type == VT_I4)
      level = byRef ? *concurrency->plVal : concurrency->lVal;
    else
      Raise(failure + std::string(text(TextId::ThirdParamInteger)));
  }
  ListBuilder inner;
  if (code == ServerLink::kOpenByOid)
    inner.raw(identifier);
  else
    inner.value(identifier, true);
  if (level) inner.number(*level);
  long ref = 0;
  std::u16string actual;
  if (channel_->OpenObject(className, inner, code, ref, actual) != 1)
    Raise(failure + moduleState().LastErrorText);
  return ProxyForReply(ref, actual.empty() ? className : std::u16string_view(actual));
}

IDispatch* Factory::ProxyForReply(long ref, std::u16string_view className) {
  if (const auto it = refMap_.find(ref); it != refMap_.end()) {
    // The object is open already: give back the server's extra reference.
    channel_->ReleaseRef(ref);
    IDispatch* existing = it->second->dispatch();
    existing->AddRef();
    return existing;
  }
  if (className.empty()) Raise(std::string(text(TextId::ClassNameMissing)));
  ServerProxy* proxy = CreateServerProxy(*this, className, false);
  if (!proxy->isValid()) {
    std::string text = withLastError(formatText(TextId::CreateFailed, utf8(className)), "\n");
    proxy->dispatch()->Release();
    channel_->ReleaseRef(ref);  // nobody else would release the server's object
    Raise(std::move(text));
  }
  proxy->setReference(ref);
  refMap_[ref] = proxy;
  EnterLiveProxy(proxy);
  return proxy->dispatch();
}

IDispatch* Factory::ProxyForRef(long ref) {
  if (const auto it = refMap_.find(ref); it != refMap_.end()) {
    IDispatch* existing = it->second->dispatch();
    existing->AddRef();
    return existing;
  }
  std::u16string className;
  if (channel_->ClassNameOfRef(ref, className) != 1) return nullptr;
  ServerProxy* proxy = CreateServerProxy(*this, className, false);
  if (!proxy->isValid()) {
    proxy->dispatch()->Release();
    return nullptr;
  }
  proxy->setReference(ref);
  refMap_[ref] = proxy;
  EnterLiveProxy(proxy);
  return proxy->dispatch();
}

IDispatch* Factory::Static(std::u16string_view className) {
  if (className.empty()) Raise(std::string(text(TextId::ClassNameMissing)));
  for (ServerProxy* proxy : classProxies_) {
    if (text::equalsNoCase(proxy->className(), className)) {
      proxy->dispatch()->AddRef();
      return proxy->dispatch();
    }
  }
  ServerProxy* proxy = CreateServerProxy(*this, className, true);
  if (!proxy->isValid()) raiseInvalid(*this, proxy, className);
  EnterLiveProxy(proxy);
  classProxies_.push_back(proxy);
  return proxy->dispatch();
}

IDispatch* Factory::MakeResultSet(std::u16string_view className, std::u16string_view query,
                                  bool dynamic) {
  if (className.empty()) Raise(std::string(text(TextId::ClassNameMissing)));
  if (query.empty()) Raise(std::string(text(TextId::QueryNameMissing)));
  // A class proxy of its own, not shared through Static: the result set holds it.
  ServerProxy* proxy = CreateServerProxy(*this, className, true);
  if (!proxy->isValid()) raiseInvalid(*this, proxy, className);
  EnterLiveProxy(proxy);
  IDispatch* resultSet = nullptr;
  try {
    resultSet = CreateResultSetObject(*this, proxy, query, dynamic);
  } catch (...) {
    proxy->dispatch()->Release();
    throw;
  }
  const std::string reason = moduleState().LastErrorText;
  proxy->dispatch()->Release();
  if (!resultSet) Raise(reason, kErrorNone);
  return resultSet;
}

IDispatch* Factory::ResultSet(std::u16string_view className, std::u16string_view queryName) {
  return MakeResultSet(className, queryName, false);
}

IDispatch* Factory::DynamicSQL(std::u16string_view statement) {
  return MakeResultSet(kDynamicQueryClass, statement, true);
}

}  // namespace kesto::object
