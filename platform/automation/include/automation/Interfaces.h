// The core object interfaces: IUnknown, IDispatch and its call records, IEnumVARIANT and
// IClassFactory. Slot order equals declaration order; IUnknown has no virtual destructor
// (objects delete themselves in Release), so all parties built by one compiler agree on
// the layout.
#pragma once

#include <automation/VariantData.h>

// Each interface carries its identifier as `iid`, so templates can ask `I::iid`.
struct IUnknown {
  static constexpr IID iid{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  virtual HRESULT QueryInterface(REFIID riid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};

struct ITypeInfo;  // type information is not offered; GetTypeInfo answers E_NOTIMPL

// Invoke flags.
constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;
constexpr WORD DISPATCH_PROPERTYPUTREF = 0x8;

constexpr DISPID DISPID_VALUE = 0;
constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_PROPERTYPUT = -3;
constexpr DISPID DISPID_NEWENUM = -4;

// Arguments of Invoke: rgvarg holds the LAST argument first. A property put carries one
// named argument, DISPID_PROPERTYPUT, for the value (rgvarg[0]).
struct DISPPARAMS {
  VARIANTARG* rgvarg = nullptr;
  DISPID* rgdispidNamedArgs = nullptr;
  UINT cArgs = 0;
  UINT cNamedArgs = 0;
};

// Error record of a failed Invoke (DISP_E_EXCEPTION). wCode != 0 means scode == 0 and
// the other way round. The strings belong to the caller, who frees them.
struct EXCEPINFO {
  WORD wCode = 0;
  WORD wReserved = 0;
  BSTR bstrSource = nullptr;
  BSTR bstrDescription = nullptr;
  BSTR bstrHelpFile = nullptr;
  DWORD dwHelpContext = 0;
  void* pvReserved = nullptr;
  HRESULT (*pfnDeferredFillIn)(EXCEPINFO*) = nullptr;
  SCODE scode = 0;
};

struct IDispatch : IUnknown {
  static constexpr IID iid{0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
  virtual HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) = 0;
  virtual HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                DISPID* ids) = 0;
  virtual HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                         VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) = 0;

 protected:
  ~IDispatch() = default;
};

struct IEnumVARIANT : IUnknown {
  static constexpr IID iid{0x00020404, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  virtual HRESULT Next(ULONG count, VARIANT* values, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumVARIANT** copy) = 0;

 protected:
  ~IEnumVARIANT() = default;
};

struct IClassFactory : IUnknown {
  static constexpr IID iid{0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  virtual HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) = 0;
  virtual HRESULT LockServer(BOOL lock) = 0;

 protected:
  ~IClassFactory() = default;
};

constexpr IID IID_IUnknown = IUnknown::iid;
constexpr IID IID_IDispatch = IDispatch::iid;
constexpr IID IID_IEnumVARIANT = IEnumVARIANT::iid;
constexpr IID IID_IClassFactory = IClassFactory::iid;

// Frees the three strings of a record and zeroes it.
void ClearExcepInfo(EXCEPINFO* info);
