// Late-bound client calls over GetIDsOfNames + Invoke, so that callers read like
//   Dispatch obj = Dispatch::create("KestoObject.Factory");
//   obj.call("Connect", "host:1973");  Variant name = obj.get("Bez1");  obj.put("Name", v);
// A failed call throws DispatchException (DISP_E_EXCEPTION, with the callee's record) or
// ComError (any other failure code).
#pragma once

#include <automation/ComPtr.h>
#include <automation/Variant.h>

#include <span>
#include <type_traits>
#include <string_view>
#include <utility>
#include <vector>

namespace kesto::automation {

// One argument of a call: a value, or a variable passed by reference (the callee may
// change it).
class Arg {
 public:
  template <class T>
    requires(!std::is_same_v<std::remove_cvref_t<T>, Arg>)
  Arg(T&& value) : value_(std::forward<T>(value)) {}
  static Arg byRef(Variant& target) { Arg a(Variant{}); a.ref_ = &target; return a; }
  static Arg missing() { return Arg(Variant::missing()); }

  Variant* ref() const { return ref_; }
  const Variant& value() const { return value_; }

 private:
  Variant value_;
  Variant* ref_ = nullptr;
};
inline Arg byRef(Variant& target) { return Arg::byRef(target); }

class Dispatch {
 public:
  Dispatch() = default;
  explicit Dispatch(ComPtr<IDispatch> object) : object_(std::move(object)) {}
  explicit Dispatch(IDispatch* object) : object_(object) {}  // adds a reference
  template <class T>
    requires(std::is_base_of_v<IDispatch, T> && !std::is_same_v<T, IDispatch>)
  explicit Dispatch(const ComPtr<T>& object) : object_(static_cast<IDispatch*>(object.get())) {}
  // Creates an object by ProgID (CreateObject); throws ComError when it cannot.
  static Dispatch create(std::string_view progId);

  IDispatch* object() const { return object_.get(); }
  explicit operator bool() const { return static_cast<bool>(object_); }

  DISPID idOf(std::string_view name) const;  // throws ComError(DISP_E_UNKNOWNNAME)

  template <class... A>
  Variant get(std::string_view name, A&&... args) const {
    return invokeNamed(name, DISPATCH_PROPERTYGET, pack(std::forward<A>(args)...));
  }
  template <class... A>
  Variant call(std::string_view name, A&&... args) const {
    return invokeNamed(name, DISPATCH_METHOD, pack(std::forward<A>(args)...));
  }
  // put(name, value) or put(name, index..., value): the value comes last.
  template <class... A>
  void put(std::string_view name, A&&... args) const {
    invokeNamed(name, DISPATCH_PROPERTYPUT, pack(std::forward<A>(args)...));
  }
  template <class... A>
  void putRef(std::string_view name, A&&... args) const {
    invokeNamed(name, DISPATCH_PROPERTYPUTREF, pack(std::forward<A>(args)...));
  }

  // Arguments in call order.
  Variant invoke(DISPID id, WORD flags, std::span<const Arg> args) const;
  Variant invokeNamed(std::string_view name, WORD flags, std::span<const Arg> args) const;

 private:
  template <class... A>
  static std::vector<Arg> pack(A&&... args) {
    std::vector<Arg> out;
    out.reserve(sizeof...(A));
    (out.emplace_back(std::forward<A>(args)), ...);
    return out;
  }

  ComPtr<IDispatch> object_;
};

}  // namespace kesto::automation
