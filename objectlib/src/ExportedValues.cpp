// Storing results by a wanted type and building the arguments of the exported handles.
#include "ExportedValues.h"

#include "ExportedSupport.h"

#include <kestoobject/ObjInstance.h>

#include <algorithm>
#include <cstring>

namespace kesto::object::exported {

using automation::Variant;

namespace {

constexpr BYTE kByRefFlag = 0x40;
constexpr BYTE kAnsiText = 14;

template <class T>
void put(void* out, T value) {
  std::memcpy(out, &value, sizeof value);
}

// The object an object result stands for: a new handle for a proxy, the native object
// (one reference) for another object of the library, null for anything else.
void* objectResult(IDispatch* object, d_Database* db) {
  if (ObjInstance* proxy = ObjInstance::native(object)) {
    proxy->AddRef();
    return new d_Object(db, static_cast<NativeObject*>(proxy));
  }
  if (NativeObject* native = nativeObject(object)) {
    object->AddRef();
    return native;
  }
  return nullptr;
}

}  // namespace

void storeValue(Variant& value, VARTYPE wanted, void* out, d_Database* db) {
  if (!out) return;
  if (wanted == VT_VARIANT) {
    *static_cast<VARIANT*>(out) = value.detach();
    return;
  }
  switch (wanted) {
    case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BSTR:
    case VT_DISPATCH: case VT_ERROR: case VT_BOOL: case VT_UNKNOWN: case VT_UI1: break;
    default: return;  // a type that takes no value
  }
  Variant v;
  if (FAILED(VariantChangeType(v.get(), value.get(), 0, wanted))) raiseTypeMismatch();
  const VARIANT& r = v.raw();
  switch (wanted) {
    case VT_I2: put(out, r.iVal); break;
    case VT_I4: put(out, static_cast<std::int32_t>(r.lVal)); break;
    case VT_R4: put(out, r.fltVal); break;
    case VT_R8: put(out, r.dblVal); break;
    case VT_DATE: put(out, r.date); break;
    case VT_CY: put(out, r.cyVal); break;
    case VT_ERROR: put(out, static_cast<std::int32_t>(r.scode)); break;
    case VT_BOOL: put(out, r.boolVal != VARIANT_FALSE ? 1 : 0); break;
    case VT_UI1: put(out, r.bVal); break;
    case VT_BSTR:
      *static_cast<std::string*>(out) =
          toAnsi(std::u16string_view(r.bstrVal ? r.bstrVal : u"", SysStringLen(r.bstrVal)));
      break;
    case VT_UNKNOWN:
      if (r.punkVal) r.punkVal->AddRef();
      put(out, r.punkVal);
      break;
    case VT_DISPATCH: put(out, objectResult(r.pdispVal, db)); break;
    default: break;
  }
}

Variant propertyValue(VARTYPE type, void* value) {
  const auto number = reinterpret_cast<std::intptr_t>(value);
  const auto eightBytes = [value] {
    double d = 0;
    if (value) std::memcpy(&d, value, sizeof d);
    return d;
  };
  switch (type) {
    case VT_I2: return Variant(static_cast<std::int16_t>(number));
    case VT_I4: return Variant(static_cast<std::int32_t>(number));
    case VT_DISPATCH: return Variant(static_cast<IDispatch*>(value));
    case VT_BSTR: return Variant(std::u16string_view(fromAnsi(static_cast<const char*>(value))));
    case VT_BOOL: return Variant(value && *static_cast<const int*>(value) != 0);
    case VT_R4: return Variant(static_cast<float>(eightBytes()));
    case VT_R8: return Variant(eightBytes());
    case VT_DATE: return Variant::date(eightBytes());
    case VT_CY: {
      CY cy{};
      if (value) std::memcpy(&cy, value, sizeof cy);
      return Variant(cy);
    }
    case VT_ERROR: return Variant::error(0);
    default: raiseTypeMismatch();  // no value of that type can be built
  }
}

std::vector<Variant> readArguments(const BYTE* types, va_list arguments) {
  std::vector<Variant> values;
  for (const BYTE* t = types; t && *t; ++t) {
    const VARTYPE vt = static_cast<VARTYPE>(*t & ~kByRefFlag);
    if (*t & kByRefFlag) {
      void* target = va_arg(arguments, void*);
      if (!target || vt == kAnsiText) raiseTypeMismatch();
      if (vt == VT_BOOL) {
        auto* flag = static_cast<VARIANT_BOOL*>(target);
        *flag = *flag ? VARIANT_TRUE : VARIANT_FALSE;
      }
      VARIANT ref;
      VariantInit(&ref);
      ref.vt = static_cast<VARTYPE>(vt | VT_BYREF);
      ref.byref = target;
      values.push_back(Variant::attach(ref));
      continue;
    }
    switch (vt) {
      case VT_I2: values.emplace_back(static_cast<std::int16_t>(va_arg(arguments, int))); break;
      case VT_I4: values.emplace_back(static_cast<std::int32_t>(va_arg(arguments, int))); break;
      case VT_R4: case VT_R8: values.emplace_back(va_arg(arguments, double)); break;
      case VT_DATE: values.push_back(Variant::date(va_arg(arguments, double))); break;
      case VT_CY: {
        const CY* cy = va_arg(arguments, const CY*);
        if (!cy) raiseTypeMismatch();
        values.emplace_back(*cy);
        break;
      }
      case VT_BSTR: values.emplace_back(va_arg(arguments, const OLECHAR*)); break;
      case kAnsiText:
        values.emplace_back(std::u16string_view(fromAnsi(va_arg(arguments, const char*))));
        break;
      case VT_DISPATCH: values.emplace_back(va_arg(arguments, IDispatch*)); break;
      case VT_UNKNOWN: values.emplace_back(va_arg(arguments, IUnknown*)); break;
      case VT_ERROR: values.push_back(Variant::error(va_arg(arguments, int))); break;
      case VT_BOOL: values.emplace_back(va_arg(arguments, int) != 0); break;
      case VT_UI1: values.emplace_back(static_cast<std::uint8_t>(va_arg(arguments, int))); break;
      case VT_VARIANT: {
        const VARIANT* given = va_arg(arguments, const VARIANT*);
        values.push_back(given ? Variant(*given) : Variant::missing());
        break;
      }
      default: raiseTypeMismatch();
    }
  }
  return values;
}

void callMethod(ObjInstance& proxy, d_Database* db, DISPID id, VARTYPE returnType, void* out,
                std::vector<Variant>& arguments) {
  // Dispatch order: the last argument first. The values stay owned by `arguments`.
  std::vector<VARIANT> reversed;
  reversed.reserve(arguments.size());
  for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) reversed.push_back(*it->get());
  DISPPARAMS params{};
  params.rgvarg = reversed.data();
  params.cArgs = static_cast<UINT>(reversed.size());
  Variant result;
  if (!proxy.CallMethod(id, params, returnType == VT_EMPTY ? nullptr : result.put()))
    RaiseLastError();
  if (returnType != VT_EMPTY) storeValue(result, returnType, out, db);
}

}  // namespace kesto::object::exported
