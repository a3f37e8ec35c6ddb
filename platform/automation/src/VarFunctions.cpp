// The single-pair conversion functions, over the same text rules as VariantChangeType.
#include "VarText.h"

#include <automation/VariantData.h>

namespace vt = kesto::automation::vartext;

namespace {

HRESULT giveText(const std::u16string& text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

std::u16string_view viewOf(LPCOLESTR text) {
  return text ? std::u16string_view(text) : std::u16string_view();
}

}  // namespace

HRESULT VarBstrFromCy(CY value, LCID, ULONG, BSTR* out) {
  return giveText(vt::formatCurrency(value.int64), out);
}

HRESULT VarCyFromStr(LPCOLESTR text, LCID, ULONG, CY* out) {
  if (!out) return E_POINTER;
  std::int64_t scaled = 0;
  switch (vt::parseCurrency(viewOf(text), scaled)) {
    case vt::CyParse::Ok: out->int64 = scaled; return S_OK;
    case vt::CyParse::Overflow: return DISP_E_OVERFLOW;
    case vt::CyParse::NotNumber: break;
  }
  return DISP_E_TYPEMISMATCH;
}

HRESULT VarBstrFromDate(DATE value, LCID, ULONG, BSTR* out) {
  const auto text = vt::formatDate(value);
  if (!text) return DISP_E_OVERFLOW;
  return giveText(*text, out);
}

HRESULT VarDateFromStr(LPCOLESTR text, LCID, ULONG, DATE* out) {
  if (!out) return E_POINTER;
  const auto date = vt::parseDate(viewOf(text));
  if (!date) return DISP_E_TYPEMISMATCH;
  *out = *date;
  return S_OK;
}

HRESULT VarBstrFromR8(double value, LCID, ULONG, BSTR* out) {
  return giveText(vt::formatReal(value, 15), out);
}

HRESULT VarR8FromStr(LPCOLESTR text, LCID, ULONG, double* out) {
  if (!out) return E_POINTER;
  const auto value = vt::parseReal(viewOf(text));
  if (!value) return DISP_E_TYPEMISMATCH;
  *out = *value;
  return S_OK;
}
