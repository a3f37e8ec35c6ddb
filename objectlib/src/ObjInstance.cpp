// Making and releasing proxies, and the dispatch entry points.
#include <kestoobject/ObjInstance.h>

#include <kestoobject/ErrorTexts.h>
#include <kestoobject/ModuleState.h>
#include <kestoobject/ServerStream.h>
#include <kestoobject/Syslist.h>

#include <automation/DispatchException.h>
#include <text/CodePage.h>
#include <text/Compare.h>

#include <new>

namespace kesto::object {

ServerProxy* CreateServerProxy(Factory& owner, std::u16string_view className, bool classProxy) {
  return new ObjInstance(owner, className, classProxy);
}

ObjInstance* ObjInstance::native(IUnknown* object) {
  NativeObject* found = nativeObject(object);
  if (!found || found->nativeKind() != Kind::Proxy) return nullptr;
  return static_cast<ObjInstance*>(found);
}

bool ObjInstance::ReferenceText(IDispatch* object, int conversion, ServerText& out) {
  // A stream property takes the reference of the stream object assigned to it.
  if (conversion == kConvBinary || conversion == kConvCharStream)
    return StreamReferenceText(object, out);
  out = ServerText{};
  if (ObjInstance* proxy = native(object); proxy && proxy->reference() >= 0) {
    const std::string digits = std::to_string(proxy->reference());
    out.Text.assign(digits.begin(), digits.end());
  }
  return true;
}

bool ObjInstance::RefuseForeignValue(const VARIANT& value) const {
  const VARIANT* v = &value;
  if (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal) v = v->pvarVal;
  IDispatch* object = v->vt == VT_DISPATCH                              ? v->pdispVal
                      : v->vt == (VT_DISPATCH | VT_BYREF) && v->ppdispVal ? *v->ppdispVal
                                                                        : nullptr;
  if (!object) return false;
  // Its reference is a number of another connection: here it would name something else.
  const Factory* from = nullptr;
  if (const ObjInstance* proxy = native(object)) from = &proxy->Owner();
  else if (const ServerStream* stream = ServerStream::native(object)) from = stream->OwnerFactory();
  if (!from || from == owner_.get()) return false;
  moduleState().LastErrorText = std::string(kForeignObject);
  return true;
}

ObjInstance::ObjInstance(Factory& owner, std::u16string_view className, bool classProxy)
    : owner_(&owner), className_(className), session_(owner.Session()), isClassProxy_(classProxy) {
  description_ = owner.FindClassInfo(className_);
  if (!description_) {
    // A description request is a server operation like any other: the queue goes first.
    if (owner.FlushPendingSets() < 0) return;
    ServerLink& link = owner.Channel();
    auto fetched = std::make_shared<ClassInfo>(
        className_, [&link](std::u16string_view name, std::string_view key) {
          return link.DescribeClass(name, key);
        });
    if (!fetched->Valid()) return;
    owner.StoreClassInfo(className_, fetched);
    description_ = std::move(fetched);
  }
  if (!isClassProxy_) {
    for (const auto& [id, property] : description_->Properties())
      if (property.Prefetch) prefetched_[id].Property = &property;
  }
  valid_ = true;
}

ObjInstance::~ObjInstance() {
  if (valid_) releaseOnServer();
}

void ObjInstance::releaseOnServer() noexcept {
  ModuleState& state = moduleState();
  const std::string kept = std::move(state.LastErrorText);
  state.LastErrorText.clear();
  try {
    // A proxy of a lost connection has nothing left on the server to release.
    if (owner_->Session() == session_) {
      owner_->FlushPendingSets();
      if (!isClassProxy_ && ref_ > 0) owner_->Channel().ReleaseRef(ref_);
    }
  } catch (const automation::DispatchException& e) {
    state.LastErrorText = e.description;
  } catch (...) {
    // Nothing may leave a release; what went wrong stays in the last error.
  }
  try {
    owner_->LeaveProxy(this);
  } catch (...) {
  }
  // The caller's last error comes first, what the release produced after it.
  if (!kept.empty())
    state.LastErrorText = state.LastErrorText.empty() ? kept : kept + "\n" + state.LastErrorText;
}

void* ObjInstance::queryExtra(REFIID riid) {
  if (riid == kIidNativeObject) return static_cast<NativeObject*>(this);
  return nullptr;
}

bool ObjInstance::fail(const std::string& message, bool withLastError) {
  ModuleState& state = moduleState();
  std::string entry = "Class " + text::utf16ToUtf8(className_) + " " + message;
  if (withLastError) entry += "\n" + state.LastErrorText;
  // A failure found here has no text of its own elsewhere; an older one must not stand in.
  if (!withLastError || state.LastErrorText.empty()) state.LastErrorText = message;
  owner_->Log(entry);
  return false;
}

HRESULT ObjInstance::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT ObjInstance::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT ObjInstance::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                   DISPID* ids) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!names || !ids || count == 0) return E_INVALIDARG;
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  const std::u16string_view name = names[0] ? names[0] : u"";
  DISPID id = description_->Lookup(name);
  if (id == kNoDispId && text::equalsNoCase(name, kRefPropertyName)) id = 0;
  ids[0] = id;
  if (id == kNoDispId) return DISP_E_UNKNOWNNAME;
  // Named arguments cannot be bound to anything: say so rather than ignore them.
  return count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

namespace {

// Object arguments of a method must be our proxies or list objects.
bool objectArgumentsAccepted(const DISPPARAMS& params) {
  for (UINT i = 0; i < params.cArgs; ++i) {
    const VARIANT* arg = &params.rgvarg[i];
    while (arg->vt == (VT_VARIANT | VT_BYREF) && arg->pvarVal) arg = arg->pvarVal;
    IDispatch* object = nullptr;
    if (arg->vt == VT_DISPATCH) object = arg->pdispVal;
    else if (arg->vt == (VT_DISPATCH | VT_BYREF) && arg->ppdispVal) object = *arg->ppdispVal;
    else continue;
    if (!object) continue;  // no object converts to the empty text
    if (!ObjInstance::native(object) && !CSyslist::native(object)) {
      moduleState().LastErrorText = formatText(TextId::UnsupportedVariant, long{VT_DISPATCH});
      return false;
    }
  }
  return true;
}

}  // namespace

HRESULT ObjInstance::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                            VARIANT* result, EXCEPINFO* excepInfo, UINT*) {
  if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  DISPPARAMS none{};
  DISPPARAMS& args = params ? *params : none;
  automation::Variant ignored;
  VARIANT* out = result ? result : ignored.get();
  VariantInit(out);
  ModuleState& state = moduleState();
  bool ok = false;
  try {
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
      if (args.cArgs == 0) {
        state.LastErrorText = std::string(text(TextId::WrongArgumentCount));
        ok = fail("Set Property", false);
      } else {
        ok = PutProperty(id, args.rgvarg[0]);
      }
    } else if (flags & DISPATCH_PROPERTYGET) {
      ok = GetProperty(id, args, out);
    } else if (flags == DISPATCH_METHOD) {
      ok = objectArgumentsAccepted(args) && CallMethod(id, args, out);
      if (!ok && state.LastErrorText.empty()) fail("Invoke Method", false);
    } else {
      state.LastErrorText = "Invalid call type";
      ok = fail("Invoke", false);
    }
  } catch (const automation::DispatchException& e) {
    state.LastErrorText = e.description;
    state.LastErrorCode = e.code;
    fail("Invoke", true);
  } catch (const std::bad_alloc&) {
    VariantClear(out);
    return E_OUTOFMEMORY;
  }
  if (ok) return S_OK;
  VariantClear(out);
  FillExceptionRecord(excepInfo);
  return DISP_E_EXCEPTION;
}

}  // namespace kesto::object
