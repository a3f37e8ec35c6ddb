// A static dispatch table: members by name and dispatch identifier, with declared argument
// types, so that an object's GetIDsOfNames and Invoke need no type library.
//
//   static const DispatchTable<List> table("KestoObject", {
//       member<List>(u"Count", 2, kGet, {}, VT_I4, [](List& l, DispatchCall& c) { ... }),
//       member<List>(u"Item", 9, kPut, {in(VT_I2), in(VT_VARIANT)}, VT_EMPTY, ...),
//   });
//
// Names compare without regard to case. Arguments are in call order; a property put takes
// its value as the last argument. Arguments are converted to the declared type; a missing
// optional argument is VT_ERROR / DISP_E_PARAMNOTFOUND. Errors: unknown identifier or a
// kind the member lacks (e.g. put on a read-only property) -> DISP_E_MEMBERNOTFOUND; wrong
// count -> DISP_E_BADPARAMCOUNT; no conversion -> DISP_E_TYPEMISMATCH (or DISP_E_OVERFLOW)
// with argErr set; anything the handler throws becomes DISP_E_EXCEPTION (see
// DispatchException.h).
#pragma once

#include <automation/ComObject.h>
#include <automation/DispatchException.h>
#include <automation/Variant.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::automation {

constexpr WORD kMethod = DISPATCH_METHOD;
constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;
constexpr WORD kPutRef = DISPATCH_PROPERTYPUTREF;

struct ArgSpec {
  VARTYPE type = VT_VARIANT;  // VT_VARIANT: taken as passed (read through by-ref)
  bool optional = false;
  bool byRef = false;  // results may be written back with DispatchCall::setRef
};
constexpr ArgSpec in(VARTYPE type) { return {type, false, false}; }
constexpr ArgSpec optional(VARTYPE type) { return {type, true, false}; }
constexpr ArgSpec byRef(VARTYPE type, bool isOptional = false) { return {type, isOptional, true}; }

struct MemberSpec {
  std::u16string name;
  DISPID id = 0;
  WORD kind = kMethod;  // one of kMethod, kGet, kPut, kPutRef
  std::vector<ArgSpec> args;
  VARTYPE result = VT_EMPTY;  // VT_EMPTY / VT_VARIANT: the handler's value as it is
};

// One call as a member handler sees it.
class DispatchCall {
 public:
  DispatchCall(const MemberSpec& spec, DISPPARAMS& params, WORD flags);

  WORD flags() const { return flags_; }
  std::size_t count() const { return args_.size(); }  // declared arguments
  bool given(std::size_t i) const { return !args_.at(i).isMissing(); }
  const Variant& arg(std::size_t i) const { return args_.at(i); }
  // The argument exactly as passed (may be VT_BYREF); null when not passed.
  VARIANT* raw(std::size_t i) const;
  // Writes a by-reference result back into the caller's variable, converted to its type.
  // Arguments passed by value only see the new value through arg().
  void setRef(std::size_t i, const Variant& value);
  Variant& result() { return result_; }

 private:
  friend HRESULT prepareCall(DispatchCall&, UINT*);
  const MemberSpec& spec_;
  DISPPARAMS& params_;
  WORD flags_;
  std::size_t passed_ = 0;
  std::vector<Variant> args_;
  Variant result_;
};

// The table-independent part of Invoke.
using CallHandler = std::function<void(DispatchCall&)>;
// Index of the member that answers `id` under `flags`.
HRESULT findMember(std::span<const MemberSpec* const> members, DISPID id, WORD flags,
                   std::size_t* found);
HRESULT invokeMember(const MemberSpec& spec, std::string_view source, WORD flags,
                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* info, UINT* argErr,
                     const CallHandler& handler) noexcept;
HRESULT lookupNames(std::span<const MemberSpec* const> members, LPOLESTR* names, UINT count,
                    DISPID* ids) noexcept;

template <class T>
struct Member {
  MemberSpec spec;
  std::function<void(T&, DispatchCall&)> handler;
};

template <class T>
Member<T> member(std::u16string name, DISPID id, WORD kind, std::vector<ArgSpec> args,
                 VARTYPE result, std::function<void(T&, DispatchCall&)> handler) {
  return Member<T>{MemberSpec{std::move(name), id, kind, std::move(args), result},
                   std::move(handler)};
}

template <class T>
class DispatchTable {
 public:
  // `source`: the exception source used when a thrown DispatchException names none.
  DispatchTable(std::string source, std::vector<Member<T>> members)
      : source_(std::move(source)), members_(std::move(members)) {
    for (const auto& m : members_) specs_.push_back(&m.spec);
  }

  HRESULT getIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, DISPID* ids) const noexcept {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return lookupNames(specs_, names, count, ids);
  }

  HRESULT invoke(T& self, DISPID id, REFIID riid, WORD flags, DISPPARAMS* params,
                 VARIANT* result, EXCEPINFO* info, UINT* argErr) const noexcept {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    std::size_t index = 0;
    if (HRESULT hr = findMember(specs_, id, flags, &index); FAILED(hr)) return hr;
    const Member<T>& m = members_[index];
    return invokeMember(m.spec, source_, flags, params, result, info, argErr,
                        [&](DispatchCall& call) { m.handler(self, call); });
  }

 private:
  std::string source_;
  std::vector<Member<T>> members_;
  std::vector<const MemberSpec*> specs_;
};

// IDispatch over Derived::dispatchTable() (a static `const DispatchTable<Derived>&`).
// `Interface` is IDispatch or a dispatch interface derived from it.
template <class Derived, class Interface = IDispatch, class... More>
class DispatchObject : public ComObject<Derived, Interface, More...> {
 public:
  HRESULT GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return Derived::dispatchTable().getIDsOfNames(riid, names, count, ids);
  }
  HRESULT Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                 EXCEPINFO* info, UINT* argErr) override {
    return Derived::dispatchTable().invoke(static_cast<Derived&>(*this), id, riid, flags,
                                           params, result, info, argErr);
  }
};

}  // namespace kesto::automation
