#include <automation/Activation.h>
#include <automation/Dispatch.h>

#include <text/CodePage.h>

#include <cstdio>

namespace kesto::automation {

namespace {

std::string hex(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
  return text;
}

}  // namespace

Dispatch Dispatch::create(std::string_view progId) { return Dispatch(createObject(progId)); }

DISPID Dispatch::idOf(std::string_view name) const {
  if (!object_) throw ComError(E_POINTER, "call on no object: " + std::string(name));
  std::u16string wide = text::utf8ToUtf16(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) throw ComError(hr, "unknown member \"" + std::string(name) + "\" (" + hex(hr) + ")");
  return id;
}

Variant Dispatch::invokeNamed(std::string_view name, WORD flags, std::span<const Arg> args) const {
  try {
    return invoke(idOf(name), flags, args);
  } catch (ComError& e) {
    if (e.hr == DISP_E_UNKNOWNNAME) throw;
    throw ComError(e.hr, std::string(name) + ": " + e.what());
  }
}

Variant Dispatch::invoke(DISPID id, WORD flags, std::span<const Arg> args) const {
  if (!object_) throw ComError(E_POINTER, "call on no object");
  // Values are copied into one array, last argument first; by-reference arguments point
  // at the caller's variables.
  std::vector<Variant> values;
  values.reserve(args.size());
  std::vector<VARIANT> rgvarg(args.size());
  for (std::size_t i = 0; i < args.size(); ++i) {
    VARIANT& slot = rgvarg[args.size() - 1 - i];
    VariantInit(&slot);
    if (Variant* ref = args[i].ref()) {
      slot.vt = VT_BYREF | VT_VARIANT;
      slot.pvarVal = ref->get();
    } else {
      values.push_back(args[i].value());
      slot = values.back().raw();  // borrowed: `values` owns it
    }
  }
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params;
  params.rgvarg = rgvarg.empty() ? nullptr : rgvarg.data();
  params.cArgs = static_cast<UINT>(rgvarg.size());
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  Variant result;
  EXCEPINFO info;
  UINT argErr = 0;
  const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                     result.put(), &info, &argErr);
  if (hr == DISP_E_EXCEPTION) {
    DispatchException e = fromExcepInfo(info);
    ClearExcepInfo(&info);
    throw e;
  }
  if (FAILED(hr)) {
    std::string what = "call failed (" + hex(hr) + ")";
    if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND)
      what += " at argument " + std::to_string(args.size() - argErr);
    throw ComError(hr, what);
  }
  return result;
}

}  // namespace kesto::automation
