#include <automation/Interfaces.h>

namespace {

bool isKnownType(VARTYPE vt) {
  switch (vt & VT_TYPEMASK) {
    case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY:
    case VT_DATE: case VT_BSTR: case VT_DISPATCH: case VT_ERROR: case VT_BOOL: case VT_VARIANT:
    case VT_UNKNOWN: case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4: case VT_I8: case VT_UI8:
    case VT_INT: case VT_UINT:
      break;
    default:
      return false;
  }
  if (vt & VT_ARRAY) return false;  // arrays are not offered
  if (vt & VT_BYREF) return (vt & ~(VT_BYREF | VT_TYPEMASK)) == 0;
  return (vt & ~VT_TYPEMASK) == 0 && vt != VT_VARIANT;
}

// Nested VT_VARIANT|VT_BYREF chains longer than this are refused (they can only be loops).
constexpr int kMaxByRefDepth = 16;

}  // namespace

void VariantInit(VARIANTARG* v) {
  if (!v) return;
  v->vt = VT_EMPTY;
  v->wReserved1 = v->wReserved2 = v->wReserved3 = 0;
  v->llVal = 0;
}

HRESULT VariantClear(VARIANTARG* v) {
  if (!v) return E_INVALIDARG;
  if (!isKnownType(v->vt)) return DISP_E_BADVARTYPE;
  switch (v->vt) {
    case VT_BSTR:
      SysFreeString(v->bstrVal);
      break;
    case VT_DISPATCH:
      if (v->pdispVal) v->pdispVal->Release();
      break;
    case VT_UNKNOWN:
      if (v->punkVal) v->punkVal->Release();
      break;
    default:
      break;  // by-ref values and scalars own nothing
  }
  VariantInit(v);
  return S_OK;
}

HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* src) {
  if (!dest || !src) return E_INVALIDARG;
  if (dest == src) return isKnownType(src->vt) ? S_OK : DISP_E_BADVARTYPE;
  if (!isKnownType(src->vt)) return DISP_E_BADVARTYPE;
  VARIANT copy = *src;
  if (src->vt == VT_BSTR && src->bstrVal) {
    copy.bstrVal = SysAllocStringByteLen(reinterpret_cast<const char*>(src->bstrVal),
                                         SysStringByteLen(src->bstrVal));
    if (!copy.bstrVal) return E_OUTOFMEMORY;
  }
  if (HRESULT hr = VariantClear(dest); FAILED(hr)) {
    if (copy.vt == VT_BSTR) SysFreeString(copy.bstrVal);
    return hr;
  }
  if (copy.vt == VT_DISPATCH && copy.pdispVal) copy.pdispVal->AddRef();
  if (copy.vt == VT_UNKNOWN && copy.punkVal) copy.punkVal->AddRef();
  *dest = copy;
  return S_OK;
}

HRESULT VariantCopyInd(VARIANT* dest, const VARIANTARG* src) {
  if (!dest || !src) return E_INVALIDARG;
  const VARIANT* at = src;
  for (int depth = 0; at->vt == (VT_BYREF | VT_VARIANT); ++depth) {
    if (!at->pvarVal || depth == kMaxByRefDepth) return E_INVALIDARG;
    at = at->pvarVal;
  }
  if (!isKnownType(at->vt)) return DISP_E_BADVARTYPE;
  if (!(at->vt & VT_BYREF)) {
    VARIANT value;
    VariantInit(&value);
    if (HRESULT hr = VariantCopy(&value, at); FAILED(hr)) return hr;
    VariantClear(dest);
    *dest = value;
    return S_OK;
  }
  if (!at->byref) return E_INVALIDARG;
  VARIANT value;
  VariantInit(&value);
  value.vt = at->vt & ~VT_BYREF;
  switch (value.vt) {
    case VT_I1: case VT_UI1: value.bVal = *at->pbVal; break;
    case VT_I2: case VT_UI2: case VT_BOOL: value.iVal = *at->piVal; break;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR: value.lVal = *at->plVal; break;
    case VT_R4: value.fltVal = *at->pfltVal; break;
    case VT_R8: case VT_DATE: value.dblVal = *at->pdblVal; break;
    case VT_CY: value.cyVal = *at->pcyVal; break;
    case VT_I8: case VT_UI8: value.llVal = *at->pllVal; break;
    case VT_BSTR: value.bstrVal = *at->pbstrVal; break;
    case VT_DISPATCH: value.pdispVal = *at->ppdispVal; break;
    case VT_UNKNOWN: value.punkVal = *at->ppunkVal; break;
    default: return DISP_E_BADVARTYPE;
  }
  // `value` borrows; VariantCopy makes the owned copy (and may free what dest held, which
  // is why the borrowed value was taken first).
  VARIANT owned;
  VariantInit(&owned);
  if (HRESULT hr = VariantCopy(&owned, &value); FAILED(hr)) return hr;
  VariantClear(dest);
  *dest = owned;
  return S_OK;
}

void ClearExcepInfo(EXCEPINFO* info) {
  if (!info) return;
  SysFreeString(info->bstrSource);
  SysFreeString(info->bstrDescription);
  SysFreeString(info->bstrHelpFile);
  *info = EXCEPINFO{};
}
