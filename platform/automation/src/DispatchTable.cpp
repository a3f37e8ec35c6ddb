#include <automation/DispatchTable.h>

#include <text/Compare.h>

namespace kesto::automation {

namespace {

constexpr std::string_view kNoSource;

bool isPut(WORD kind) { return kind == kPut || kind == kPutRef; }

}  // namespace

DispatchCall::DispatchCall(const MemberSpec& spec, DISPPARAMS& params, WORD flags)
    : spec_(spec), params_(params), flags_(flags) {}

VARIANT* DispatchCall::raw(std::size_t i) const {
  if (i >= passed_) return nullptr;
  return &params_.rgvarg[passed_ - 1 - i];
}

void DispatchCall::setRef(std::size_t i, const Variant& value) {
  args_.at(i) = value;
  VARIANT* target = raw(i);
  if (!target || !(target->vt & VT_BYREF)) return;
  while (target->vt == (VT_BYREF | VT_VARIANT)) {
    VARIANT* inner = target->pvarVal;
    if (!inner) throw ComError(E_POINTER, "by-reference argument points nowhere");
    if (!(inner->vt & VT_BYREF)) {
      // A variable of any type: it takes the value as it is.
      if (HRESULT hr = VariantCopy(inner, value.get()); FAILED(hr)) throw ComError(hr, "VariantCopy");
      return;
    }
    target = inner;
  }
  const VARTYPE type = target->vt & ~VT_BYREF;
  const Variant converted = value.changedTo(type);
  const VARIANT& c = converted.raw();
  switch (type) {
    case VT_I1: case VT_UI1: *target->pbVal = c.bVal; break;
    case VT_I2: case VT_UI2: case VT_BOOL: *target->piVal = c.iVal; break;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR: *target->plVal = c.lVal; break;
    case VT_R4: *target->pfltVal = c.fltVal; break;
    case VT_R8: case VT_DATE: *target->pdblVal = c.dblVal; break;
    case VT_CY: *target->pcyVal = c.cyVal; break;
    case VT_I8: case VT_UI8: *target->pllVal = c.llVal; break;
    case VT_BSTR: {
      Variant copy = converted;
      SysFreeString(*target->pbstrVal);
      *target->pbstrVal = copy.detach().bstrVal;
      break;
    }
    case VT_DISPATCH: case VT_UNKNOWN: {
      Variant copy = converted;
      IUnknown** slot = target->ppunkVal;
      if (*slot) (*slot)->Release();
      *slot = copy.detach().punkVal;
      break;
    }
    default:
      throw ComError(DISP_E_BADVARTYPE, "by-reference argument of an unknown type");
  }
}

// Converts the passed arguments to the declared types; argErr gets the failing index
// in rgvarg order.
HRESULT prepareCall(DispatchCall& call, UINT* argErr) {
  const MemberSpec& spec = call.spec_;
  const DISPPARAMS& p = call.params_;
  const std::size_t declared = spec.args.size();
  std::size_t required = 0;
  for (const auto& a : spec.args)
    if (!a.optional) ++required;
  if (p.cArgs > declared || p.cArgs < required) return DISP_E_BADPARAMCOUNT;
  if (p.cArgs > 0 && !p.rgvarg) return E_INVALIDARG;
  call.passed_ = p.cArgs;
  call.args_.resize(declared);
  for (std::size_t i = 0; i < declared; ++i) {
    Variant& slot = call.args_[i];
    VARIANT* passed = call.raw(i);
    const ArgSpec& a = spec.args[i];
    const bool missing = !passed || (passed->vt == VT_ERROR && passed->scode == DISP_E_PARAMNOTFOUND &&
                                     a.type != VT_ERROR);
    if (missing) {
      if (!a.optional) {
        if (argErr) *argErr = static_cast<UINT>(p.cArgs - 1 - i);
        return DISP_E_BADPARAMCOUNT;
      }
      slot = Variant::missing();
      continue;
    }
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr = VariantChangeType(&converted, passed, 0, a.type);
    if (FAILED(hr)) {
      if (argErr) *argErr = static_cast<UINT>(p.cArgs - 1 - i);
      return hr == E_OUTOFMEMORY || hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH;
    }
    slot = Variant::attach(converted);
  }
  return S_OK;
}

HRESULT findMember(std::span<const MemberSpec* const> members, DISPID id, WORD flags,
                   std::size_t* found) {
  // A get may also be asked as a method call and the other way round; a put and a put by
  // reference stand in for each other when only one is declared.
  WORD wanted[3] = {0, 0, 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    const WORD first = (flags & DISPATCH_PROPERTYPUTREF) ? kPutRef : kPut;
    wanted[0] = first;
    wanted[1] = first == kPut ? kPutRef : kPut;
  } else {
    if (flags & DISPATCH_METHOD) wanted[0] = kMethod;
    if (flags & DISPATCH_PROPERTYGET) wanted[wanted[0] ? 1 : 0] = kGet;
  }
  for (WORD kind : wanted) {
    if (!kind) continue;
    for (std::size_t i = 0; i < members.size(); ++i)
      if (members[i]->id == id && members[i]->kind == kind) {
        *found = i;
        return S_OK;
      }
  }
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT invokeMember(const MemberSpec& spec, std::string_view source, WORD flags,
                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* info, UINT* argErr,
                     const CallHandler& handler) noexcept {
  DISPPARAMS none;
  DISPPARAMS& p = params ? *params : none;
  for (UINT i = 0; i < p.cNamedArgs; ++i)
    if (!p.rgdispidNamedArgs || p.rgdispidNamedArgs[i] != DISPID_PROPERTYPUT || !isPut(spec.kind))
      return DISP_E_NONAMEDARGS;
  if (result) VariantInit(result);
  return guardInvoke(info, source.empty() ? kNoSource : source, [&]() -> HRESULT {
    DispatchCall call(spec, p, flags);
    if (HRESULT hr = prepareCall(call, argErr); FAILED(hr)) return hr;
    handler(call);
    if (!result || isPut(spec.kind)) return S_OK;
    Variant& value = call.result();
    if (spec.result != VT_EMPTY && spec.result != VT_VARIANT && value.vt() != spec.result)
      value = value.changedTo(spec.result);
    *result = value.detach();
    return S_OK;
  });
}

HRESULT lookupNames(std::span<const MemberSpec* const> members, LPOLESTR* names, UINT count,
                    DISPID* ids) noexcept {
  if (count == 0) return S_OK;
  if (!names || !ids || !names[0]) return E_INVALIDARG;
  // Named arguments are not offered: every name after the member's gets DISPID_UNKNOWN,
  // and the call says so instead of letting them bind silently wrong.
  for (UINT i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  ids[0] = DISPID_UNKNOWN;
  const std::u16string_view name(names[0]);
  for (const MemberSpec* m : members)
    if (text::equalsNoCase(name, m->name)) {
      ids[0] = m->id;
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  return DISP_E_UNKNOWNNAME;
}

}  // namespace kesto::automation
