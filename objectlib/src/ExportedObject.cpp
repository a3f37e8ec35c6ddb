// d_Object: a handle on an object proxy or a class proxy.
#include <kestoobject/KestoObject.h>

#include <kestoobject/ListReaders.h>
#include <kestoobject/ObjInstance.h>

#include "ExportedSupport.h"
#include "ExportedValues.h"

#include <automation/Dispatch.h>

#include <cstdarg>
#include <utility>

using namespace kesto::object;
using kesto::automation::Arg;
using kesto::automation::Bstr;
using kesto::automation::Dispatch;
using kesto::automation::Variant;

namespace {

// Takes over the reference of a proxy a Factory member returned.
ObjInstance* adoptProxy(IDispatch* made) {
  ObjInstance* proxy = ObjInstance::native(made);
  if (!proxy && made) made->Release();
  return proxy;
}

Factory* factoryOf(d_Database* db) { return db ? db->factory() : nullptr; }

}  // namespace

d_Object::d_Object() = default;

d_Object::d_Object(d_Database* db, const char* className, int classFlag) : m_db(db) {
  Factory* factory = factoryOf(db);
  if (!factory) return;
  const std::u16string name = exported::fromAnsi(className);
  if (classFlag) {
    m_proxy = adoptProxy(factory->Static(name));
  } else {
    const Variant initial(std::int16_t{0});
    m_proxy = adoptProxy(factory->New(name, initial.get()));
  }
}

d_Object::d_Object(d_Database* db, const char* className, const char* id, int) : m_db(db) {
  Factory* factory = factoryOf(db);
  if (!factory) return;
  const std::u16string wideId = exported::fromAnsi(id);
  const Bytes idBytes(reinterpret_cast<const std::uint8_t*>(wideId.data()), wideId.size() * 2);
  const Variant concurrency(std::int16_t{0});
  m_proxy = adoptProxy(factory->Open(ServerLink::kOpenById, exported::fromAnsi(className),
                                     idBytes, concurrency.get()));
}

d_Object::d_Object(d_Database* db, void* proxy) : m_db(db) {
  auto* found = static_cast<NativeObject*>(proxy);
  if (found && found->nativeKind() == NativeObject::Kind::Proxy)
    m_proxy = static_cast<ObjInstance*>(found);
}

d_Object::d_Object(const d_Object& other) : m_proxy(other.m_proxy), m_db(other.m_db) {
  if (m_proxy) m_proxy->AddRef();
}

d_Object& d_Object::operator=(const d_Object& other) {
  d_Object copy(other);
  swapObject(copy);
  return *this;
}

void d_Object::swapObject(d_Object& other) noexcept {
  std::swap(m_proxy, other.m_proxy);
  std::swap(m_db, other.m_db);
}

d_Object::~d_Object() { exported::releaseQuietly(m_proxy); }

void d_Object::GetProperty(long dispId, VARTYPE type, void* out) const {
  if (!m_proxy) return;
  DISPPARAMS none{};
  Variant value;
  if (!m_proxy->GetProperty(static_cast<DISPID>(dispId), none, value.put())) RaiseLastError();
  exported::storeValue(value, type, out, m_db);
}

void d_Object::SetProperty(long dispId, VARTYPE type, void* value) {
  if (!m_proxy) return;
  const Variant given = exported::propertyValue(type, value);
  if (!m_proxy->PutProperty(static_cast<DISPID>(dispId), given.raw())) RaiseLastError();
}

void d_Object::InvokeMethod(long dispId, VARTYPE returnType, void* out, const BYTE* types, ...) {
  if (!m_proxy) return;
  std::vector<Variant> arguments;
  va_list list;
  va_start(list, types);
  try {
    arguments = exported::readArguments(types, list);
  } catch (...) {
    va_end(list);
    throw;
  }
  va_end(list);
  exported::callMethod(*m_proxy, m_db, static_cast<DISPID>(dispId), returnType, out, arguments);
}

int d_Object::Sys_Save() { return Sys_Method("%Save"); }
int d_Object::Sys_Close() { return Sys_Method("%Close"); }
int d_Object::Sys_ValidateObject() { return Sys_Method("%ValidateObject"); }
BSTR d_Object::Sys_OID() { return Sys_MethodS("%Oid", 0); }
BSTR d_Object::Sys_ClassName() { return Sys_MethodS("%ClassName", 2); }

namespace {

// Request 15 with [ref][name, UTF-16]["1"][no arguments]; the reply payload, or none.
std::optional<Bytes> instanceCall(ObjInstance* proxy, const std::string& name) {
  if (!proxy || !proxy->InCurrentSession()) return std::nullopt;
  Factory& factory = proxy->Owner();
  if (factory.FlushPendingSets() < 0) return std::nullopt;
  ListBuilder body;
  body.number(proxy->reference()).wide(exported::fromAnsi(name.c_str())).narrow("1").narrow("");
  Bytes payload;
  if (factory.Channel().CallMethod(ServerLink::kInstanceMethod, body, payload) < 0)
    return std::nullopt;
  return payload;
}

}  // namespace

// The methods return a status: a refusal is a failure whose text stays for GetLastError.
int d_Object::Sys_Method(const std::string& name) {
  const auto payload = instanceCall(m_proxy, name);
  return payload && m_proxy->Owner().Channel().CheckMethodStatus(*payload) == 1 ? 1 : 0;
}

BSTR d_Object::Sys_MethodS(const std::string& name, int form) {
  if (form != 0 && form != 2) return nullptr;
  const auto payload = instanceCall(m_proxy, name);
  if (!payload || payload->empty()) return nullptr;
  const auto element = ListPeekItem(payload->data(), payload->data() + payload->size());
  if (!element || element->undefined || element->length == 0) return nullptr;
  if (form == 0)
    return Bstr::fromBytes({reinterpret_cast<const char*>(element->data), element->length}).detach();
  std::u16string text;
  ListReadWide(payload->data(), element->next, text);
  return exported::newBstr(text);
}

BSTR d_Object::GetErrorText(long code, const VARIANT& p1, const VARIANT& p2, const VARIANT& p3,
                            const VARIANT& p4, const VARIANT& p5, const VARIANT& p6,
                            const VARIANT& p7, const VARIANT& p8, const VARIANT& p9,
                            const VARIANT& p10) {
  Factory* factory = factoryOf(m_db);
  if (!factory) return nullptr;
  std::vector<Arg> args{Arg(Variant(static_cast<std::int32_t>(code)))};
  for (const VARIANT* p : {&p1, &p2, &p3, &p4, &p5, &p6, &p7, &p8, &p9, &p10}) {
    if (p->vt == VT_ERROR || p->vt == VT_EMPTY) break;
    args.emplace_back(Variant(*p));
  }
  Variant text = Dispatch(static_cast<IDispatch*>(factory)).invoke(14, DISPATCH_METHOD, args);
  return exported::detachBstr(text);
}

long d_Object::GetIdOfName(const std::string& name) {
  if (!m_proxy) return -1;
  std::u16string wide = exported::fromAnsi(name.c_str());
  LPOLESTR names[] = {wide.data()};
  DISPID id = -1;
  if (FAILED(m_proxy->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) return -1;
  return id;
}

std::string d_Object::GetLastError() { return exported::lastErrorAnsi(); }

void d_Object::Sys_DeleteId(const std::string& id) {
  const long member = GetIdOfName("Sys_DeleteId");
  if (member < 0) return;
  const BYTE types[] = {14, 0};
  InvokeMethod(member, VT_EMPTY, nullptr, types, id.c_str());
}
