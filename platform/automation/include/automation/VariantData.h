// VARIANT and the functions that initialise, free, copy and convert it. The struct is
// trivially copyable (it travels through C varargs); ownership of what it points to is the
// caller's business, as with the platform's own.
#pragma once

#include <automation/OleString.h>

struct IUnknown;
struct IDispatch;

enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_I1 = 16,
  VT_UI1 = 17,
  VT_UI2 = 18,
  VT_UI4 = 19,
  VT_I8 = 20,
  VT_UI8 = 21,
  VT_INT = 22,
  VT_UINT = 23,
  VT_ARRAY = 0x2000,
  VT_BYREF = 0x4000,
  VT_TYPEMASK = 0x0FFF,
};

struct VARIANT;
using VARIANTARG = VARIANT;

struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONGLONG llVal;
    ULONGLONG ullVal;
    LONG lVal;
    ULONG ulVal;
    BYTE bVal;
    char cVal;
    SHORT iVal;
    USHORT uiVal;
    INT intVal;
    UINT uintVal;
    float fltVal;
    double dblVal;
    VARIANT_BOOL boolVal;
    SCODE scode;
    CY cyVal;
    DATE date;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    BYTE* pbVal;
    char* pcVal;
    SHORT* piVal;
    USHORT* puiVal;
    LONG* plVal;
    ULONG* pulVal;
    LONGLONG* pllVal;
    ULONGLONG* pullVal;
    INT* pintVal;
    UINT* puintVal;
    float* pfltVal;
    double* pdblVal;
    VARIANT_BOOL* pboolVal;
    SCODE* pscode;
    CY* pcyVal;
    DATE* pdate;
    BSTR* pbstrVal;
    IUnknown** ppunkVal;
    IDispatch** ppdispVal;
    VARIANT* pvarVal;
    void* byref;
  };
};

// VariantChangeType flags.
constexpr WORD VARIANT_NOVALUEPROP = 0x01;
constexpr WORD VARIANT_ALPHABOOL = 0x02;
constexpr WORD VARIANT_NOUSEROVERRIDE = 0x04;
constexpr WORD VARIANT_LOCALBOOL = 0x10;

void VariantInit(VARIANTARG* v);
HRESULT VariantClear(VARIANTARG* v);  // frees the BSTR, releases the interface; by-ref: nothing
HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* src);     // deep; by-ref copies the pointer
HRESULT VariantCopyInd(VARIANT* dest, const VARIANTARG* src);     // deep, through by-ref (nested too)
HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* src, WORD flags, VARTYPE vt);
HRESULT VariantChangeTypeEx(VARIANTARG* dest, const VARIANTARG* src, LCID lcid, WORD flags,
                            VARTYPE vt);

// Conversions between currency, dates and text, in the user-visible (German) locale.
HRESULT VarBstrFromCy(CY value, LCID lcid, ULONG flags, BSTR* out);
HRESULT VarCyFromStr(LPCOLESTR text, LCID lcid, ULONG flags, CY* out);
HRESULT VarBstrFromDate(DATE value, LCID lcid, ULONG flags, BSTR* out);
HRESULT VarDateFromStr(LPCOLESTR text, LCID lcid, ULONG flags, DATE* out);
HRESULT VarBstrFromR8(double value, LCID lcid, ULONG flags, BSTR* out);
HRESULT VarR8FromStr(LPCOLESTR text, LCID lcid, ULONG flags, double* out);
