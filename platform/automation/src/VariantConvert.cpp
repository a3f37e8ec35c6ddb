// VariantChangeType: conversions between the scalar types, text, and interfaces.
// Numbers round half to even; values outside the target's range give DISP_E_OVERFLOW;
// NULL, ERROR and objects convert to nothing but their own kind (DISP_E_TYPEMISMATCH).
#include "VarText.h"

#include <automation/Interfaces.h>
#include <services/Locale.h>
#include <text/CodePage.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

namespace vt = kesto::automation::vartext;

namespace {

// A numeric value on its way between two types.
struct Number {
  enum Kind { Int, UInt, Real, Currency } kind = Int;
  std::int64_t i = 0;  // Int, Currency (x 10 000)
  std::uint64_t u = 0;
  double r = 0;
};

HRESULT numberOf(const VARIANT& v, Number& n) {
  switch (v.vt) {
    case VT_EMPTY: n = {Number::Int, 0}; return S_OK;
    case VT_BOOL: n = {Number::Int, v.boolVal ? -1 : 0}; return S_OK;
    case VT_I1: n = {Number::Int, v.cVal}; return S_OK;
    case VT_UI1: n = {Number::Int, v.bVal}; return S_OK;
    case VT_I2: n = {Number::Int, v.iVal}; return S_OK;
    case VT_UI2: n = {Number::Int, v.uiVal}; return S_OK;
    case VT_I4: case VT_INT: n = {Number::Int, v.lVal}; return S_OK;
    case VT_UI4: case VT_UINT: n = {Number::Int, v.ulVal}; return S_OK;
    case VT_I8: n = {Number::Int, v.llVal}; return S_OK;
    case VT_UI8: n.kind = Number::UInt; n.u = v.ullVal; return S_OK;
    case VT_R4: n.kind = Number::Real; n.r = v.fltVal; return S_OK;
    case VT_R8: case VT_DATE: n.kind = Number::Real; n.r = v.dblVal; return S_OK;
    case VT_CY: n = {Number::Currency, v.cyVal.int64}; return S_OK;
    default: return DISP_E_TYPEMISMATCH;
  }
}

double realOf(const Number& n) {
  switch (n.kind) {
    case Number::Int: return static_cast<double>(n.i);
    case Number::UInt: return static_cast<double>(n.u);
    case Number::Currency: return static_cast<double>(n.i) / 10000.0;
    case Number::Real: break;
  }
  return n.r;
}

// Half to even, as the platform rounds in conversions.
double roundEven(double x) {
  const double f = std::floor(x);
  const double diff = x - f;
  if (diff > 0.5) return f + 1;
  if (diff < 0.5) return f;
  return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

// Integer value of n within [lo, hi].
HRESULT integerOf(const Number& n, long double lo, long double hi, std::int64_t& out,
                  std::uint64_t* outUnsigned = nullptr) {
  long double value = 0;
  switch (n.kind) {
    case Number::Int: value = n.i; break;
    case Number::UInt: value = n.u; break;
    case Number::Currency: {
      const std::int64_t q = n.i / 10000, rem = n.i % 10000;
      std::int64_t r = q;
      if (rem > 5000 || (rem == 5000 && (q & 1))) ++r;
      if (rem < -5000 || (rem == -5000 && (q & 1))) --r;
      value = r;
      break;
    }
    case Number::Real:
      if (std::isnan(n.r)) return DISP_E_OVERFLOW;
      value = roundEven(n.r);
      break;
  }
  if (value < lo || value > hi) return DISP_E_OVERFLOW;
  if (outUnsigned) {
    *outUnsigned = n.kind == Number::UInt ? n.u : static_cast<std::uint64_t>(value);
  } else {
    out = n.kind == Number::Int ? n.i : static_cast<std::int64_t>(value);
  }
  return S_OK;
}

HRESULT currencyOf(const Number& n, std::int64_t& out) {
  constexpr long double kMax = 9223372036854775807.0L;
  long double scaled = 0;
  switch (n.kind) {
    case Number::Currency: out = n.i; return S_OK;
    case Number::Int: scaled = static_cast<long double>(n.i) * 10000; break;
    case Number::UInt: scaled = static_cast<long double>(n.u) * 10000; break;
    case Number::Real:
      if (std::isnan(n.r)) return DISP_E_OVERFLOW;
      scaled = roundEven(n.r * 10000.0);
      break;
  }
  if (scaled < -kMax - 1 || scaled >= kMax) return DISP_E_OVERFLOW;
  out = static_cast<std::int64_t>(scaled);
  return S_OK;
}

std::u16string textOf(BSTR b) {
  return b ? std::u16string(b, SysStringLen(b)) : std::u16string();
}

// Number from text, read as the target type wants it.
HRESULT numberFromText(BSTR text, VARTYPE target, Number& n) {
  const std::u16string s = textOf(text);
  if (target == VT_CY) {
    std::int64_t scaled = 0;
    switch (vt::parseCurrency(s, scaled)) {
      case vt::CyParse::Ok: n = {Number::Currency, scaled}; return S_OK;
      case vt::CyParse::Overflow: return DISP_E_OVERFLOW;
      case vt::CyParse::NotNumber: return DISP_E_TYPEMISMATCH;
    }
  }
  if (target == VT_DATE) {
    const auto date = vt::parseDate(s);
    if (!date) return DISP_E_TYPEMISMATCH;
    n.kind = Number::Real;
    n.r = *date;
    return S_OK;
  }
  if (target == VT_BOOL) {
    if (const auto word = vt::parseBoolWord(s)) {
      n = {Number::Int, *word ? -1 : 0};
      return S_OK;
    }
  }
  const auto real = vt::parseReal(s);
  if (!real) return DISP_E_TYPEMISMATCH;
  n.kind = Number::Real;
  n.r = *real;
  return S_OK;
}

HRESULT textFrom(const VARIANT& v, WORD flags, BSTR& out) {
  std::u16string text;
  if (v.vt == VT_BOOL) {
    // Pinned: "-1"/"0" unless asked for words.
    if (flags & VARIANT_LOCALBOOL) {
      const auto facts = kesto::services::localeFacts();
      text = kesto::text::utf8ToUtf16(v.boolVal ? facts.trueText : facts.falseText);
    } else if (flags & VARIANT_ALPHABOOL) {
      text = v.boolVal ? u"True" : u"False";
    } else {
      text = v.boolVal ? u"-1" : u"0";
    }
  } else if (v.vt == VT_EMPTY) {
  } else if (v.vt == VT_DATE) {
    const auto date = vt::formatDate(v.date);
    if (!date) return DISP_E_OVERFLOW;
    text = *date;
  } else if (v.vt == VT_R4) {
    text = vt::formatReal(v.fltVal, 7);
  } else if (v.vt == VT_R8) {
    text = vt::formatReal(v.dblVal, 15);
  } else {
    Number n;
    if (HRESULT hr = numberOf(v, n); FAILED(hr)) return hr;
    text = n.kind == Number::Currency ? vt::formatCurrency(n.i)
           : n.kind == Number::UInt   ? vt::formatUnsigned(n.u)
                                      : vt::formatInteger(n.i);
  }
  out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return out ? S_OK : E_OUTOFMEMORY;
}

template <class T>
constexpr long double lowest() { return static_cast<long double>(std::numeric_limits<T>::min()); }
template <class T>
constexpr long double highest() { return static_cast<long double>(std::numeric_limits<T>::max()); }

HRESULT numberTo(const Number& n, VARTYPE target, VARIANT& out) {
  std::int64_t i = 0;
  std::uint64_t u = 0;
  HRESULT hr = S_OK;
  out.vt = target;
  switch (target) {
    case VT_I1: hr = integerOf(n, lowest<std::int8_t>(), highest<std::int8_t>(), i); out.cVal = static_cast<char>(i); break;
    case VT_UI1: hr = integerOf(n, 0, highest<std::uint8_t>(), i); out.bVal = static_cast<BYTE>(i); break;
    case VT_I2: hr = integerOf(n, lowest<std::int16_t>(), highest<std::int16_t>(), i); out.iVal = static_cast<SHORT>(i); break;
    case VT_UI2: hr = integerOf(n, 0, highest<std::uint16_t>(), i); out.uiVal = static_cast<USHORT>(i); break;
    case VT_I4: case VT_INT: hr = integerOf(n, lowest<std::int32_t>(), highest<std::int32_t>(), i); out.lVal = static_cast<LONG>(i); break;
    case VT_UI4: case VT_UINT: hr = integerOf(n, 0, highest<std::uint32_t>(), i); out.ulVal = static_cast<ULONG>(i); break;
    case VT_I8: hr = integerOf(n, lowest<std::int64_t>(), highest<std::int64_t>(), i); out.llVal = i; break;
    case VT_UI8: hr = integerOf(n, 0, highest<std::uint64_t>(), i, &u); out.ullVal = u; break;
    case VT_BOOL: out.boolVal = realOf(n) != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_R8: out.dblVal = realOf(n); break;
    case VT_R4: {
      const double r = realOf(n);
      if (std::isfinite(r) && std::fabs(r) > FLT_MAX) return DISP_E_OVERFLOW;
      out.fltVal = static_cast<float>(r);
      break;
    }
    case VT_DATE:
      out.date = realOf(n);
      if (!vt::isValidDate(out.date)) hr = DISP_E_OVERFLOW;
      break;
    case VT_CY: hr = currencyOf(n, i); out.cyVal.int64 = i; break;
    default: hr = DISP_E_TYPEMISMATCH; break;
  }
  return hr;
}

bool isScalar(VARTYPE t) {
  switch (t) {
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4: case VT_I8:
    case VT_UI8: case VT_INT: case VT_UINT: case VT_R4: case VT_R8: case VT_CY: case VT_DATE:
    case VT_BOOL:
      return true;
    default:
      return false;
  }
}

// src holds no by-ref value; result is an empty VARIANT to fill.
HRESULT convert(const VARIANT& src, WORD flags, VARTYPE target, VARIANT& result) {
  if (src.vt == target) return VariantCopy(&result, &src);
  if (target == VT_EMPTY) return S_OK;
  if (target == VT_NULL) {
    if (src.vt != VT_EMPTY) return DISP_E_TYPEMISMATCH;
    result.vt = VT_NULL;
    return S_OK;
  }
  if (target == VT_DISPATCH || target == VT_UNKNOWN) {
    if (src.vt != VT_DISPATCH && src.vt != VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
    IUnknown* object = src.vt == VT_DISPATCH ? src.pdispVal : src.punkVal;
    void* out = nullptr;
    if (object && FAILED(object->QueryInterface(target == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &out)))
      return DISP_E_TYPEMISMATCH;
    result.vt = target;
    result.byref = out;
    return S_OK;
  }
  if (target == VT_BSTR) {
    BSTR text = nullptr;
    if (HRESULT hr = textFrom(src, flags, text); FAILED(hr)) return hr;
    result.vt = VT_BSTR;
    result.bstrVal = text;
    return S_OK;
  }
  if (!isScalar(target)) return target == VT_ERROR ? DISP_E_TYPEMISMATCH : DISP_E_BADVARTYPE;
  Number n;
  HRESULT hr = src.vt == VT_BSTR ? numberFromText(src.bstrVal, target, n) : numberOf(src, n);
  if (FAILED(hr)) return hr;
  return numberTo(n, target, result);
}

}  // namespace

HRESULT VariantChangeTypeEx(VARIANTARG* dest, const VARIANTARG* src, LCID, WORD flags, VARTYPE type) {
  if (!dest || !src) return E_INVALIDARG;
  if (type & (VT_BYREF | VT_ARRAY)) return DISP_E_BADVARTYPE;
  VARIANT value;
  VariantInit(&value);
  if (HRESULT hr = VariantCopyInd(&value, src); FAILED(hr)) return hr;
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = type == VT_VARIANT ? VariantCopy(&result, &value) : convert(value, flags, type, result);
  VariantClear(&value);
  if (FAILED(hr)) {
    VariantClear(&result);
    return hr;
  }
  VariantClear(dest);  // dest may be src: the value was read before this
  *dest = result;
  return S_OK;
}

HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* src, WORD flags, VARTYPE type) {
  return VariantChangeTypeEx(dest, src, LOCALE_USER_DEFAULT, flags, type);
}
